#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "case/units.h"
#include "model/profile_along_channels.h"
#include "result/limit_check.h"
#include "result/run_table.h"
#include "study/sweep_run.h"

namespace vortane {

// A double as printf's "%.17g" writes it in the C locale: enough digits to
// read back the same double.
std::string CsvNumber(double value);

// A field of a CSV line, in double quotes (doubled inside) when it holds a
// comma, a quote or a line break.
std::string CsvField(std::string_view text);

// A CSV as spreadsheet programs read it where the comma is the decimal mark:
// fields separated by ";" (in double quotes when they hold one, a quote or a
// line break), numbers with a decimal comma. The CSV given is this file's own
// (fields separated by commas, numbers in C notation); a sweep whose decimal
// separator is a comma is written so, its swept texts as the numbers they are.
std::string CommaDecimalCsv(std::string_view csv);

// Appends "%.17g" of the value.
void AppendCsvNumber(std::string& line, double value);

// The sweep's CSV (with a decimal comma, see CommaDecimalCsv): Point, the swept fields as typed, then the columns of
// RunColumns, then with the plan's limits Feasible and a margin per limit (see
// LimitsHeader). In a system of units other than technical metric, the names
// of the columns with a unit carry it (see ColumnName) and their numbers are
// in it, the swept fields' as numbers.
std::string SweepHeader(const SweepPlan& plan, UnitSystem system = UnitSystem::Metric);
std::string SweepRow(const SweepPlan& plan, const PointResult& point,
                     UnitSystem system = UnitSystem::Metric);

// A swept field's column name: its field name, outside technical metric
// followed by its unit in parentheses ("OutputRate (lb/hr)").
std::string SweptName(const InputField& field, UnitSystem system);

// A swept field's cell: its text as typed in technical metric, else its
// number in `system`.
std::string SweptCell(const SweepPlan& plan, const SweepAxis& axis, const std::string& text,
                      UnitSystem system);

// The columns limits add after RunColumns, each after a comma: Feasible, then
// per limit "Margin " and the limit as LimitText writes it, outside technical
// metric followed by the margin's unit ("Margin TemperatureRise<=30 (°F)");
// the limit's bound stays in technical metric, as it is given.
std::string LimitsHeader(std::span<const Limit> limits, UnitSystem system = UnitSystem::Metric);
std::string MarginName(const Limit& limit, UnitSystem system = UnitSystem::Metric);

// Appends the cells of LimitsHeader, each after a comma: "true" or "false",
// then each margin (of the limit on `columns[i]`) in `system`, empty where the
// row has no value to judge.
void AppendLimitCells(std::string& line, std::span<const RunColumn* const> columns, bool feasible,
                      std::span<const LimitMargin> margins, UnitSystem system);

// Appends the CSV line of point `index` of `plan`, a run that ended with
// `outcome` and raised warnings of the kinds `warnings`, whose cells of RunColumns are `text(c)` for a column that holds
// texts and `number(c)` for the others, empty where that is empty, then the
// cells of the plan's limits judged on them: the one layout of every sweep
// row, wherever its values are held.
template <class Number, class Text>
void AppendSweepRow(std::string& line, const SweepPlan& plan, std::size_t index, RunOutcome outcome,
                    WarningKinds warnings, Number number, Text text, UnitSystem system = UnitSystem::Metric) {
    const std::size_t start = line.size();
    line += std::to_string(index + 1);
    const std::vector<std::size_t> positions = AxisPositions(plan, index);
    for (std::size_t a = 0; a < plan.axes.size(); ++a) {
        line += ',';
        line += SweptCell(plan, plan.axes[a], plan.axes[a].texts[positions[a]], system);
    }
    const std::vector<RunColumn>& columns = RunColumns();
    for (std::size_t c = 0; c < columns.size(); ++c) {
        line += ',';
        if (HoldsText(columns[c].kind))
            line += CsvField(text(c));
        else if (const std::optional<double> value = number(c))
            AppendCsvNumber(line, InSystem(*value, columns[c].quantity, system));
    }
    if (!plan.limits.empty()) {
        const std::vector<const RunColumn*> limitColumns = LimitColumns(plan.limits);
        const std::vector<LimitMargin> margins = LimitMarginsOf(plan.limits, limitColumns, number);
        AppendLimitCells(line, limitColumns, Feasible(outcome, warnings, plan.acceptedWarnings, margins), margins,
                         system);
    }
    line += '\n';
    if (plan.decimalSeparator == ',') {
        const std::string row = CommaDecimalCsv(std::string_view(line).substr(start));
        line.resize(start);
        line += row;
    }
}

// A single run's CSV: the sweep's columns without swept fields, one row; with
// `limits`, Feasible (accepting `acceptedWarnings`) and their margins.
std::string SingleRunCsv(const RunResult& run, UnitSystem system = UnitSystem::Metric,
                         std::span<const Limit> limits = {}, WarningKinds acceptedWarnings = {});

// The profile along the channels: z, y, 1 − y, p1, p2 and the two pressures
// in kgf/cm2 (in `system`, their names followed by its unit), one line per
// point.
std::string ProfileCsv(const std::vector<ChannelPoint>& points,
                       UnitSystem system = UnitSystem::Metric);

}  // namespace vortane
