#include "document/svg_chart.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstddef>

#include "case/number_format.h"
#include "chart/chart_scale.h"

namespace vortane {

namespace {

constexpr double Width = 960;
constexpr double TitleHeight = 50;
constexpr double PanelHeight = 250;  // of each of several stacked panels
constexpr double SinglePanelHeight = 380;
constexpr double PanelGap = 30;
constexpr double BottomMargin = 60;
constexpr double LeftMargin = 90;
constexpr double RightAxisMargin = 80;
constexpr double RightMargin = 20;
constexpr double LegendGap = 20;
constexpr double CharWidth = 7;  // of the 12-pixel legend font, about
constexpr double LegendRow = 20;

std::string Number(double value) {
    std::string text = FixedText(value, 2);
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
    return text == "-0" ? "0" : text;
}

// Characters, not bytes, of UTF-8 text.
std::size_t Characters(std::string_view text) {
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xc0) != 0x80; }));
}

double LegendWidth(const std::vector<LegendEntry>& entries) {
    std::size_t longest = 0;
    for (const LegendEntry& entry : entries) longest = std::max(longest, Characters(entry.label));
    return entries.empty() ? 0 : LegendGap + 60 + CharWidth * static_cast<double>(longest);
}

struct Box {
    double left, top, width, height;
};

// An axis as drawn: its scale and how its ticks read.
struct DrawnAxis {
    AxisScale scale;
    Scale kind;
    std::string Label(double tick) const {
        return kind == Scale::Log ? DecadeLabel(tick) : TickLabel(tick, scale.step);
    }
    // Light lines at 2 to 9 times each decade of a log axis.
    std::vector<double> MinorTicks() const {
        std::vector<double> ticks;
        if (kind != Scale::Log) return ticks;
        for (double decade = scale.low; decade < scale.high; ++decade)
            for (int k = 2; k <= 9; ++k) ticks.push_back(decade + std::log10(k));
        return ticks;
    }
};

class SvgWriter {
public:
    static double Height(const Chart& chart) {
        const std::size_t count = chart.panels.size() + (chart.map ? 1 : 0);
        const double panels = static_cast<double>(std::max<std::size_t>(count, 1));
        const double panelHeight = count <= 1 ? SinglePanelHeight : PanelHeight;
        const double mapGap = chart.map && !chart.panels.empty() ? BottomMargin : 0;  // room for the x ticks
        return TitleHeight + panels * panelHeight + (panels - 1) * PanelGap + mapGap + BottomMargin;
    }

    // Standalone: an XML declaration and the SVG namespace, for a file of its
    // own; else the bare element an HTML page holds.
    std::string Document(const Chart& chart, bool standalone) {
        const bool rightAxis = std::any_of(chart.panels.begin(), chart.panels.end(),
                                           [](const ChartPanel& p) { return !p.y2.quantity.empty(); });
        const std::size_t count = chart.panels.size() + (chart.map ? 1 : 0);
        const double panelHeight = count <= 1 ? SinglePanelHeight : PanelHeight;
        const double mapGap = chart.map && !chart.panels.empty() ? BottomMargin : 0;  // room for the x ticks
        const double height = Height(chart);
        // As many curves named as the panels' height holds, beside the other entries.
        const double rows = (static_cast<double>(chart.panels.size()) * (panelHeight + PanelGap)) / LegendRow - 5;
        const std::vector<LegendEntry> legend =
            LegendOf(chart, std::max(LegendLimit, static_cast<std::size_t>(std::max(rows, 0.0))));
        const double plotWidth =
            Width - LeftMargin - RightMargin - LegendWidth(legend) - (rightAxis ? RightAxisMargin : 0);

        if (standalone) out_ += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
        out_ += standalone ? "<svg xmlns=\"http://www.w3.org/2000/svg\"" : "<svg";
        out_ += " width=\"" + Number(Width) + "\" height=\"" +
                Number(height) + "\" viewBox=\"0 0 " + Number(Width) + " " + Number(height) +
                "\" font-family=\"DejaVu Sans, Arial, sans-serif\" font-size=\"12\">\n";
        out_ += "<title>" + EscapeXml(chart.title) + "</title>\n";
        out_ += "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n";
        Text(Width / 2, 30, chart.title, "middle", "font-size=\"16\" font-weight=\"bold\"");

        const DrawnAxis x{XScale(chart), chart.x.scale};
        for (std::size_t i = 0; i < chart.panels.size(); ++i) {
            const Box box{LeftMargin, TitleHeight + static_cast<double>(i) * (panelHeight + PanelGap), plotWidth,
                          panelHeight};
            PanelPart(chart, chart.panels[i], box, x, i + 1 == chart.panels.size());
        }
        if (chart.map) {
            const double top = TitleHeight + static_cast<double>(chart.panels.size()) * (panelHeight + PanelGap) + mapGap;
            MapPart(chart.x, *chart.map, {LeftMargin, top, plotWidth, panelHeight});
        }
        LegendPart(legend, Width - RightMargin - LegendWidth(legend) + LegendGap, TitleHeight);
        out_ += "</svg>\n";
        return std::move(out_);
    }

private:
    void Text(double x, double y, std::string_view text, std::string_view anchor, std::string_view extra = "") {
        out_ += "<text x=\"" + Number(x) + "\" y=\"" + Number(y) + "\" text-anchor=\"" + std::string(anchor) + "\"";
        if (!extra.empty()) out_ += " " + std::string(extra);
        out_ += ">" + EscapeXml(text) + "</text>\n";
    }

