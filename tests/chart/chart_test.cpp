// The description's scales, colours and legend, shared by every renderer.
#include "chart/chart.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "chart/chart_scale.h"

namespace vortane {
namespace {

TEST(ChartScale, NiceScalesCoverTheDataInWholeSteps) {
    const AxisScale unit = NiceScale(0, 1);
    EXPECT_DOUBLE_EQ(unit.step, 0.2);
    EXPECT_DOUBLE_EQ(unit.low, 0);
    EXPECT_DOUBLE_EQ(unit.high, 1);

    const AxisScale rates = NiceScale(30, 300);
    EXPECT_DOUBLE_EQ(rates.step, 50);
    EXPECT_DOUBLE_EQ(rates.low, 0);
    EXPECT_DOUBLE_EQ(rates.high, 300);

    const AxisScale drops = NiceScale(-96.93, 47.2);
    EXPECT_DOUBLE_EQ(drops.step, 20);
    EXPECT_DOUBLE_EQ(drops.low, -100);
    EXPECT_DOUBLE_EQ(drops.high, 60);

    for (const double value : {5.0, 0.0}) {  // one value: widened around it
        const AxisScale flat = NiceScale(value, value);
        EXPECT_LT(flat.low, value);
        EXPECT_GT(flat.high, value);
    }
}

TEST(ChartScale, TicksAndTheirLabels) {
    EXPECT_EQ(TickValues({0, 1, 0.2}), (std::vector<double>{0, 0.2, 0.4, 0.6, 0.8, 1}));
    EXPECT_EQ(TickValues({-0.4, 0.4, 0.2}), (std::vector<double>{-0.4, -0.2, 0, 0.2, 0.4}));
    EXPECT_EQ(TickLabel(0.6000000000000001, 0.2), "0.6");
    EXPECT_EQ(TickLabel(150, 50), "150");
    EXPECT_EQ(TickLabel(-1e-17, 0.05), "0.00");
    EXPECT_EQ(TickLabel(2.5e-5, 5e-6), "0.000025");
}

TEST(ChartScale, DecadesOfLogAxes) {
    const AxisScale rates = DecadeScale(0, 4);  // 1 to 10000
    EXPECT_EQ(rates.low, 0);
    EXPECT_EQ(rates.high, 4);
    EXPECT_EQ(rates.step, 1);
    const AxisScale wide = DecadeScale(-6.5, 9.2);  // 17 decades: a tick every third
    EXPECT_EQ(wide.low, -9);
    EXPECT_EQ(wide.high, 12);
    EXPECT_EQ(wide.step, 3);
    const AxisScale one = DecadeScale(1.3, 1.3);
    EXPECT_EQ(one.low, 1);
    EXPECT_EQ(one.high, 2);
    EXPECT_EQ(DecadeLabel(0), "1");
    EXPECT_EQ(DecadeLabel(4), "10000");
    EXPECT_EQ(DecadeLabel(-2), "0.01");
    EXPECT_EQ(DecadeLabel(6), "1E6");
    EXPECT_EQ(DecadeLabel(-4), "1E-4");
}

// A log axis spans the decades of the positive values; the others are gaps.
TEST(ChartScale, AxesSpanTheValuesShown) {
    ChartPanel panel{{"Viscosity", "Pa.s", Scale::Log}, {"Share", "-"}, {}};
    panel.series.push_back({"law", {1, 2, 3}, {0.5, 2000, -1}});
    panel.series.push_back({"share", {1, 2, 3}, {0.25, std::numeric_limits<double>::quiet_NaN(), 3}});
    panel.series.back().rightAxis = true;
    const AxisScale y = YScale(panel, false);
    EXPECT_EQ(y.low, -1);
    EXPECT_EQ(y.high, 4);
    const AxisScale y2 = YScale(panel, true);
    EXPECT_LE(y2.low, 0.25);
    EXPECT_GE(y2.high, 3);
    EXPECT_TRUE(std::isnan(AxisValue(0, Scale::Log)));
    EXPECT_EQ(AxisValue(0, Scale::Linear), 0);
    EXPECT_EQ(AxisTitle(panel.y), "Viscosity (Pa.s)");
    EXPECT_EQ(AxisTitle({"Points", ""}), "Points");
}

TEST(ChartColours, PaletteThenOneRampFromBlueToRed) {
    EXPECT_EQ(HexColour(RampColour(0)), "#313695");
    EXPECT_EQ(HexColour(RampColour(1)), "#c01f2f");
    EXPECT_EQ(RampColour(-3), RampColour(0));
    EXPECT_EQ(HexColour(RampColour(0.5)), "#4daf4a");
    // Up to six curves take the palette's distinct colours; more, the ramp
    // from its first colour to its last.
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(CurveColour(i, 6), PaletteColour(i));
        for (std::size_t j = 0; j < i; ++j) EXPECT_NE(PaletteColour(i), PaletteColour(j));
    }
    EXPECT_EQ(CurveColour(0, 7), RampColour(0));
    EXPECT_EQ(CurveColour(6, 7), RampColour(1));
}

Chart Curves(int count, bool warned) {
    Chart chart{"Many", {"x", ""}, {{{"y", ""}, {}, {}}}};
    for (int i = 0; i < count; ++i) {
        ChartSeries series{"curve " + std::to_string(i), {0, 1}, {0, double(i)}, CurveColour(i, count)};
        if (warned && i == 1) series.warned = {false, true};
        chart.panels[0].series.push_back(series);
        chart.panels[0].series.push_back(series);  // the same label again: one entry
    }
    return chart;
}

std::vector<std::string> Labels(const std::vector<LegendEntry>& entries) {
    std::vector<std::string> labels;
    labels.reserve(entries.size());
    for (const LegendEntry& entry : entries) labels.push_back(entry.label);
    return labels;
}

TEST(ChartLegend, OneEntryPerLabelAtMostTwelveSpreadEvenly) {
    EXPECT_EQ(Labels(LegendOf(Curves(3, false))), (std::vector<std::string>{"curve 0", "curve 1", "curve 2"}));
    const std::vector<LegendEntry> many = LegendOf(Curves(30, true));
    ASSERT_EQ(many.size(), LegendLimit + 2);
    EXPECT_EQ(many.front().label, "curve 0");
    EXPECT_EQ(many[LegendLimit - 1].label, "curve 29");
    EXPECT_EQ(many[LegendLimit].kind, LegendEntry::Kind::Note);
    EXPECT_EQ(many[LegendLimit].label, "(30 curves in all)");
    EXPECT_EQ(many.back().kind, LegendEntry::Kind::Ring);
    EXPECT_EQ(many.back().colour, WarningColour);
    EXPECT_EQ(Labels(LegendOf(Curves(30, false), 3)),
              (std::vector<std::string>{"curve 0", "curve 14", "curve 29", "(30 curves in all)"}));
}

// A warned point in a gap has nothing to ring.
TEST(ChartLegend, RingOnlyForWarnedPointsShown) {
    Chart chart = Curves(2, false);
    chart.panels[0].series[0].y = {std::numeric_limits<double>::quiet_NaN(), 1};
    chart.panels[0].series[0].warned = {true, false};
    EXPECT_EQ(LegendOf(chart).back().kind, LegendEntry::Kind::Curve);
    chart.panels[0].series[0].warned = {false, true};
    EXPECT_EQ(LegendOf(chart).back().kind, LegendEntry::Kind::Ring);
}

// A map's cell under a value: arithmetic on even edges, a few steps on
// uneven ones, either direction; none outside or for NaN.
TEST(ChartMapCells, CellOfFindsTheCellHoldingAValue) {
    const std::vector<double> even = CellEdges({1, 2, 3, 4, 5});  // 0.5 ... 5.5
    EXPECT_EQ(CellOf(even, 0.5), 0u);
    EXPECT_EQ(CellOf(even, 1.49), 0u);
    EXPECT_EQ(CellOf(even, 1.5), 1u);
    EXPECT_EQ(CellOf(even, 5.5), 4u);
    EXPECT_FALSE(CellOf(even, 0.49));
    EXPECT_FALSE(CellOf(even, 5.51));
    EXPECT_FALSE(CellOf(even, std::nan("")));
    const std::vector<double> uneven = CellEdges({0, 0.1, 0.2, 10, 10.1});
    for (std::size_t i = 0; i + 1 < uneven.size(); ++i)
        EXPECT_EQ(CellOf(uneven, (uneven[i] + uneven[i + 1]) / 2), i) << i;
    const std::vector<double> descending = CellEdges({30, 20, 10});  // 35 ... 5
    EXPECT_EQ(CellOf(descending, 34), 0u);
    EXPECT_EQ(CellOf(descending, 14), 2u);
    EXPECT_FALSE(CellOf(descending, 36));
    EXPECT_EQ(CellOf(CellEdges({7}), 7), 0u);
    EXPECT_FALSE(CellOf({}, 0));
    // A million cells: every hundred-thousandth centre found.
    std::vector<double> values(1'000'000);
    for (std::size_t i = 0; i < values.size(); ++i) values[i] = 0.03 + 1e-7 * static_cast<double>(i);
    const std::vector<double> fine = CellEdges(values);
    for (std::size_t i = 0; i < values.size(); i += 99'999) EXPECT_EQ(CellOf(fine, values[i]), i);
}

// A shaded cell takes the ramp at its value's place in the span; cells
// without a value keep their category's colour.
TEST(ChartMapCells, CellColourOfCategoriesAndShade) {
    ChartMap map;
    map.categories = {{"meets every limit", {1, 2, 3}}, {"stopped", {4, 5, 6}}};
    map.cells = {0, 0, 0, 1};
    EXPECT_EQ(CellColour(map, 0), (Colour{1, 2, 3}));
    map.shade = ChartMap::Shade{{"Temperature Difference", "℃"}, {10, 20, std::nan(""), std::nan("")}, 10, 20};
    EXPECT_EQ(CellColour(map, 0), RampColour(0));
    EXPECT_EQ(CellColour(map, 1), RampColour(1));
    EXPECT_EQ(CellColour(map, 2), (Colour{1, 2, 3}));
    EXPECT_EQ(CellColour(map, 3), (Colour{4, 5, 6}));
    map.shade->high = 10;  // one value: the ramp's middle
    EXPECT_EQ(CellColour(map, 0), RampColour(0.5));
}

}  // namespace
}  // namespace vortane
