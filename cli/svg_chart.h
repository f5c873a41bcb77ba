#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vortane::cli {

// A line of a chart. A NaN y leaves a gap; a series on the right axis is
// scaled by the panel's second axis.
struct Series {
    std::string label;  // legend text; series of one label share one entry
    std::vector<double> x, y;
    std::string colour;  // any SVG colour
    bool rightAxis = false;
    bool dashed = false;
    bool markers = false;
    std::vector<bool> flagged;  // points ringed in red: points with warnings
    bool line = true;           // false: the markers alone, as for measured points
};

// One plotting area with its y axis (and a second one at the right when
// y2Label is not empty).
struct Panel {
    std::string yLabel;
    std::string y2Label;
    std::vector<Series> series;
    bool logY = false;  // decades of the left axis
};

// Panels stacked one above the other, sharing the x axis; the legend stands at
// the right, with an entry for the red rings when a point is flagged.
struct Chart {
    std::string title;
    std::string xLabel;
    std::vector<Panel> panels;
    bool logX = false;  // decades of the x axis
};

// An axis range widened to whole steps of 1, 2 or 5 times a power of ten, about
// `targetTicks` of them; an empty range is widened around its value.
struct AxisScale {
    double low, high, step;
};
AxisScale NiceScale(double low, double high, int targetTicks = 6);

// A logarithmic axis over decimal logarithms from `low` to `high`: whole
// decades, a tick every decade, or every few when they are many.
AxisScale DecadeScale(double low, double high);

// The label of the decade 10^exponent: "0.01", "1", "1000", "1E6".
std::string DecadeLabel(double exponent);

// The tick values of a scale, from low to high.
std::vector<double> TickValues(const AxisScale& scale);

// A tick value with as many decimals as its step needs.
std::string TickLabel(double value, double step);

std::string EscapeXml(std::string_view text);

// The colour of position t in [0, 1] along a blue-to-red ramp, for many
// series of one swept value.
std::string RampColour(double t);

// The fixed colours of the first few series.
std::string PaletteColour(std::size_t index);

// The whole SVG document.
std::string RenderSvg(const Chart& chart);

}  // namespace vortane::cli
