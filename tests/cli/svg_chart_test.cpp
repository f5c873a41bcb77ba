#include "cli/svg_chart.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <regex>

namespace vortane::cli {
namespace {

TEST(SvgChart, NiceScalesCoverTheDataInWholeSteps) {
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

    const AxisScale flat = NiceScale(5, 5);  // one value: widened around it
    EXPECT_LT(flat.low, 5);
    EXPECT_GT(flat.high, 5);
    const AxisScale zero = NiceScale(0, 0);
    EXPECT_LT(zero.low, 0);
    EXPECT_GT(zero.high, 0);
}

TEST(SvgChart, TicksAndTheirLabels) {
    EXPECT_EQ(TickValues({0, 1, 0.2}), (std::vector<double>{0, 0.2, 0.4, 0.6, 0.8, 1}));
    EXPECT_EQ(TickValues({-0.4, 0.4, 0.2}), (std::vector<double>{-0.4, -0.2, 0, 0.2, 0.4}));
    EXPECT_EQ(TickLabel(0.6000000000000001, 0.2), "0.6");
    EXPECT_EQ(TickLabel(150, 50), "150");
    EXPECT_EQ(TickLabel(-1e-17, 0.05), "0.00");
    EXPECT_EQ(TickLabel(2.5e-5, 5e-6), "0.000025");
}

TEST(SvgChart, DecadesOfLogarithmicAxes) {
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

TEST(SvgChart, EscapesMarkup) {
    EXPECT_EQ(EscapeXml("a < b & \"c\" > 'd'"), "a &lt; b &amp; &quot;c&quot; &gt; &apos;d&apos;");
    EXPECT_EQ(EscapeXml("Temperature Difference (℃)"), "Temperature Difference (℃)");
}

TEST(SvgChart, RampRunsFromBlueToRed) {
    EXPECT_EQ(RampColour(0), "#313695");
    EXPECT_EQ(RampColour(1), "#c01f2f");
    EXPECT_EQ(RampColour(-3), RampColour(0));
    EXPECT_NE(PaletteColour(0), PaletteColour(1));
}

// Every opened element is closed, in order, and the document is one svg element.
bool WellFormed(const std::string& svg) {
    std::vector<std::string> open;
    const std::regex tag("<(/?)([a-zA-Z]+)[^<>]*?(/?)>");
    std::size_t elements = 0;
    for (auto it = std::sregex_iterator(svg.begin(), svg.end(), tag); it != std::sregex_iterator();
         ++it) {
        const std::smatch& m = *it;
        if (m[1] == "/") {
            if (open.empty() || open.back() != m[2]) return false;
            open.pop_back();
        } else if (m[3] != "/") {
            if (open.empty()) ++elements;
            open.push_back(m[2]);
        }
    }
    return open.empty() && elements == 1 && svg.find("<svg ") != std::string::npos;
}

std::vector<std::string> Polylines(const std::string& svg) {
    std::vector<std::string> points;
    const std::regex polyline("<polyline[^>]* points=\"([^\"]*)\"");
    for (auto it = std::sregex_iterator(svg.begin(), svg.end(), polyline);
         it != std::sregex_iterator(); ++it)
        points.push_back((*it)[1]);
    return points;
}

// A point as the writer places it: two decimals at most, no trailing zeros.
std::string Point(double x, double y) {
    const auto number = [](double v) {
        char text[32];
        std::snprintf(text, sizeof text, "%.2f", v);
        std::string n = text;
        while (n.back() == '0') n.pop_back();
        if (n.back() == '.') n.pop_back();
        return n;
    };
    return number(x) + "," + number(y);
}

Chart TwoPanels() {
    const double gap = std::numeric_limits<double>::quiet_NaN();
    // Flagged: the second point, and the gap, which has nothing to ring.
    Series drop{"Drop <kgf>", {0, 1, 2, 3, 4}, {10, 20, gap, 40, 30}, "#000000", false, false, false,
                {false, true, true}};
    Series power{"Power & heat", {0, 1, 2, 3}, {1, 2, 3, 4}, "#ff0000", false, true, true, {}};
    Series share{"Share", {0, 3}, {0, 1}, "#00ff00", true, false, false, {}};
    return {"Study of \"rates\"",
            "Output (kg/hr)",
            {Panel{"Total Pressure Drop (kgf/cm2)", "", {drop}},
             Panel{"Power (kW)", "Share (-)", {power, share}}}};
}

TEST(SvgChart, DocumentWithAxesLabelsAndLegend) {
    const std::string svg = RenderSvg(TwoPanels());
    EXPECT_TRUE(WellFormed(svg)) << svg;
    for (const char* text : {">Study of &quot;rates&quot;</text>", ">Output (kg/hr)</text>",
                             ">Total Pressure Drop (kgf/cm2)</text>", ">Share (-)</text>",
                             ">Drop &lt;kgf&gt;</text>", ">Power &amp; heat</text>"})
        EXPECT_NE(svg.find(text), std::string::npos) << text;
    EXPECT_NE(svg.find("stroke-dasharray"), std::string::npos);
    EXPECT_EQ(std::count(svg.begin(), svg.end(), '\n') > 50, true);
    // One ring on the plot, one in the legend beside its entry.
    const auto rings = [](const std::string& text) {
        std::size_t count = 0;
        for (std::size_t at = text.find("r=\"5\""); at != std::string::npos; at = text.find("r=\"5\"", at + 1))
            ++count;
        return count;
    };
    EXPECT_EQ(rings(svg), 2u);
    EXPECT_NE(svg.find(">point with warnings</text>"), std::string::npos);
    Chart plain = TwoPanels();
    plain.panels[0].series[0].flagged.clear();
    const std::string unflagged = RenderSvg(plain);
    EXPECT_EQ(rings(unflagged), 0u);
    EXPECT_EQ(unflagged.find("point with warnings"), std::string::npos);
}

// Points map linearly into the plotting area; a gap splits the line.
TEST(SvgChart, LinesFollowTheScalesAndBreakAtGaps) {
    const std::vector<std::string> lines = Polylines(RenderSvg(TwoPanels()));
    ASSERT_EQ(lines.size(), 4u);  // the drop in two pieces, power, share
    // Drop panel: x from 0 to 4 over the plot's width, y 10...40 over its
    // height (top at 50, 250 high).
    const std::string first = lines[0].substr(0, lines[0].find(' '));
    EXPECT_EQ(first, "90,300");
    const double width = std::stod(lines[1].substr(lines[1].find(' ') + 1)) - 90;
    EXPECT_EQ(lines[1], Point(90 + width * 3 / 4, 50) + " " + Point(90 + width, 133.33));
    // The share runs along the second axis from the bottom of the lower panel
    // (top at 330) to its top.
    EXPECT_EQ(lines[3], "90,580 " + Point(90 + width * 3 / 4, 330));
}

// On log axes 10 lies halfway between 1 and 100; a value that has no
// logarithm is a gap, which leaves the last point without a line.
TEST(SvgChart, LogAxesPlaceDecadesEvenly) {
    Chart chart{"Log", "x", {Panel{"y", "", {{"law", {1, 10, 100, 0, 1000}, {100, 10, 1, 1, 0.1}, "#000000", false, false, false, {}, true}}, true}}, true};
    const std::vector<std::string> lines = Polylines(RenderSvg(chart));
    ASSERT_EQ(lines.size(), 1u);
    const std::string second = lines[0].substr(lines[0].find(' ') + 1);
    const double x1 = std::stod(lines[0]), x2 = std::stod(second), x3 = std::stod(second.substr(second.find(' ') + 1));
    EXPECT_NEAR(x2 - x1, x3 - x2, 0.02);
}

TEST(SvgChart, LegendShowsAtMostTwelveEntries) {
    Chart chart{"Many", "x", {Panel{"y", "", {}}}};
    for (int i = 0; i < 30; ++i)
        chart.panels[0].series.push_back(
            {"curve " + std::to_string(i), {0, 1}, {0, double(i)}, RampColour(i / 29.0), false, false,
             false, {}});
    const std::string svg = RenderSvg(chart);
    EXPECT_NE(svg.find(">curve 0</text>"), std::string::npos);
    EXPECT_NE(svg.find(">curve 29</text>"), std::string::npos);
    EXPECT_EQ(svg.find(">curve 1</text>"), std::string::npos);
    EXPECT_NE(svg.find(">(30 curves in all)</text>"), std::string::npos);
    EXPECT_EQ(Polylines(svg).size(), 30u);
}

}  // namespace
}  // namespace vortane::cli
