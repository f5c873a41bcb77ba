#include "study/study_csv.h"

#include <algorithm>
#include <optional>

#include "case/number_format.h"
#include "case/number_text.h"

namespace vortane {

namespace {

// Outcome ... Warnings: the columns every row has after the swept fields.
std::string RunColumnsHeader(UnitSystem system) {
    std::string line;
    for (const RunColumn& column : RunColumns()) line += ',' + CsvField(ColumnName(column, system));
    return line;
}

// A name and, outside technical metric, the unit of `quantity` in `system`.
std::string NameInSystem(std::string_view name, Quantity quantity, UnitSystem system) {
    if (system == UnitSystem::Metric || quantity == Quantity::Dimensionless) return std::string(name);
    return std::string(name) + " (" + std::string(UnitIn(quantity, system).symbol) + ')';
}

}  // namespace

void AppendCsvNumber(std::string& line, double value) {
    line += SignificantText(value, 17);
}

std::string CsvNumber(double value) {
    std::string text;
    AppendCsvNumber(text, value);
    return text;
}

namespace {

// The text in double quotes (doubled inside) when it holds one of `special`.
std::string Quoted(std::string_view text, std::string_view special) {
    if (text.find_first_of(special) == std::string_view::npos) return std::string(text);
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

}  // namespace

std::string CsvField(std::string_view text) { return Quoted(text, ",\"\r\n"); }

std::string CommaDecimalCsv(std::string_view csv) {
    std::string out;
    out.reserve(csv.size() + csv.size() / 8);
    std::size_t i = 0;
    while (i < csv.size()) {
        std::string field;
        const bool quoted = csv[i] == '"';
        if (quoted) {
            for (++i; i < csv.size(); ++i) {
                if (csv[i] != '"') {
                    field += csv[i];
                } else if (i + 1 < csv.size() && csv[i + 1] == '"') {
                    field += '"';
                    ++i;
                } else {
                    ++i;
                    break;
                }
            }
        } else {
            const std::size_t end = std::min(csv.find_first_of(",\n", i), csv.size());
            field = csv.substr(i, end - i);
            i = end;
        }
        if (!quoted && ReadNumber(field)) std::replace(field.begin(), field.end(), '.', ',');
        out += Quoted(field, ";\"\r\n");
        if (i < csv.size()) out += csv[i++] == ',' ? ';' : '\n';
    }
    return out;
}

std::string SweptName(const InputField& field, UnitSystem system) {
    return NameInSystem(field.name, field.quantity, system);
}

std::string SweptCell(const SweepPlan& plan, const SweepAxis& axis, const std::string& text,
                      UnitSystem system) {
    if (system == UnitSystem::Metric) return CsvField(text);
    const std::optional<double> value = ConvertReal(text, plan.decimalSeparator);
    if (!value) return CsvField(text);
    return CsvNumber(InSystem(*value, axis.field->quantity, system));
}

std::string MarginName(const Limit& limit, UnitSystem system) {
    const RunColumn* column = LimitColumn(limit.quantity);
    const Quantity quantity = column == nullptr ? Quantity::Dimensionless : MarginQuantity(*column);
    return NameInSystem("Margin " + LimitText(limit), quantity, system);
}

std::string LimitsHeader(std::span<const Limit> limits, UnitSystem system) {
    if (limits.empty()) return {};
    std::string line = ",Feasible";
    for (const Limit& limit : limits) {
        line += ',';
        line += CsvField(MarginName(limit, system));
    }
    return line;
}

void AppendLimitCells(std::string& line, std::span<const RunColumn* const> columns, bool feasible,
                      std::span<const LimitMargin> margins, UnitSystem system) {
    line += feasible ? ",true" : ",false";
    for (std::size_t i = 0; i < margins.size(); ++i) {
        line += ',';
        if (margins[i].margin)
            AppendCsvNumber(line, InSystem(*margins[i].margin, MarginQuantity(*columns[i]), system));
    }
}

std::string SweepHeader(const SweepPlan& plan, UnitSystem system) {
    std::string line = "Point";
    for (const SweepAxis& axis : plan.axes) {
        line += ',';
        line += CsvField(SweptName(*axis.field, system));
    }
    line += RunColumnsHeader(system) + LimitsHeader(plan.limits, system) + '\n';
    return plan.decimalSeparator == ',' ? CommaDecimalCsv(line) : line;
}

std::string SweepRow(const SweepPlan& plan, const PointResult& point, UnitSystem system) {
    std::string line;
    line.reserve(640);
    const std::vector<RunColumn>& columns = RunColumns();
    AppendSweepRow(
        line, plan, point.index, point.run.outcome, point.run.warningKinds,
        [&](std::size_t c) { return ColumnNumber(columns[c], point.run); },
        [&](std::size_t c) { return ColumnText(columns[c], point.run, system, plan.decimalSeparator); }, system);
    return line;
}

std::string SingleRunCsv(const RunResult& run, UnitSystem system, std::span<const Limit> limits,
                         WarningKinds acceptedWarnings) {
    SweepPlan single{};
    single.limits.assign(limits.begin(), limits.end());
    single.acceptedWarnings = acceptedWarnings;
    std::string csv = SweepHeader(single, system);
    csv += SweepRow(single, {0, run}, system);
    return csv;
}

std::string ProfileCsv(const std::vector<ChannelPoint>& points, UnitSystem system) {
    constexpr Quantity P = Quantity::Pressure;
    std::string csv = "z,InletFlowFraction,OutletFlowFraction,RelPressureInlet,RelPressureOutlet," +
                      NameInSystem("PressureInlet", P, system) + ',' +
                      NameInSystem("PressureOutlet", P, system) + '\n';
    for (const ChannelPoint& p : points) {
        for (const double value : {p.z, p.inletFraction, p.outletFraction, p.relPressureInlet,
                                   p.relPressureOutlet}) {
            AppendCsvNumber(csv, value);
            csv += ',';
        }
        AppendCsvNumber(csv, InSystem(p.pressureInlet, P, system));
        csv += ',';
        AppendCsvNumber(csv, InSystem(p.pressureOutlet, P, system));
        csv += '\n';
    }
    return csv;
}

}  // namespace vortane
