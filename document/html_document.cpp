#include "document/html_document.h"

#include <algorithm>

#include "document/svg_chart.h"

namespace vortane {

namespace {

constexpr const char* Style = R"(body { font-family: "DejaVu Sans", Arial, sans-serif; font-size: 14px; color: #111;
  max-width: 960px; margin: 24px auto; padding: 0 16px; }
h1 { font-size: 22px; margin: 0 0 8px; }
h2 { font-size: 17px; margin: 24px 0 6px; border-bottom: 1px solid #999; }
table { border-collapse: collapse; }
th, td { padding: 2px 10px 2px 0; vertical-align: top; }
th { text-align: left; font-weight: normal; }
td.value { font-variant-numeric: tabular-nums; }
table.grid { font-size: 11px; }
table.grid th, table.grid td { border: 1px solid #ccc; padding: 1px 4px; white-space: nowrap; }
table.grid th { font-weight: bold; background: #f0f0f0; }
.wide { overflow-x: auto; }
.columns { column-count: 2; column-gap: 32px; }
.columns section { break-inside: avoid; }
.columns h2:first-child { margin-top: 12px; }
ul.notes { margin: 4px 0; padding-left: 20px; }
figure { margin: 16px 0; }
figure svg { max-width: 100%; height: auto; }
@media print {
  body { margin: 0; max-width: none; font-size: 11pt; }
  h2 { break-after: avoid; }
  table, figure { break-inside: avoid; }
  .wide { overflow: visible; }
  table.grid { font-size: 7pt; }
}
)";

std::string Cell(const char* tag, const std::string& text, const char* attributes = "") {
    return std::string("<") + tag + attributes + ">" + EscapeXml(text) + "</" + tag + ">";
}

// Caption and value a row.
void AppendPairs(std::string& html, const std::vector<std::vector<std::string>>& rows) {
    html += "<table>\n";
    for (const std::vector<std::string>& row : rows) {
        html += "<tr>";
        if (!row.empty()) html += Cell("th", row.front(), " scope=\"row\"");
        for (std::size_t i = 1; i < row.size(); ++i) html += Cell("td", row[i], " class=\"value\"");
        html += "</tr>\n";
    }
    html += "</table>\n";
}

void AppendGrid(std::string& html, const DocumentSection& section) {
    html += "<div class=\"wide\"><table class=\"grid\">\n<thead><tr>";
    for (const std::string& column : section.columns) html += Cell("th", column, " scope=\"col\"");
    html += "</tr></thead>\n<tbody>\n";
    for (const std::vector<std::string>& row : section.rows) {
        html += "<tr>";
        for (const std::string& cell : row) html += Cell("td", cell);
        html += "</tr>\n";
    }
    html += "</tbody>\n</table></div>\n";
}

void AppendSection(std::string& html, const DocumentSection& section) {
    html += "<section>\n" + Cell("h2", section.title) + "\n";
    if (!section.columns.empty())
        AppendGrid(html, section);
    else if (!section.rows.empty())
        AppendPairs(html, section.rows);
    if (!section.notes.empty()) {
        html += "<ul class=\"notes\">\n";
        for (const std::string& note : section.notes) html += Cell("li", note) + "\n";
        html += "</ul>\n";
    }
    html += "</section>\n";
}

std::string Figure(const Chart& chart) { return "<figure>\n" + SvgElement(chart) + "</figure>\n"; }

}  // namespace

std::string HtmlDocument(const ReportDocument& document) {
    std::string html = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\"/>\n";
    html += Cell("title", document.title) + "\n<style>\n" + Style + "</style>\n</head>\n<body>\n";
    html += "<header>\n" + Cell("h1", document.title) + "\n";
    AppendPairs(html, document.about);
    html += "</header>\n";
    // The sections before the chart side by side, the rest under it.
    const std::size_t before = std::min(document.chartPosition, document.sections.size());
    if (before > 0) {
        html += "<div class=\"columns\">\n";
        for (std::size_t i = 0; i < before; ++i) AppendSection(html, document.sections[i]);
        html += "</div>\n";
    }
    if (document.chart) html += Figure(*document.chart);
    // The further charts in their order, each before the first section it
    // is not placed after.
    auto more = document.moreCharts.begin();
    for (std::size_t i = before; i < document.sections.size(); ++i) {
        for (; more != document.moreCharts.end() && more->position <= i; ++more) html += Figure(more->chart);
        AppendSection(html, document.sections[i]);
    }
    for (; more != document.moreCharts.end(); ++more) html += Figure(more->chart);
    html += "</body>\n</html>\n";
    return html;
}

}  // namespace vortane
