#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vortane {

// A chart as plain data, drawn alike by every renderer: the window's and the
// SVG file writer.

struct Colour {
    std::uint8_t red, green, blue;
    bool operator==(const Colour&) const = default;
};

// "#rrggbb".
std::string HexColour(Colour colour);

// The fixed colours of the first few curves.
Colour PaletteColour(std::size_t index);

// Position t in [0, 1] along the ramp from blue over teal, green and orange to
// red, for curves of one swept value.
Colour RampColour(double t);

// The colour of curve `index` of `count`: the palette while it suffices, else
// the ramp from first to last.
Colour CurveColour(std::size_t index, std::size_t count);

// The mark of points with warnings.
inline constexpr Colour WarningColour{0xd6, 0x27, 0x28};

enum class Scale { Linear, Log };

// "Quantity (unit)"; a log axis shows whole decades.
struct ChartAxis {
    std::string quantity;
    std::string unit;
    Scale scale = Scale::Linear;
};
std::string AxisTitle(const ChartAxis& axis);

// A curve. A non-finite y is a gap, as is a value that has no logarithm on a
// log axis; warned points are ringed in red.
struct ChartSeries {
    std::string label;  // legend text; series of one label share one entry
    std::vector<double> x, y;
    Colour colour{0, 0, 0};
    bool rightAxis = false;
    bool dashed = false;
    bool markers = false;      // a mark at every point
    bool markersOnly = false;  // open circles without a line, as for measured points
    std::vector<bool> warned{};
};

// One plotting area over the shared x axis: its y axis, a second one at the
// right for series marked so, and its series.
struct ChartPanel {
    ChartAxis y;
    ChartAxis y2;  // none when its quantity is empty
    std::vector<ChartSeries> series;
};

struct Chart {
    std::string title;
    ChartAxis x;
    std::vector<ChartPanel> panels;  // stacked, sharing x
};

// What the legend lists: one entry per label, at most `limit` of them (two at
// least) spread evenly over the curves, the first and last among them, then a note of how many curves there are when
// some are left out, and the ring of warned points when a point is warned.
struct LegendEntry {
    enum class Kind { Curve, Note, Ring };
    Kind kind;
    std::string label;
    Colour colour;
    bool dashed = false;
};
inline constexpr std::size_t LegendLimit = 12;
std::vector<LegendEntry> LegendOf(const Chart& chart, std::size_t limit = LegendLimit);

// Whether point i of `series` is warned and shown.
bool IsWarned(const ChartSeries& series, std::size_t i);

}  // namespace vortane
