#pragma once

#include <span>
#include <string>
#include <string_view>

#include "chart/chart.h"

namespace vortane {

// The chart as a whole SVG document: the title above, the panels stacked over
// the shared x axis (its ticks and title under the lowest), the legend at the
// right. A curve is one polyline per unbroken run of points.
std::string SvgDocument(const Chart& chart);

// Charts stacked one below the other in one SVG document, each drawn as
// SvgDocument draws it alone.
std::string SvgDocument(std::span<const Chart> charts);

// The same drawing as an <svg> element to inline in an HTML page: no XML
// declaration, no namespace.
std::string SvgElement(const Chart& chart);

// Whether a file's name ends in .svg, in any case, and is more than that.
bool IsSvgName(std::string_view name);

// `text` with &, <, >, " and ' as XML entities, for text and attribute values.
std::string EscapeXml(std::string_view text);

}  // namespace vortane
