// The chart of a viscosity fit: its axes and curves.
#include "measurement/fit_chart.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "support/measurements.h"

namespace vortane {
namespace {

// Points as open circles, the law as a line, both in one colour per
// temperature, on decades of both axes.
TEST(FitChart, FitShowsPointsAndLawPerTemperature) {
    Measurements m = ParseMeasurements(testing::DefaultLawMeasurements({150, 190, 230}, {1, 10, 100, 1000}),
                                       "melt.csv", std::nullopt);
    const Chart chart = FitChart(m, FitMeasurements(m), ',');
    EXPECT_EQ(chart.title, "Viscosity law fitted to melt.csv: points measured, lines fitted");
    EXPECT_EQ(chart.x.scale, Scale::Log);
    EXPECT_EQ(AxisTitle(chart.x), "Shear rate (1/s)");
    ASSERT_EQ(chart.panels.size(), 1u);
    EXPECT_EQ(chart.panels[0].y.scale, Scale::Log);
    EXPECT_EQ(AxisTitle(chart.panels[0].y), "Viscosity (Pa.s)");
    ASSERT_EQ(chart.panels[0].series.size(), 6u);
    const ChartSeries& points = chart.panels[0].series[0];
    const ChartSeries& law = chart.panels[0].series[1];
    EXPECT_EQ(points.label, "150 degC");
    EXPECT_EQ(law.label, "150 degC");
    EXPECT_EQ(FitChart(m, FitMeasurements(m), ',', UnitSystem::US).panels[0].series[2].label, "374 °F");
    EXPECT_EQ(points.colour, law.colour);
    EXPECT_NE(points.colour, chart.panels[0].series[2].colour);
    EXPECT_TRUE(points.markersOnly);
    EXPECT_FALSE(law.markersOnly);
    EXPECT_EQ(points.x, (std::vector<double>{1, 10, 100, 1000}));
    EXPECT_NEAR(law.y.front(), points.y.front(), points.y.front() * 1e-9);  // the law through noiseless points
}


}  // namespace
}  // namespace vortane