    void Line(double x1, double y1, double x2, double y2, std::string_view style) {
        out_ += "<line x1=\"" + Number(x1) + "\" y1=\"" + Number(y1) + "\" x2=\"" + Number(x2) + "\" y2=\"" +
                Number(y2) + "\" " + std::string(style) + "/>\n";
    }

    void VerticalLabel(double x, double y, std::string_view text) {
        Text(0, 0, text, "middle", "transform=\"translate(" + Number(x) + "," + Number(y) + ") rotate(-90)\"");
    }

    void Circle(double x, double y, double r, std::string_view style) {
        out_ += "<circle cx=\"" + Number(x) + "\" cy=\"" + Number(y) + "\" r=\"" + Number(r) + "\" " +
                std::string(style) + "/>\n";
    }

    void Square(double x, double y) {
        out_ += "<rect x=\"" + Number(x - 3.5) + "\" y=\"" + Number(y - 3.5) + "\" width=\"7\" height=\"7\" fill=\"" +
                HexColour(FailColour) + "\"/>\n";
    }

    void Rect(const Box& box, std::string_view style) {
        out_ += "<rect x=\"" + Number(box.left) + "\" y=\"" + Number(box.top) + "\" width=\"" + Number(box.width) +
                "\" height=\"" + Number(box.height) + "\" " + std::string(style) + "/>\n";
    }

    // The cells, the boundary of the feasible region, the round ticks within
    // the cells' span, and the categories' legend at the right.
    void MapPart(const ChartAxis& xAxis, const ChartMap& map, const Box& box) {
        const std::vector<double> xe = CellEdges(map.xValues), ye = CellEdges(map.yValues);
        if (xe.empty() || ye.empty()) return;
        const double x0 = std::min(xe.front(), xe.back()), x1 = std::max(xe.front(), xe.back());
        const double y0 = std::min(ye.front(), ye.back()), y1 = std::max(ye.front(), ye.back());
        const auto px = [&](double v) { return box.left + (v - x0) / (x1 - x0) * box.width; };
        const auto py = [&](double v) { return box.top + (y1 - v) / (y1 - y0) * box.height; };
        // Each cell stroked in its own colour: no seams between cells.
        std::vector<std::string> styles;
        styles.reserve(map.categories.size());
        for (const MapCategory& category : map.categories) {
            const std::string colour = HexColour(category.colour);
            std::string style = "fill=\"";
            style += colour;
            style += "\" stroke=\"";
            style += colour;
            style += "\" stroke-width=\"0.6\"";
            styles.push_back(std::move(style));
        }
        const std::size_t ny = map.yValues.size();
        for (std::size_t i = 0; i < map.xValues.size(); ++i)
            for (std::size_t j = 0; j < ny; ++j) {
                const double l = std::min(px(xe[i]), px(xe[i + 1])), t = std::min(py(ye[j]), py(ye[j + 1]));
                Rect({l, t, std::fabs(px(xe[i + 1]) - px(xe[i])), std::fabs(py(ye[j + 1]) - py(ye[j]))},
                     styles[map.cells[i * ny + j]]);
            }
        for (const MapSegment& s : map.boundary)
            Line(px(s.x1), py(s.y1), px(s.x2), py(s.y2), "stroke=\"black\" stroke-width=\"2.5\" stroke-linecap=\"square\"");
        const double bottom = box.top + box.height;
        const double xStep = NiceScale(x0, x1).step, yStep = NiceScale(y0, y1).step;
        for (const double t : TicksWithin(x0, x1)) {
            Line(px(t), bottom, px(t), bottom + 5, "stroke=\"black\"");
            Text(px(t), bottom + 18, TickLabel(t, xStep), "middle");
        }
        for (const double t : TicksWithin(y0, y1)) {
            Line(box.left - 5, py(t), box.left, py(t), "stroke=\"black\"");
            Text(box.left - 8, py(t) + 4, TickLabel(t, yStep), "end");
        }
        Rect(box, "fill=\"none\" stroke=\"black\"");
        Text(box.left + box.width / 2, box.top - 8, map.title, "middle", "font-weight=\"bold\"");
        Text(box.left + box.width / 2, bottom + 42, AxisTitle(xAxis), "middle");
        VerticalLabel(box.left - 62, box.top + box.height / 2, AxisTitle(map.y));
        std::vector<LegendEntry> legend;
        for (const std::size_t c : ShownCategories(map))
            legend.push_back({LegendEntry::Kind::Cell, map.categories[c].label, map.categories[c].colour});
        if (!map.boundary.empty()) legend.push_back({LegendEntry::Kind::Boundary, "boundary of the feasible region", {0, 0, 0}});
        LegendPart(legend, Width - RightMargin - LegendWidth(legend) + LegendGap, box.top);
    }

