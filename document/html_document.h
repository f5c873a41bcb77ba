#pragma once

#include <string>

#include "document/report_document.h"

namespace vortane {

// The document as one self-contained UTF-8 HTML page: its styles (with a print
// stylesheet) in the page, the chart as inline SVG, nothing loaded from
// elsewhere. Every element is closed, so the page also reads as XML.
std::string HtmlDocument(const ReportDocument& document);

}  // namespace vortane
