#include "study/study_csv.h"

#include <charconv>
#include <optional>

namespace vortane {

namespace {

// Outcome ... Warnings: the columns every row has after the swept fields.
std::string RunColumnsHeader() {
    std::string line;
    for (const RunColumn& column : RunColumns()) line += ',' + column.name;
    return line + '\n';
}

}  // namespace

void AppendCsvNumber(std::string& line, double value) {
    char buffer[32];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 17);
    line.append(buffer, result.ptr);
}

std::string CsvNumber(double value) {
    std::string text;
    AppendCsvNumber(text, value);
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
    const std::vector<RunColumn>& columns = RunColumns();
    AppendSweepRow(
        line, plan, point.index, [&](std::size_t c) { return ColumnNumber(columns[c], point.run); },
        [&](std::size_t c) { return ColumnText(columns[c], point.run); });
    return line;
}

std::string SingleRunCsv(const RunResult& run) {
    const SweepPlan single{};
    std::string csv = SweepHeader(single);
    csv += SweepRow(single, {0, run});
    return csv;
}

std::string ProfileCsv(const std::vector<ChannelPoint>& points) {
    std::string csv =
        "z,InletFlowFraction,OutletFlowFraction,RelPressureInlet,RelPressureOutlet,"
        "PressureInlet,PressureOutlet\n";
    for (const ChannelPoint& p : points) {
        for (const double value : {p.z, p.inletFraction, p.outletFraction, p.relPressureInlet,
                                   p.relPressureOutlet, p.pressureInlet}) {
            AppendCsvNumber(csv, value);
            csv += ',';
        }
        AppendCsvNumber(csv, p.pressureOutlet);
        csv += '\n';
    }
    return csv;
}

}  // namespace vortane
