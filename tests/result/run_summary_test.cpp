#include "result/run_summary.h"

#include <gtest/gtest.h>

#include "support/case_request.h"

namespace vortane {
namespace {

const SummaryValue& Value(const std::vector<SummaryValue>& values, std::string_view name) {
    for (const SummaryValue& value : values)
        if (value.name == name) return value;
    throw std::invalid_argument("no " + std::string(name));
}

// The absolute end pressures are the relative ones of the record times the
// inlet pressure, from the closed-form profile; the report's values keep the
// report's digits.
TEST(RunSummary, CompleteRunShowsTheReportsValuesAndTheEndPressures) {
    const RunResult run = RunCalculation(testing::UnreportedRequest());
    const RunSummary summary = SummarizeRun(run, ',');
    EXPECT_TRUE(summary.stop.empty());
    EXPECT_EQ(Value(summary.channel, "ChannelWidth").text, "2,583");
    EXPECT_EQ(Value(summary.results, "TotalPressureDrop").text, "21,69");
    EXPECT_EQ(Value(summary.results, "PowerKW").value, run.data.PowerKW);
    EXPECT_EQ(Value(summary.results, "PressureInletStart").value, 200);
    EXPECT_NEAR(Value(summary.results, "PressureInletEnd").value, run.data.RelPressureInletEnd * 200, 1e-9);
    EXPECT_NEAR(Value(summary.results, "PressureOutletStart").value, run.data.RelPressureOutletStart * 200, 1e-9);
    EXPECT_NEAR(Value(summary.results, "PressureOutletEnd").value, run.data.RelPressureOutletEnd * 200, 1e-9);
    EXPECT_EQ(Value(summary.results, "Passes").text, "3");
    EXPECT_EQ(summary.profile.size(), 101u);
}

TEST(RunSummary, StoppedRunSaysWhatStoppedItAndWhatTheReportHolds) {
    const RunSummary pressure =
        SummarizeRun(RunCalculation(testing::UnreportedRequest({{"InletPressure", "21"}})), '.');
    EXPECT_EQ(pressure.stop, "Assumed inlet pressure is too low!");
    EXPECT_EQ(pressure.channel.size(), 5u);
    EXPECT_TRUE(pressure.results.empty());
    EXPECT_TRUE(pressure.profile.empty());

    const RunSummary fault =
        SummarizeRun(RunCalculation(testing::UnreportedRequest({{"ChannelDepth", "0"}})), '.');
    EXPECT_EQ(fault.stop, "Invalid floating point operation");
    EXPECT_TRUE(fault.channel.empty());
    EXPECT_EQ(fault.blocksHeld, "no block");  // no report was asked for
}

}  // namespace
}  // namespace vortane