    void Ring(double x, double y) {
        Circle(x, y, 5, "fill=\"none\" stroke=\"" + HexColour(WarningColour) + "\" stroke-width=\"1.5\"");
    }

    void PanelPart(const Chart& chart, const ChartPanel& panel, const Box& box, const DrawnAxis& xAxis,
                   bool lowest) {
        const AxisScale& x = xAxis.scale;
        const DrawnAxis yAxis{YScale(panel, false), panel.y.scale};
        const AxisScale& y = yAxis.scale;
        const auto px = [&](double v) { return box.left + (v - x.low) / (x.high - x.low) * box.width; };
        const auto py = [&](const AxisScale& s, double v) {
            return box.top + (s.high - v) / (s.high - s.low) * box.height;
        };
        const double bottom = box.top + box.height, right = box.left + box.width;

        for (const double t : yAxis.MinorTicks()) Line(box.left, py(y, t), right, py(y, t), "stroke=\"#f2f2f2\"");
        for (const double t : xAxis.MinorTicks()) Line(px(t), box.top, px(t), bottom, "stroke=\"#f2f2f2\"");
        for (const double t : TickValues(y)) {
            Line(box.left, py(y, t), right, py(y, t), "stroke=\"#e0e0e0\"");
            Line(box.left - 5, py(y, t), box.left, py(y, t), "stroke=\"black\"");
            Text(box.left - 8, py(y, t) + 4, yAxis.Label(t), "end");
        }
        for (const double t : TickValues(x)) {
            Line(px(t), box.top, px(t), bottom, "stroke=\"#e0e0e0\"");
            Line(px(t), bottom, px(t), bottom + 5, "stroke=\"black\"");
            if (lowest) Text(px(t), bottom + 18, xAxis.Label(t), "middle");
        }
        if (lowest) Text(box.left + box.width / 2, bottom + 42, AxisTitle(chart.x), "middle");
        VerticalLabel(box.left - 62, box.top + box.height / 2, AxisTitle(panel.y));

        const DrawnAxis y2Axis{YScale(panel, true), panel.y2.scale};
        if (!panel.y2.quantity.empty()) {
            for (const double t : TickValues(y2Axis.scale)) {
                Line(right, py(y2Axis.scale, t), right + 5, py(y2Axis.scale, t), "stroke=\"black\"");
                Text(right + 8, py(y2Axis.scale, t) + 4, y2Axis.Label(t), "start");
            }
            VerticalLabel(right + 62, box.top + box.height / 2, AxisTitle(panel.y2));
        }
        out_ += "<rect x=\"" + Number(box.left) + "\" y=\"" + Number(box.top) + "\" width=\"" + Number(box.width) +
                "\" height=\"" + Number(box.height) + "\" fill=\"none\" stroke=\"black\"/>\n";

        for (const ChartSeries& series : panel.series) {
            const DrawnAxis& axis = series.rightAxis ? y2Axis : yAxis;
            SeriesPart(series, [&](std::size_t i) {
                return std::pair{px(AxisValue(series.x[i], chart.x.scale)),
                                 py(axis.scale, AxisValue(series.y[i], axis.kind))};
            });
        }
    }

