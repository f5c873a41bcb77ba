// The charts of a sweep: their titles, axes and curves.
#include "study/sweep_charts.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/chart_labels.h"
#include "support/sweep_plans.h"

namespace vortane {
namespace {

using testing::Labels;

TEST(SweepCharts, SweepHasAPanelPerQuantityAndACurvePerSecondValue) {
    const SweepPlan plan = testing::DefaultPlan({{"InletPressure", "21", "23", "1"}, {"ScrewSpeed", "60", "100", "40"}});
    SweepCurves curves(plan, MainSweepQuantities());
    std::vector<PointResult> points;
    RunSweep(plan, {2, {}, {}}, [&](const PointResult& point) {
        curves.Add(point);
        points.push_back(point);
    });
    const Chart chart = SweepChart(plan, curves, SweepCurveLimit);
    EXPECT_EQ(chart.title, "Mixing section against Inlet Pressure, one curve per Number of Revolution");
    EXPECT_EQ(AxisTitle(chart.x), "Inlet Pressure (kgf/cm2)");
    ASSERT_EQ(chart.panels.size(), 3u);
    EXPECT_EQ(AxisTitle(chart.panels[0].y), "Total Pressure Drop (kgf/cm2)");
    EXPECT_EQ(AxisTitle(chart.panels[1].y), "Power Consumption at Mix. Part (kW)");
    EXPECT_EQ(AxisTitle(chart.panels[2].y), "Temperature Difference (℃)");
    for (const ChartPanel& panel : chart.panels) {
        EXPECT_EQ(Labels(panel),
                  (std::vector<std::string>{"Number of Revolution = 60 rpm", "Number of Revolution = 100 rpm"}));
        EXPECT_EQ(panel.series[0].x, (std::vector<double>{21, 22, 23}));
        EXPECT_NE(panel.series[0].colour, panel.series[1].colour);
        EXPECT_TRUE(panel.series[0].markers);
    }
    // Points that stopped are gaps; the others carry their results.
    for (std::size_t i = 0; i < points.size(); ++i) {
        const double drop = chart.panels[0].series[points[i].index % 2].y[points[i].index / 2];
        if (points[i].run.outcome == RunOutcome::Complete)
            EXPECT_EQ(drop, points[i].run.data.TotalPressureDrop) << i;
        else
            EXPECT_TRUE(std::isnan(drop)) << i;
    }
    EXPECT_TRUE(std::isnan(chart.panels[2].series[0].y[0]));  // 21 kgf/cm2 at 60 rpm: too low
    EXPECT_FALSE(std::isnan(chart.panels[2].series[1].y[0]));
}

// In US units both axes carry their US unit and the points their converted
// values (1 lb = 0.45359237 kg; a temperature difference of 1 ℃ is 1.8 °F).
TEST(SweepCharts, SweepInAnotherSystemConvertsBothAxes) {
    const SweepPlan plan = testing::DefaultPlan({{"OutputRate", "100", "300", "100"}});
    SweepCurves curves(plan, MainSweepQuantities());
    std::vector<PointResult> points;
    RunSweep(plan, {1, {}, {}}, [&](const PointResult& point) {
        curves.Add(point);
        points.push_back(point);
    });
    const Chart chart = SweepChart(plan, curves, SweepCurveLimit, {}, UnitSystem::US);
    EXPECT_EQ(AxisTitle(chart.x), "Output (lb/hr)");
    ASSERT_EQ(chart.panels.size(), 3u);
    EXPECT_EQ(AxisTitle(chart.panels[0].y), "Total Pressure Drop (psi)");
    EXPECT_EQ(AxisTitle(chart.panels[2].y), "Temperature Difference (°F)");
    const ChartSeries& rise = chart.panels[2].series[0];
    for (const PointResult& point : points) {
        EXPECT_NEAR(rise.x[point.index], (100.0 + 100.0 * static_cast<double>(point.index)) / 0.45359237, 1e-9);
        EXPECT_NEAR(rise.y[point.index], point.run.data.TemperatureRise * 1.8, 1e-9);
    }
}

TEST(SweepCharts, SingleInputSweepNamesTheQuantities) {
    const SweepPlan plan = testing::DefaultPlan({{"OutputRate", "100", "300", "100"}});
    SweepCurves curves(plan, MainSweepQuantities());
    RunSweep(plan, {1, {}, {}}, [&](const PointResult& point) { curves.Add(point); });
    const Chart chart = SweepChart(plan, curves, SweepCurveLimit);
    EXPECT_EQ(chart.title, "Mixing section against Output");
    ASSERT_EQ(chart.panels.size(), 3u);
    EXPECT_EQ(Labels(chart.panels[0]), std::vector<std::string>{"Total Pressure Drop"});
    EXPECT_EQ(Labels(chart.panels[1]), std::vector<std::string>{"Power Consumption at Mix. Part"});
    EXPECT_NE(chart.panels[0].series[0].colour, chart.panels[1].series[0].colour);

    const Chart power = SweepQuantityChart(plan, curves, 1, SweepCurveLimit);
    EXPECT_EQ(power.title, "Power Consumption at Mix. Part against Output");
    ASSERT_EQ(power.panels.size(), 1u);
    EXPECT_EQ(AxisTitle(power.panels[0].y), "Power Consumption at Mix. Part (kW)");
}

// Beyond the limit, evenly chosen curves, the first and the last among them;
// the title says how many are shown. Many points are drawn without markers.
TEST(SweepCharts, ManyCurvesAreThinnedEvenly) {
    const SweepPlan plan = testing::DefaultPlan({{"OutputRate", "100", "300", "5"}, {"ScrewSpeed", "40", "80", "10"}});
    const SweepCurves curves(plan, MainSweepQuantities());
    const Chart chart = SweepQuantityChart(plan, curves, 0, 2);
    EXPECT_EQ(Labels(chart.panels[0]), (std::vector<std::string>{"Number of Revolution = 40 rpm",
                                                                   "Number of Revolution = 70 rpm",
                                                                   "Number of Revolution = 80 rpm"}));
    EXPECT_EQ(chart.title, "Total Pressure Drop against Output, one curve per Number of Revolution (3 of 5 curves)");
    EXPECT_FALSE(chart.panels[0].series[0].markers);  // 41 points a curve
    EXPECT_TRUE(std::isnan(chart.panels[0].series[0].y[0]));  // not yet run
    EXPECT_EQ(SweepQuantityChart(plan, curves, 0, 5).panels[0].series.size(), 5u);
}

}  // namespace
}  // namespace vortane
