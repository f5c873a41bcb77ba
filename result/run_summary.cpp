#include "result/run_summary.h"

#include "report/report_layout.h"
#include "report/value_format.h"
#include "result/channel_profile.h"
#include "result/indicator_table.h"
#include "result/unit_caption.h"
#include "run/run_warnings.h"

namespace vortane {

namespace {

constexpr int ProfileSteps = 100;

std::vector<SummaryValue> Reported(const std::vector<ReportedValue>& values, const CaseData& data,
                                   char sep) {
    std::vector<SummaryValue> out;
    out.reserve(values.size());
    for (const ReportedValue& value : values)
        out.push_back({std::string(value.name), std::string(value.caption),
                       ReportedText(value, data, sep), data.*value.field, value.quantity});
    return out;
}

SummaryValue Pressure(std::string name, std::string caption, double value, char sep) {
    return {std::move(name), std::move(caption), FormatFixed(value, 7, 2, sep), value, Quantity::Pressure};
}

std::string BlocksHeld(int blocks) {
    constexpr const char* Held[] = {"no block", "the input block", "the input and channel blocks",
                                    "the input, channel and results blocks"};
    return Held[blocks < 0 || blocks > 3 ? 0 : blocks];
}

std::string StopOf(const RunResult& run) {
    if (run.outcome == RunOutcome::Fault) return run.fault;
    return run.messages.empty() ? std::string() : run.messages.back();
}

void ExpressIn(std::vector<SummaryValue>& values, UnitSystem system, char sep) {
    for (SummaryValue& value : values) {
        if (KeepsMetricUnit(value.quantity, system)) continue;
        value.caption = CaptionIn(value.caption, value.quantity, system);
        value.text = ValueTextIn(value.value, value.quantity, system, sep);
        value.value = InSystem(value.value, value.quantity, system);
    }
}

RunSummary MetricSummary(const RunResult& run, char decimalSeparator) {
    RunSummary summary;
    summary.blocksHeld = BlocksHeld(run.blocksWritten);
    summary.detail = run.detail;
    if (HoldsChannelBlock(run.outcome))
        summary.channel = Reported(ChannelValues(), run.data, decimalSeparator);
    if (run.outcome != RunOutcome::Complete) {
        summary.stop = StopOf(run);
        return summary;
    }
    summary.results = Reported(ResultValues(), run.data, decimalSeparator);
    ChannelProfile profile = ProfileOfRun(run, ProfileSteps);
    summary.profileFault = std::move(profile.fault);
    summary.profile = std::move(profile.points);
    if (!summary.profile.empty()) {
        const ChannelPoint& start = summary.profile.front();
        const ChannelPoint& end = summary.profile.back();
        const char sep = decimalSeparator;
        summary.results.push_back(Pressure("PressureInletStart",
                                           "Pressure at Inlet Channel Start (kgf/cm2)",
                                           start.pressureInlet, sep));
        summary.results.push_back(Pressure("PressureInletEnd", "Pressure at Inlet Channel End (kgf/cm2)",
                                           end.pressureInlet, sep));
        summary.results.push_back(Pressure("PressureOutletStart",
                                           "Pressure at Outlet Channel Start (kgf/cm2)",
                                           start.pressureOutlet, sep));
        summary.results.push_back(Pressure("PressureOutletEnd", "Pressure at Outlet Channel End (kgf/cm2)",
                                           end.pressureOutlet, sep));
    }
    summary.results.push_back({"Passes", "Passes of the temperature iteration (-)",
                               std::to_string(run.passes), static_cast<double>(run.passes)});
    if (run.indicators)
        for (const IndicatorColumn& column : IndicatorColumns()) {
            const double value = column.value(*run.indicators);
            summary.indicators.push_back({std::string(column.name), std::string(column.caption),
                                          FormatGeneral(value, 7, 2, decimalSeparator), value,
                                          column.quantity});
        }
    return summary;
}

}  // namespace

RunSummary SummarizeRun(const RunResult& run, char decimalSeparator, UnitSystem system) {
    RunSummary summary = MetricSummary(run, decimalSeparator);
    summary.warnings = WarningTexts(run, system, decimalSeparator);
    for (auto* values : {&summary.channel, &summary.results, &summary.indicators})
        ExpressIn(*values, system, decimalSeparator);
    return summary;
}

}  // namespace vortane
