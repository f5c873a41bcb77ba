#include "cli/study_plots.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/case_request.h"
#include "support/sweep_plans.h"

namespace vortane::cli {
namespace {

TEST(StudyPlots, SweepChartHasAPanelPerQuantityAndACurvePerSecondValue) {
    const SweepPlan plan = testing::DefaultPlan(
        {{"InletPressure", "21", "23", "1"}, {"ScrewSpeed", "60", "100", "40"}});
    SweepCurves curves(plan, MainSweepQuantities());
    std::vector<PointResult> points;
    RunSweep(plan, {2, {}, {}}, [&](const PointResult& point) {
        curves.Add(point);
        points.push_back(point);
    });
    const Chart chart = SweepChart(plan, curves);
    EXPECT_EQ(chart.xLabel, "Inlet Pressure (kgf/cm2)");
    ASSERT_EQ(chart.panels.size(), 3u);
    EXPECT_EQ(chart.panels[0].yLabel, "Total Pressure Drop (kgf/cm2)");
    EXPECT_EQ(chart.panels[1].yLabel, "Power Consumption at Mix. Part (kW)");
    EXPECT_EQ(chart.panels[2].yLabel, "Temperature Difference (℃)");
    for (const Panel& panel : chart.panels) {
        ASSERT_EQ(panel.series.size(), 2u);
        EXPECT_EQ(panel.series[0].label, "Number of Revolution = 60 rpm");
        EXPECT_EQ(panel.series[1].label, "Number of Revolution = 100 rpm");
        EXPECT_EQ(panel.series[0].x, (std::vector<double>{21, 22, 23}));
    }
    // Points that stopped leave gaps; the others carry their results.
    for (std::size_t i = 0; i < points.size(); ++i) {
        const double drop = chart.panels[0].series[i % 2].y[i / 2];
        if (points[i].run.outcome == RunOutcome::Complete)
            EXPECT_EQ(drop, points[i].run.data.TotalPressureDrop) << i;
        else
            EXPECT_TRUE(std::isnan(drop)) << i;
    }
    EXPECT_TRUE(std::isnan(chart.panels[2].series[0].y[0]));  // 21 kgf/cm2 at 60 rpm: too low
    EXPECT_FALSE(std::isnan(chart.panels[2].series[1].y[0]));
}

TEST(StudyPlots, SingleFieldSweepNamesTheQuantities) {
    const SweepPlan plan = testing::DefaultPlan({{"OutputRate", "100", "300", "100"}});
    SweepCurves curves(plan, MainSweepQuantities());
    RunSweep(plan, {1, {}, {}}, [&](const PointResult& point) { curves.Add(point); });
    const Chart chart = SweepChart(plan, curves);
    ASSERT_EQ(chart.panels.size(), 3u);
    EXPECT_EQ(chart.panels[0].series.at(0).label, "Total Pressure Drop");
    EXPECT_EQ(chart.panels[1].series.at(0).label, "Power Consumption at Mix. Part");
    EXPECT_NE(chart.panels[0].series[0].colour, chart.panels[1].series[0].colour);
}

TEST(StudyPlots, ProfileChartPutsTheFlowFractionOnTheSecondAxis) {
    const CaseData d = RunCalculation(testing::UnreportedRequest()).data;
    const Chart chart = ProfileChart(ProfileAlongChannels(d, 100));
    ASSERT_EQ(chart.panels.size(), 1u);
    const Panel& panel = chart.panels[0];
    EXPECT_EQ(panel.yLabel, "Pressure (kgf/cm2)");
    EXPECT_EQ(panel.y2Label, "Inlet flow fraction y (-)");
    ASSERT_EQ(panel.series.size(), 3u);
    EXPECT_FALSE(panel.series[0].rightAxis);
    EXPECT_TRUE(panel.series[2].rightAxis);
    EXPECT_EQ(panel.series[0].y.front(), 200);  // the inlet pressure at z = 0
    EXPECT_EQ(panel.series[2].x.size(), 101u);
}

}  // namespace
}  // namespace vortane::cli
