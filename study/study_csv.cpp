#include "study/study_csv.h"

#include <charconv>

#include "report/report_layout.h"
#include "study/indicator_table.h"

namespace vortane {

namespace {

void AppendNumber(std::string& line, double value) {
    char buffer[32];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 17);
    line.append(buffer, result.ptr);
}

void AppendValues(std::string& line, const std::vector<ReportedValue>& values, const CaseData& data,
                  bool reported) {
    for (const ReportedValue& value : values) {
        line += ',';
        if (reported) AppendNumber(line, data.*value.field);
    }
}

void AppendNames(std::string& line, const std::vector<ReportedValue>& values) {
    for (const ReportedValue& value : values) {
        line += ',';
        line += value.name;
    }
}

std::string Joined(const std::vector<std::string>& texts) {
    std::string joined;
    for (const std::string& text : texts) joined += (joined.empty() ? "" : "; ") + text;
    return joined;
}

// What the run showed, the fault last, joined by "; ".
std::string JoinedMessages(const RunResult& run) {
    std::string joined = Joined(run.messages);
    if (run.outcome == RunOutcome::Fault) joined += (joined.empty() ? "" : "; ") + run.fault;
    return joined;
}

// Outcome ... Warnings: the columns every row has after the swept fields.
std::string RunColumnsHeader() {
    std::string line = ",Outcome,Passes,Message";
    AppendNames(line, ChannelValues());
    AppendNames(line, ResultValues());
    for (const IndicatorColumn& column : IndicatorColumns())
        line += ',' + std::string(column.name) + " (" + std::string(column.unit) + ')';
    return line + ",Warnings\n";
}

void AppendRunColumns(std::string& line, const RunResult& run) {
    line += ',';
    line += OutcomeName(run.outcome);
    line += ',' + std::to_string(run.passes) + ',' + CsvField(JoinedMessages(run));
    AppendValues(line, ChannelValues(), run.data, HoldsChannelBlock(run.outcome));
    AppendValues(line, ResultValues(), run.data, run.outcome == RunOutcome::Complete);
    for (const IndicatorColumn& column : IndicatorColumns()) {
        line += ',';
        if (run.indicators) AppendNumber(line, column.value(*run.indicators));
    }
    line += ',' + CsvField(Joined(run.warnings)) + '\n';
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

std::string_view OutcomeName(RunOutcome outcome) {
    switch (outcome) {
        case RunOutcome::Complete: return "complete";
        case RunOutcome::InputRejected: return "input";
        case RunOutcome::FileNotOpened: return "file";
        case RunOutcome::ChannelRejected: return "channel";
        case RunOutcome::PressureTooLow: return "pressure";
        case RunOutcome::NotConverged: return "nonconvergent";
        case RunOutcome::Fault: return "fault";
    }
    return "fault";
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
