#include "study/design_rows.h"

#include <algorithm>

#include "result/limit_check.h"
#include "study/study_csv.h"
#include "study/sweep_plan.h"

namespace vortane {

namespace {

// A plan of one point whose axes hold the row's texts: a sweep's row of it is
// the design's.
SweepPlan RowPlan(const DesignTable& table, const DesignRow* row) {
    SweepPlan plan{};
    for (std::size_t i = 0; i < table.fields.size(); ++i)
        plan.axes.push_back({table.fields[i], {row != nullptr ? row->texts[i] : std::string()}});
    plan.decimalSeparator = table.decimalSeparator;
    plan.limits = table.limits;
    plan.acceptedWarnings = table.acceptedWarnings;
    return plan;
}

// `line` (ending in a line break) with one more cell before the break.
void AppendCell(std::string& line, std::string_view cell, char decimalSeparator) {
    line.insert(line.size() - 1, std::string(1, decimalSeparator == ',' ? ';' : ',') + std::string(cell));
}

// A plan of one point whose axes are the 28 inputs, holding the row's texts.
SweepPlan CaseRowPlan(const CaseTable& table, const CaseRow* row) {
    SweepPlan plan{};
    for (const InputField& field : InputFields())
        plan.axes.push_back({&field, {row != nullptr ? (*row->texts)[field.box - 1] : std::string()}});
    plan.decimalSeparator = table.decimalSeparator;
    return plan;
}

// `line` with its first cell (Point or its number) replaced by `cell`.
std::string WithFirstCell(std::string_view line, std::string_view cell, char decimalSeparator) {
    return std::string(cell) + std::string(line.substr(line.find(decimalSeparator == ',' ? ';' : ',')));
}

}  // namespace

std::string CaseTableCsv(const CaseTable& table, UnitSystem system) {
    const char separator = table.decimalSeparator;
    std::string csv = WithFirstCell(SweepHeader(CaseRowPlan(table, nullptr), system), "Design", separator);
    for (const std::string& name : table.extraNames) AppendCell(csv, CsvField(name), separator);
    for (const CaseRow& row : table.rows) {
        std::string line =
            WithFirstCell(SweepRow(CaseRowPlan(table, &row), {0, *row.run}, system), CsvField(row.name), separator);
        for (const std::optional<double>& extra : row.extras) {
            std::string number = extra ? CsvNumber(*extra) : std::string();
            if (separator == ',') std::replace(number.begin(), number.end(), '.', ',');
            AppendCell(line, number, separator);
        }
        csv += line;
    }
    return csv;
}

std::string DesignTableCsv(const DesignTable& table, UnitSystem system) {
    const char separator = table.decimalSeparator;
    std::string csv = SweepHeader(RowPlan(table, nullptr), system);
    if (table.limits.empty()) AppendCell(csv, "Feasible", separator);
    AppendCell(csv, CsvField(table.markName), separator);
    for (std::size_t i = 0; i < table.rows.size(); ++i) {
        const DesignRow& row = table.rows[i];
        std::string line = SweepRow(RowPlan(table, &row), {i, *row.run}, system);
        if (table.limits.empty()) {
            const bool feasible = Feasible(row.run->outcome, row.run->warningKinds, table.acceptedWarnings, {});
            AppendCell(line, feasible ? "true" : "false", separator);
        }
        AppendCell(line, row.marked ? "true" : "false", separator);
        csv += line;
    }
    return csv;
}

}  // namespace vortane