    template <typename Place>
    void SeriesPart(const ChartSeries& series, Place place) {
        const std::string colour = HexColour(series.colour);
        const std::string stroke = "stroke=\"" + colour + "\"";
        const std::string dash = series.dashed ? " stroke-dasharray=\"6 4\"" : "";
        std::string points;
        const auto flush = [&] {
            if (!series.markersOnly && points.find(' ') != std::string::npos)
                out_ += "<polyline fill=\"none\" " + stroke + dash + " stroke-width=\"2\" points=\"" + points +
                        "\"/>\n";
            points.clear();
        };
        const std::size_t n = std::min(series.x.size(), series.y.size());
        for (std::size_t i = 0; i < n; ++i) {
            const auto [x, y] = place(i);
            if (!std::isfinite(x) || !std::isfinite(y)) {
                flush();
                continue;
            }
            if (!points.empty()) points += ' ';
            points += Number(x) + "," + Number(y);
            // Markers on a line are dots; markers alone, open circles.
            if (series.markersOnly)
                Circle(x, y, 4, "fill=\"white\" " + stroke + " stroke-width=\"1.5\"");
            else if (series.markers)
                Circle(x, y, 2.5, "fill=\"" + colour + "\"");
            if (IsFailed(series, i)) Square(x, y);
            if (IsWarned(series, i)) Ring(x, y);
        }
        flush();
    }

    void LegendPart(const std::vector<LegendEntry>& entries, double left, double top) {
        if (entries.empty()) return;
        out_ += "<rect x=\"" + Number(left) + "\" y=\"" + Number(top) + "\" width=\"" +
                Number(LegendWidth(entries) - LegendGap) + "\" height=\"" +
                Number(static_cast<double>(entries.size()) * LegendRow + 10) +
                "\" fill=\"white\" stroke=\"#888888\"/>\n";
        double y = top + LegendRow;
        for (const LegendEntry& entry : entries) {
            switch (entry.kind) {
                case LegendEntry::Kind::Ring: Ring(left + 25, y - 4); break;
                case LegendEntry::Kind::Failed: Square(left + 25, y - 4); break;
                case LegendEntry::Kind::Cell: Rect({left + 15, y - 11, 20, 14}, "fill=\"" + HexColour(entry.colour) + "\" stroke=\"#888888\""); break;
                case LegendEntry::Kind::Boundary: Line(left + 10, y - 4, left + 40, y - 4, "stroke=\"black\" stroke-width=\"2.5\""); break;
                case LegendEntry::Kind::Curve:
                case LegendEntry::Kind::Limit:
                    Line(left + 10, y - 4, left + 40, y - 4,
                         "stroke=\"" + HexColour(entry.colour) + "\" stroke-width=\"2\"" +
                             (entry.dashed ? " stroke-dasharray=\"6 4\"" : ""));
                    break;
                case LegendEntry::Kind::Note: break;
            }
            Text(entry.kind == LegendEntry::Kind::Note ? left + 10 : left + 48, y, entry.label, "start");
            y += LegendRow;
        }
    }

    std::string out_;
};

}  // namespace

bool IsSvgName(std::string_view name) {
    constexpr std::string_view Svg = ".svg";
    return name.size() > Svg.size() &&
           std::equal(Svg.begin(), Svg.end(), name.end() - static_cast<std::ptrdiff_t>(Svg.size()),
                      [](char s, char a) { return std::tolower(static_cast<unsigned char>(a)) == s; });
}

std::string EscapeXml(std::string_view text) {
    std::string escaped;
    for (const char c : text) {
        switch (c) {
            case '&': escaped += "&amp;"; break;
            case '<': escaped += "&lt;"; break;
            case '>': escaped += "&gt;"; break;
            case '"': escaped += "&quot;"; break;
            case '\'': escaped += "&apos;"; break;
            default: escaped += c;
        }
    }
    return escaped;
}

std::string SvgDocument(const Chart& chart) { return SvgWriter().Document(chart, true); }

std::string SvgElement(const Chart& chart) { return SvgWriter().Document(chart, false); }

std::string SvgDocument(std::span<const Chart> charts) {
    if (charts.size() == 1) return SvgDocument(charts.front());
    double height = 0;
    std::string inner;
    for (const Chart& chart : charts) {
        // Each chart an <svg> of its own, placed below the one before.
        std::string element = SvgElement(chart);
        element.insert(4, " y=\"" + Number(height) + "\"");
        inner += element;
        height += SvgWriter::Height(chart);
    }
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
           Number(Width) + "\" height=\"" + Number(height) + "\" viewBox=\"0 0 " + Number(Width) + " " +
           Number(height) + "\">\n" + inner + "</svg>\n";
}

}  // namespace vortane
