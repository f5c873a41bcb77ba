#include "study/study_csv.h"

#include <charconv>
#include <optional>

namespace vortane {

namespace {

void AppendNumber(std::string& line, double value) {
    char buffer[32];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 17);
    line.append(buffer, result.ptr);
}

// Outcome ... Warnings: the columns every row has after the swept fields.
std::string RunColumnsHeader() {
    std::string line;
    for (const RunColumn& column : RunColumns()) line += ',' + column.name;
    return line + '\n';
}

void AppendRunColumns(std::string& line, const RunResult& run) {
    for (const RunColumn& column : RunColumns()) {
        line += ',';
        if (HoldsText(column.kind)) {
            line += CsvField(ColumnText(column, run));
        } else if (const std::optional<double> number = ColumnNumber(column, run)) {
            AppendNumber(line, *number);
        }
    }
    line += '\n';
}

}  // namespace

std::string CsvNumber(double value) {
    std::string text;
    AppendNumber(text, value);
    return text;
}

std::string CsvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

std::string SweepHeader(const SweepPlan& plan) {
    std::string line = "Point";
    for (const SweepAxis& axis : plan.axes) {
        line += ',';
        line += axis.field->name;
    }
    return line + RunColumnsHeader();
}

std::string SweepRow(const SweepPlan& plan, const PointResult& point) {
    std::string line;
    line.reserve(640);
    line += std::to_string(point.index + 1);
    const std::vector<std::size_t> positions = AxisPositions(plan, point.index);
    for (std::size_t a = 0; a < plan.axes.size(); ++a)
        line += ',' + CsvField(plan.axes[a].texts[positions[a]]);
    AppendRunColumns(line, point.run);
    return line;
}

std::string SingleRunCsv(const RunResult& run) {
    std::string csv = "Point" + RunColumnsHeader() + '1';
    AppendRunColumns(csv, run);
    return csv;
}

std::string ProfileCsv(const std::vector<ChannelPoint>& points) {
    std::string csv =
        "z,InletFlowFraction,OutletFlowFraction,RelPressureInlet,RelPressureOutlet,"
        "PressureInlet,PressureOutlet\n";
    for (const ChannelPoint& p : points) {
        for (const double value : {p.z, p.inletFraction, p.outletFraction, p.relPressureInlet,
                                   p.relPressureOutlet, p.pressureInlet}) {
            AppendNumber(csv, value);
            csv += ',';
        }
        AppendNumber(csv, p.pressureOutlet);
        csv += '\n';
    }
    return csv;
}

}  // namespace vortane
