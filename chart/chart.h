#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
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

// The lines of limits, and the mark of points that fail one.
inline constexpr Colour LimitColour{0x9c, 0x1f, 0x8a};
inline constexpr Colour FailColour{0x1a, 0x1a, 0x1a};

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
    std::vector<bool> failed{};  // points that fail a limit: a filled square
    bool limit = false;          // a limit's line: always in the legend
};

// One plotting area over the shared x axis: its y axis, a second one at the
// right for series marked so, and its series.
struct ChartPanel {
    ChartAxis y;
    ChartAxis y2;  // none when its quantity is empty
    std::vector<ChartSeries> series;
};

// What a cell of a map shows: "meets every limit", "fails Temperature
// Difference (℃) ≤ 30".
struct MapCategory {
    std::string label;
    Colour colour;
};

// A line between two points of a map, in the axes' values.
struct MapSegment {
    double x1, y1, x2, y2;
};

// A grid of two swept inputs, each cell coloured by its category: the chart's
// x axis is the first input (xValues), `y` the second (yValues). Cell (i, j)
// is cells[i * yValues.size() + j]; its edges lie halfway to its neighbours.
struct ChartMap {
    std::string title;
    ChartAxis y;
    std::vector<double> xValues, yValues;
    std::vector<std::string> xTexts, yTexts;  // the values as the boxes took them
    std::vector<std::size_t> cells;           // a category per cell
    std::vector<std::size_t> points;          // the sweep's point of each cell
    std::vector<MapCategory> categories;
    std::vector<MapSegment> boundary;  // around the cells of category 0
    // A quantity shading the cells of category 0 instead of their category's
    // colour: its value per cell (NaN where it shades none) over the ramp
    // from its least to its greatest value; none without.
    struct Shade {
        ChartAxis quantity;
        std::vector<double> values;
        double low, high;  // the finite values' span
    };
    std::optional<Shade> shade{};
};

// The colour cell `cell` of `map` is drawn in: its category's, or on the
// shade's ramp where it has a finite value.
Colour CellColour(const ChartMap& map, std::size_t cell);

// The cell whose edges (as CellEdges gives them, ascending or descending)
// hold `value`, found by arithmetic on evenly spaced edges and a few steps
// to either side where they are not; none outside the edges or for NaN.
std::optional<std::size_t> CellOf(const std::vector<double>& edges, double value);

// The edges of cells centred on ascending or descending `values`: halfway
// between neighbours, the outer ones as far out as the inner; one value gets a
// cell of width 1 (or of a tenth of its magnitude).
std::vector<double> CellEdges(const std::vector<double>& values);

// The categories a map's cells take, in order.
std::vector<std::size_t> ShownCategories(const ChartMap& map);

// "Number of Revolution = 80, Barrier Clearance = 0.05: fails Temperature
// Difference (℃) ≤ 30".
std::string MapCellText(const ChartMap& map, const ChartAxis& x, std::size_t i, std::size_t j);

struct Chart {
    std::string title;
    ChartAxis x;
    std::vector<ChartPanel> panels;  // stacked, sharing x
    std::optional<ChartMap> map{};   // drawn below the panels, over the same x input
};

// What the legend lists: one entry per label, every curve up to `limit` of
// them, else `limit` (two at least) spread evenly over the curves, the first
// and last among them, and a note of how many there are; then every limit's
// line, the mark of failing points when a point fails, and the ring of warned
// points when a point is warned.
struct LegendEntry {
    enum class Kind { Curve, Note, Ring, Limit, Failed, Cell, Boundary };
    Kind kind;
    std::string label;
    Colour colour;
    bool dashed = false;
};
inline constexpr std::size_t LegendLimit = 12;
std::vector<LegendEntry> LegendOf(const Chart& chart, std::size_t limit = LegendLimit);

// Whether point i of `series` is warned and shown.
bool IsWarned(const ChartSeries& series, std::size_t i);

// Whether point i of `series` fails a limit and is shown.
bool IsFailed(const ChartSeries& series, std::size_t i);

}  // namespace vortane
