// The history of a search as a chart: the quantity at each run with gaps where
// a run stopped, the best run that met the limits so far, and each limit's
// margin in percent of its bound.
#include "design/history_chart.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vortane {
namespace {

Evaluation Made(std::optional<double> objective, std::vector<std::optional<double>> margins = {},
               RunOutcome outcome = RunOutcome::Complete) {
    return {{}, {}, outcome, objective, std::move(margins)};
}

TEST(HistoryChart, GoalSeekShowsTheQuantityWithItsUnitAndTheTarget) {
    const std::vector<Evaluation> history{Made(20), Made(std::nullopt, {}, RunOutcome::PressureTooLow), Made(31)};
    const Chart chart = GoalSeekChart(history, "TemperatureRise", 30);
    EXPECT_EQ(AxisTitle(chart.x), "Run (-)");
    ASSERT_EQ(chart.panels.size(), 1u);
    EXPECT_EQ(AxisTitle(chart.panels[0].y), "Temperature Difference (℃)");
    ASSERT_EQ(chart.panels[0].series.size(), 2u);
    const ChartSeries& values = chart.panels[0].series[0];
    EXPECT_EQ(values.x, (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(values.y[0], 20);
    EXPECT_TRUE(std::isnan(values.y[1]));
    EXPECT_EQ(values.y[2], 31);
    const ChartSeries& target = chart.panels[0].series[1];
    EXPECT_TRUE(target.dashed);
    EXPECT_EQ(target.y, (std::vector<double>{30, 30}));
    EXPECT_EQ(target.x, (std::vector<double>{1, 3}));
}

TEST(HistoryChart, BestSoFarCountsOnlyRunsMeetingEveryLimit) {
    const std::vector<Limit> limits{ParseLimit("TemperatureRise<=30"), ParseLimit("Barrier1ShearStress>=120")};
    const std::vector<Evaluation> history{
        Made(50, {3, 12}),                                 // meets both
        Made(10, {-1.5, 60}),                              // lower, but too hot
        Made(40, {0, 0}),                                  // at both bounds: meets them
        Made(std::nullopt, {}, RunOutcome::NotConverged),  // stopped
        Made(45, {6, 24}),
    };
    const Chart chart = OptimisationChart(history, "TotalPressureDrop", false, limits);
    ASSERT_EQ(chart.panels.size(), 1u);
    const ChartPanel& panel = chart.panels[0];
    EXPECT_EQ(AxisTitle(panel.y), "Total Pressure Drop (kgf/cm2)");
    EXPECT_EQ(AxisTitle(panel.y2), "Limit margin (% of bound)");
    ASSERT_EQ(panel.series.size(), 5u);
    EXPECT_EQ(panel.series[1].label, "Best meeting the limits");
    EXPECT_EQ(panel.series[1].y, (std::vector<double>{50, 50, 40, 40, 40}));

    // The margins on the second axis, in percent of the bound.
    const ChartSeries& hot = panel.series[2];
    EXPECT_EQ(hot.label, "Temperature Difference (℃) ≤ 30");
    EXPECT_TRUE(hot.rightAxis);
    EXPECT_DOUBLE_EQ(hot.y[0], 10);
    EXPECT_DOUBLE_EQ(hot.y[1], -5);
    EXPECT_TRUE(std::isnan(hot.y[3]));
    const ChartSeries& stress = panel.series[3];
    EXPECT_EQ(stress.label, "Shear Stress over Barrier Flight 1 (kPa) ≥ 120");
    EXPECT_DOUBLE_EQ(stress.y[1], 50);
    EXPECT_EQ(panel.series[4].y, (std::vector<double>{0, 0}));  // the limit itself
}

TEST(HistoryChart, MarginsOfABoundOfZeroAreHeldWithinAHundredPercent) {
    const std::vector<Limit> limits{ParseLimit("LeastInletPressure>=0")};
    const std::vector<Evaluation> history{Made(1, {173}), Made(2, {-0.5})};
    const Chart chart = OptimisationChart(history, "TotalPressureDrop", false, limits);
    EXPECT_EQ(chart.panels[0].series[2].y, (std::vector<double>{100, -50}));
}

// With no limits the best so far claims none: "Best design".
TEST(HistoryChart, MaximisingKeepsTheHighestAndNoLimitsNoMarginPanel) {
    const std::vector<Evaluation> history{Made(5), Made(9), Made(7)};
    const Chart chart = OptimisationChart(history, "OutputRate", true, {});
    ASSERT_EQ(chart.panels.size(), 1u);
    EXPECT_EQ(chart.panels[0].series[1].label, "Best design");
    EXPECT_EQ(chart.panels[0].series[1].y, (std::vector<double>{5, 9, 9}));
    for (const LegendEntry& entry : LegendOf(chart, 10)) EXPECT_EQ(entry.label.find("limit"), std::string::npos);
}

}  // namespace
}  // namespace vortane
