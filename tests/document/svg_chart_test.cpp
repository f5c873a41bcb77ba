// The SVG writer: a well-formed document whose elements say what the chart
// holds.
#include "document/svg_chart.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <limits>
#include <map>
#include <regex>

namespace vortane {
namespace {

constexpr double Gap = std::numeric_limits<double>::quiet_NaN();

struct Element {
    std::string name;
    std::map<std::string, std::string> attributes;
    std::string text;  // the character data directly inside, unescaped
};

std::string Unescape(std::string text) {
    static const std::pair<const char*, const char*> Entities[]{
        {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}, {"&amp;", "&"}};
    for (const auto& [entity, character] : Entities)
        for (std::size_t at; (at = text.find(entity)) != std::string::npos;) text.replace(at, std::strlen(entity), character);
    return text;
}

// The elements of an XML document in document order; fails the test unless it
// is one root element, every element closed in order, every attribute quoted
// and no raw '<' or '&' outside markup and entities.
std::vector<Element> Parse(const std::string& xml) {
    std::vector<Element> elements;
    std::vector<std::size_t> open;
    std::size_t roots = 0;
    const std::regex markup(R"(<\?xml[^>]*\?>|<(/?)([A-Za-z]+)((?:\s+[A-Za-z][A-Za-z0-9:-]*="[^"<]*")*)\s*(/?)>)");
    const std::regex attribute(R"lit(([A-Za-z][A-Za-z0-9:-]*)="([^"]*)")lit");
    const std::regex text(R"(^(?:[^<&]|&(?:lt|gt|amp|quot|apos);)*$)");
    std::size_t at = 0;
    for (auto it = std::sregex_iterator(xml.begin(), xml.end(), markup); it != std::sregex_iterator(); ++it) {
        const std::smatch& m = *it;
        const std::string between = xml.substr(at, static_cast<std::size_t>(m.position()) - at);
        EXPECT_TRUE(std::regex_match(between, text)) << "stray text: " << between;
        if (!open.empty()) elements[open.back()].text += Unescape(between);
        at = static_cast<std::size_t>(m.position() + m.length());
        if (m[2].length() == 0) continue;  // the declaration
        if (m[1] == "/") {
            EXPECT_TRUE(!open.empty() && elements[open.back()].name == m[2]) << "misnested </" << m[2] << ">";
            if (!open.empty()) open.pop_back();
            continue;
        }
        Element element{m[2], {}, {}};
        const std::string attributes = m[3];
        for (auto a = std::sregex_iterator(attributes.begin(), attributes.end(), attribute); a != std::sregex_iterator(); ++a)
            element.attributes[(*a)[1]] = Unescape((*a)[2]);
        if (open.empty()) ++roots;
        elements.push_back(element);
        if (m[4] != "/") open.push_back(elements.size() - 1);
    }
    EXPECT_TRUE(std::all_of(xml.begin() + static_cast<std::ptrdiff_t>(at), xml.end(), [](char c) { return std::isspace(c); }));
    EXPECT_TRUE(open.empty());
    EXPECT_EQ(roots, 1u);
    return elements;
}

std::vector<Element> Named(const std::vector<Element>& elements, const std::string& name,
                           const std::string& attribute = {}, const std::string& value = {}) {
    std::vector<Element> found;
    for (const Element& e : elements)
        if (e.name == name && (attribute.empty() || (e.attributes.contains(attribute) && e.attributes.at(attribute) == value)))
            found.push_back(e);
    return found;
}

std::size_t TextCount(const std::vector<Element>& elements, const std::string& text) {
    const std::vector<Element> texts = Named(elements, "text");
    return static_cast<std::size_t>(std::count_if(texts.begin(), texts.end(), [&](const Element& e) { return e.text == text; }));
}

// Two panels: a drop with a stopped point and a warned one, a power with
// markers, a share on the lower panel's second axis; labels with markup.
Chart TwoPanels() {
    ChartSeries drop{"Drop <kgf>", {0, 1, 2, 3, 4}, {10, 20, Gap, 40, 30}, PaletteColour(0)};
    drop.warned = {false, true, true};  // the third is a gap: nothing to ring
    ChartSeries power{"Power & heat", {0, 1, 2, 3}, {1, 2, 3, 4}, PaletteColour(1)};
    power.markers = power.dashed = true;
    ChartSeries share{"Share", {0, 3}, {0, 1}, PaletteColour(2)};
    share.rightAxis = true;
    return {"Study of \"rates\"",
            {"Output", "kg/hr"},
            {{{"Total Pressure Drop", "kgf/cm2"}, {}, {drop}}, {{"Power", "kW"}, {"Share", "-"}, {power, share}}}};
}

TEST(SvgChart, DocumentNamesTheChartItsAxesAndEveryLegendLabelOnce) {
    const std::vector<Element> svg = Parse(SvgDocument(TwoPanels()));
    ASSERT_FALSE(svg.empty());
    EXPECT_EQ(svg.front().name, "svg");
    ASSERT_EQ(Named(svg, "title").size(), 1u);
    EXPECT_EQ(Named(svg, "title")[0].text, "Study of \"rates\"");
    for (const char* text : {"Study of \"rates\"", "Output (kg/hr)", "Total Pressure Drop (kgf/cm2)", "Power (kW)",
                             "Share (-)", "Drop <kgf>", "Power & heat", "point with warnings"})
        EXPECT_EQ(TextCount(svg, text), 1u) << text;
}

// Charts stacked in one document: each its own <svg> placed below the one
// before, the document as tall as they are together; one chart alone is
// drawn as SvgDocument draws it.
TEST(SvgChart, ChartsStackInOneDocument) {
    Chart one = TwoPanels();
    one.panels.pop_back();
    const std::vector<Chart> charts = {TwoPanels(), one};
    const std::vector<Element> svg = Parse(SvgDocument(std::span<const Chart>(charts)));
    const std::vector<Element> documents = Named(svg, "svg");
    ASSERT_EQ(documents.size(), 3u);
    EXPECT_EQ(documents[0].attributes.at("xmlns"), "http://www.w3.org/2000/svg");
    EXPECT_EQ(documents[1].attributes.at("y"), "0");
    EXPECT_EQ(documents[2].attributes.at("y"), documents[1].attributes.at("height"));
    EXPECT_DOUBLE_EQ(std::stod(documents[0].attributes.at("height")),
                     std::stod(documents[1].attributes.at("height")) + std::stod(documents[2].attributes.at("height")));
    EXPECT_EQ(Named(svg, "title").size(), 2u);
    EXPECT_EQ(SvgDocument(std::span<const Chart>(charts.data(), 1)), SvgDocument(charts[0]));
}

TEST(SvgChart, OnePolylinePerUnbrokenRunOfPoints) {
    const std::vector<Element> svg = Parse(SvgDocument(TwoPanels()));
    const std::vector<Element> lines = Named(svg, "polyline");
    ASSERT_EQ(lines.size(), 4u);  // the drop in two pieces, power, share
    const auto points = [](const Element& e) {
        const std::string p = e.attributes.at("points");
        return std::count(p.begin(), p.end(), ',');
    };
    EXPECT_EQ(points(lines[0]), 2);
    EXPECT_EQ(points(lines[1]), 2);
    EXPECT_EQ(points(lines[2]), 4);
    EXPECT_EQ(lines[0].attributes.at("stroke"), HexColour(PaletteColour(0)));
    EXPECT_EQ(lines[2].attributes.count("stroke-dasharray"), 1u);
    EXPECT_EQ(lines[0].attributes.count("stroke-dasharray"), 0u);

    // A point alone between gaps is no line; markers alone are circles.
    ChartSeries lone{"lone", {0, 1, 2}, {Gap, 5, Gap}, PaletteColour(0)};
    ChartSeries measured{"measured", {0, 1, 2}, {1, 2, 3}, PaletteColour(1)};
    measured.markersOnly = true;
    const std::vector<Element> other = Parse(SvgDocument({"t", {"x", ""}, {{{"y", ""}, {}, {lone, measured}}}}));
    EXPECT_TRUE(Named(other, "polyline").empty());
    EXPECT_EQ(Named(other, "circle", "stroke", HexColour(PaletteColour(1))).size(), 3u);
}

TEST(SvgChart, WarnedPointsAreRingedInRed) {
    const std::string red = HexColour(WarningColour);
    const std::vector<Element> svg = Parse(SvgDocument(TwoPanels()));
    EXPECT_EQ(Named(svg, "circle", "stroke", red).size(), 2u);  // the point and the legend's mark
    Chart plain = TwoPanels();
    plain.panels[0].series[0].warned.clear();
    const std::vector<Element> unwarned = Parse(SvgDocument(plain));
    EXPECT_TRUE(Named(unwarned, "circle", "stroke", red).empty());
    EXPECT_EQ(TextCount(unwarned, "point with warnings"), 0u);
}

// Decades of a log axis are labelled at round values and lie evenly apart; a
// value without a logarithm is a gap.
TEST(SvgChart, LogAxesTickWholeDecades) {
    const Chart chart{"Log",
                      {"Shear rate", "1/s", Scale::Log},
                      {{{"Viscosity", "Pa.s", Scale::Log}, {}, {{"law", {1, 10, 100, 0, 1000}, {100, 10, 1, 1, 0.1}}}}}};
    const std::vector<Element> svg = Parse(SvgDocument(chart));
    for (const char* tick : {"0.1", "1", "10", "100", "1000"}) EXPECT_GE(TextCount(svg, tick), 1u) << tick;
    EXPECT_EQ(TextCount(svg, "0.5"), 0u);
    const std::vector<Element> lines = Named(svg, "polyline");
    ASSERT_EQ(lines.size(), 1u);  // 1, 10, 100; then 0 breaks it, 1000 stands alone
    std::vector<double> x;
    const std::string points = lines[0].attributes.at("points");
    const std::regex pair(R"(([-\d.]+),([-\d.]+))");
    for (auto it = std::sregex_iterator(points.begin(), points.end(), pair); it != std::sregex_iterator(); ++it)
        x.push_back(std::stod((*it)[1]));
    ASSERT_EQ(x.size(), 3u);
    EXPECT_NEAR(x[1] - x[0], x[2] - x[1], 0.02);
}

TEST(SvgChart, ManyCurvesListSomeAndCountThemAll) {
    Chart chart{"Many", {"x", ""}, {{{"y", ""}, {}, {}}}};
    for (int i = 0; i < 30; ++i)
        chart.panels[0].series.push_back({"curve " + std::to_string(i), {0, 1}, {0, double(i)}, CurveColour(i, 30)});
    const std::vector<Element> svg = Parse(SvgDocument(chart));
    EXPECT_EQ(TextCount(svg, "curve 0"), 1u);
    EXPECT_EQ(TextCount(svg, "curve 29"), 1u);
    EXPECT_EQ(TextCount(svg, "curve 1"), 0u);
    EXPECT_EQ(TextCount(svg, "(30 curves in all)"), 1u);
    EXPECT_EQ(Named(svg, "polyline").size(), 30u);
}

}  // namespace
}  // namespace vortane
