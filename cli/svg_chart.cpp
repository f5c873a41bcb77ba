#include "cli/svg_chart.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace vortane::cli {

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
constexpr std::size_t LegendLimit = 12;

std::string Number(double value) {
    char buffer[32];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2);
    std::string text(buffer, result.ptr);
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
    return text == "-0" ? "0" : text;
}

struct Box {
    double left, top, width, height;
};

struct LegendEntry {
    std::string label, colour;
    bool dashed;
    bool ring = false;  // the mark of flagged points, not a curve
};

constexpr const char* FlagColour = "#d62728";

bool IsFlagged(const Series& series, std::size_t i) {
    return i < series.flagged.size() && series.flagged[i] && std::isfinite(series.y[i]);
}

bool HasFlaggedPoint(const Chart& chart) {
    for (const Panel& panel : chart.panels)
        for (const Series& series : panel.series)
            for (std::size_t i = 0; i < series.y.size(); ++i)
                if (IsFlagged(series, i)) return true;
    return false;
}

// The legend's entries: one per label, at most LegendLimit spread evenly.
std::vector<LegendEntry> LegendOf(const Chart& chart, std::size_t& total) {
    std::vector<LegendEntry> entries;
    for (const Panel& panel : chart.panels) {
        for (const Series& series : panel.series) {
            const bool known = std::any_of(entries.begin(), entries.end(),
                                           [&](const auto& e) { return e.label == series.label; });
            if (!known && !series.label.empty())
                entries.push_back({series.label, series.colour, series.dashed});
        }
    }
    total = entries.size();
    std::vector<LegendEntry> shown;
    if (entries.size() <= LegendLimit)
        shown = std::move(entries);
    else
        for (std::size_t i = 0; i < LegendLimit; ++i)
            shown.push_back(entries[i * (entries.size() - 1) / (LegendLimit - 1)]);
    if (HasFlaggedPoint(chart)) shown.push_back({"point with warnings", FlagColour, false, true});
    return shown;
}

double LegendWidth(const std::vector<LegendEntry>& entries) {
    std::size_t longest = 0;
    for (const LegendEntry& entry : entries) longest = std::max(longest, entry.label.size());
    return entries.empty() ? 0 : LegendGap + 60 + CharWidth * static_cast<double>(longest);
}

// The range of the finite values of the series on one side.
void Extent(const std::vector<Series>& series, bool right, bool ofX, double& low, double& high) {
    low = std::numeric_limits<double>::infinity();
    high = -low;
    for (const Series& s : series) {
        if (s.rightAxis != right && !ofX) continue;
        const std::vector<double>& values = ofX ? s.x : s.y;
        for (const double v : values) {
            if (!std::isfinite(v)) continue;
            low = std::min(low, v);
            high = std::max(high, v);
        }
    }
    if (low > high) low = 0, high = 1;
}

// The values of a logarithmic axis as their decimal logarithms; one that has
// none is a gap.
void ToDecades(std::vector<double>& values) {
    for (double& v : values) v = v > 0 ? std::log10(v) : std::numeric_limits<double>::quiet_NaN();
}

Chart InDecades(Chart chart) {
    for (Panel& panel : chart.panels) {
        for (Series& series : panel.series) {
            if (chart.logX) ToDecades(series.x);
            if (panel.logY && !series.rightAxis) ToDecades(series.y);
        }
    }
    return chart;
}

class SvgWriter {
public:
    std::string Document(const Chart& shown) {
        const Chart chart = InDecades(shown);
        std::size_t total = 0;
        const std::vector<LegendEntry> legend = LegendOf(chart, total);
        const bool rightAxis = std::any_of(chart.panels.begin(), chart.panels.end(),
                                           [](const Panel& p) { return !p.y2Label.empty(); });
        const double panels = static_cast<double>(std::max<std::size_t>(chart.panels.size(), 1));
        const double panelHeight = panels == 1 ? SinglePanelHeight : PanelHeight;
        const double height =
            TitleHeight + panels * panelHeight + (panels - 1) * PanelGap + BottomMargin;
        const double plotWidth = Width - LeftMargin - RightMargin - LegendWidth(legend) -
                                 (rightAxis ? RightAxisMargin : 0);

        out_ += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
        out_ += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + Number(Width) +
                "\" height=\"" + Number(height) + "\" viewBox=\"0 0 " + Number(Width) + " " +
                Number(height) +
                "\" font-family=\"DejaVu Sans, Arial, sans-serif\" font-size=\"12\">\n";
        out_ += "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n";
        Text(Width / 2, 30, chart.title, "middle", "font-size=\"16\" font-weight=\"bold\"");

        double xLow, xHigh;
        std::vector<Series> all;
        for (const Panel& panel : chart.panels)
            all.insert(all.end(), panel.series.begin(), panel.series.end());
        Extent(all, false, true, xLow, xHigh);
        const AxisScale x = chart.logX ? DecadeScale(xLow, xHigh) : NiceScale(xLow, xHigh);
        for (std::size_t i = 0; i < chart.panels.size(); ++i) {
            const Box box{LeftMargin,
                          TitleHeight + static_cast<double>(i) * (panelHeight + PanelGap),
                          plotWidth, panelHeight};
            PanelPart(chart.panels[i], box, {x, chart.logX},
                      i + 1 == chart.panels.size() ? chart.xLabel : "");
        }
        const double legendLeft = Width - RightMargin - LegendWidth(legend) + LegendGap;
        LegendPart(legend, total, legendLeft, TitleHeight);
        out_ += "</svg>\n";
        return std::move(out_);
    }

private:
    void Text(double x, double y, std::string_view text, std::string_view anchor,
              std::string_view extra = "") {
        out_ += "<text x=\"" + Number(x) + "\" y=\"" + Number(y) + "\" text-anchor=\"" +
                std::string(anchor) + "\"";
        if (!extra.empty()) out_ += " " + std::string(extra);
        out_ += ">" + EscapeXml(text) + "</text>\n";
    }

    void Line(double x1, double y1, double x2, double y2, std::string_view style) {
        out_ += "<line x1=\"" + Number(x1) + "\" y1=\"" + Number(y1) + "\" x2=\"" + Number(x2) +
                "\" y2=\"" + Number(y2) + "\" " + std::string(style) + "/>\n";
    }

    void VerticalLabel(double x, double y, std::string_view text) {
        Text(0, 0, text, "middle",
             "transform=\"translate(" + Number(x) + "," + Number(y) + ") rotate(-90)\"");
    }

    struct Axis {
        AxisScale scale;
        bool log;
        std::string Label(double tick) const {
            return log ? DecadeLabel(tick) : TickLabel(tick, scale.step);
        }
        // Light lines at 2 to 9 times each decade of a logarithmic axis.
        std::vector<double> MinorTicks() const {
            std::vector<double> ticks;
            if (!log) return ticks;
            for (double decade = scale.low; decade < scale.high; ++decade)
                for (int k = 2; k <= 9; ++k) ticks.push_back(decade + std::log10(k));
            return ticks;
        }
    };

    void PanelPart(const Panel& panel, const Box& box, const Axis& xAxis,
                   std::string_view xLabel) {
        const AxisScale& x = xAxis.scale;
        double low, high;
        Extent(panel.series, false, false, low, high);
        const Axis yAxis{panel.logY ? DecadeScale(low, high) : NiceScale(low, high), panel.logY};
        const AxisScale& y = yAxis.scale;
        const auto px = [&](double v) {
            return box.left + (v - x.low) / (x.high - x.low) * box.width;
        };
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
            if (!xLabel.empty()) Text(px(t), bottom + 18, xAxis.Label(t), "middle");
        }
        if (!xLabel.empty()) Text(box.left + box.width / 2, bottom + 42, xLabel, "middle");
        VerticalLabel(box.left - 62, box.top + box.height / 2, panel.yLabel);

        AxisScale y2 = y;
        if (!panel.y2Label.empty()) {
            Extent(panel.series, true, false, low, high);
            y2 = NiceScale(low, high);
            for (const double t : TickValues(y2)) {
                Line(right, py(y2, t), right + 5, py(y2, t), "stroke=\"black\"");
                Text(right + 8, py(y2, t) + 4, TickLabel(t, y2.step), "start");
            }
            VerticalLabel(right + 62, box.top + box.height / 2, panel.y2Label);
        }
        out_ += "<rect x=\"" + Number(box.left) + "\" y=\"" + Number(box.top) + "\" width=\"" +
                Number(box.width) + "\" height=\"" + Number(box.height) +
                "\" fill=\"none\" stroke=\"black\"/>\n";

        for (const Series& series : panel.series) {
            const AxisScale& scale = series.rightAxis ? y2 : y;
            SeriesPart(series, [&](std::size_t i) {
                return std::pair{px(series.x[i]), py(scale, series.y[i])};
            });
        }
    }

    template <typename Place>
    void SeriesPart(const Series& series, Place place) {
        const std::string stroke = "stroke=\"" + EscapeXml(series.colour) + "\"";
        const std::string dash = series.dashed ? " stroke-dasharray=\"6 4\"" : "";
        std::string points;
        const auto flush = [&] {
            if (series.line && points.find(' ') != std::string::npos)
                out_ += "<polyline fill=\"none\" " + stroke + dash +
                        " stroke-width=\"2\" points=\"" + points + "\"/>\n";
            points.clear();
        };
        const std::size_t n = std::min(series.x.size(), series.y.size());
        for (std::size_t i = 0; i < n; ++i) {
            if (!std::isfinite(series.x[i]) || !std::isfinite(series.y[i])) {
                flush();
                continue;
            }
            const auto [x, y] = place(i);
            if (!points.empty()) points += ' ';
            points += Number(x) + "," + Number(y);
            // Markers on a line are dots; markers alone, open circles.
            if (series.markers && series.line)
                out_ += "<circle cx=\"" + Number(x) + "\" cy=\"" + Number(y) +
                        "\" r=\"2.5\" fill=\"" + EscapeXml(series.colour) + "\"/>\n";
            else if (series.markers)
                out_ += "<circle cx=\"" + Number(x) + "\" cy=\"" + Number(y) + "\" r=\"4\" fill=\"white\" " +
                        stroke + " stroke-width=\"1.5\"/>\n";
            if (IsFlagged(series, i)) Ring(x, y);
        }
        flush();
    }

    void Ring(double x, double y) {
        out_ += "<circle cx=\"" + Number(x) + "\" cy=\"" + Number(y) +
                "\" r=\"5\" fill=\"none\" stroke=\"" + FlagColour + "\" stroke-width=\"1.5\"/>\n";
    }

    void LegendPart(const std::vector<LegendEntry>& entries, std::size_t total, double left,
                    double top) {
        if (entries.empty()) return;
        const auto curves = static_cast<std::size_t>(
            std::count_if(entries.begin(), entries.end(), [](const LegendEntry& e) { return !e.ring; }));
        const bool more = total > curves;
        const double rows = static_cast<double>(entries.size() + (more ? 1 : 0));
        out_ += "<rect x=\"" + Number(left) + "\" y=\"" + Number(top) + "\" width=\"" +
                Number(LegendWidth(entries) - LegendGap) + "\" height=\"" + Number(rows * 20 + 10) +
                "\" fill=\"white\" stroke=\"#888888\"/>\n";
        double y = top + 20;
        for (const LegendEntry& entry : entries) {
            if (entry.ring)
                Ring(left + 25, y - 4);
            else
                Line(left + 10, y - 4, left + 40, y - 4,
                     "stroke=\"" + EscapeXml(entry.colour) + "\" stroke-width=\"2\"" +
                         (entry.dashed ? " stroke-dasharray=\"6 4\"" : ""));
            Text(left + 48, y, entry.label, "start");
            y += 20;
        }
        if (more) Text(left + 10, y, "(" + std::to_string(total) + " curves in all)", "start");
    }

    std::string out_;
};

}  // namespace

AxisScale NiceScale(double low, double high, int targetTicks) {
    if (!(high > low)) {
        const double pad = low == 0 ? 1 : std::fabs(low) * 0.1;
        low -= pad;
        high += pad;
    }
    const double raw = (high - low) / std::max(targetTicks, 1);
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    const double normal = raw / magnitude;
    const double step = (normal < 1.5 ? 1 : normal < 3 ? 2 : normal < 7 ? 5 : 10) * magnitude;
    return {std::floor(low / step + 1e-9) * step, std::ceil(high / step - 1e-9) * step, step};
}

AxisScale DecadeScale(double low, double high) {
    low = std::floor(low + 1e-9);
    high = std::ceil(high - 1e-9);
    if (!(high > low)) high = low + 1;
    const double step = std::ceil((high - low) / 8);
    return {std::floor(low / step) * step, std::ceil(high / step) * step, step};
}

std::string DecadeLabel(double exponent) {
    const int power = static_cast<int>(std::lround(exponent));
    if (power < -3 || power > 5) return "1E" + std::to_string(power);
    if (power >= 0) return "1" + std::string(static_cast<std::size_t>(power), '0');
    return "0." + std::string(static_cast<std::size_t>(-power - 1), '0') + "1";
}

std::vector<double> TickValues(const AxisScale& scale) {
    // step = digit · 10^power; tick k is k · digit scaled by the power of ten,
    // so that 3 · 0.2 comes out as 0.6.
    const int power = static_cast<int>(std::floor(std::log10(scale.step) + 1e-9));
    const double unit = std::pow(10.0, std::abs(power));
    const double digit = std::round(power < 0 ? scale.step * unit : scale.step / unit);
    const double first = std::round(scale.low / scale.step);
    const long count = std::lround((scale.high - scale.low) / scale.step);
    std::vector<double> ticks;
    for (long i = 0; i <= count; ++i) {
        const double k = (first + static_cast<double>(i)) * digit;
        ticks.push_back((power < 0 ? k / unit : k * unit) + 0.0);  // + 0.0: no -0
    }
    return ticks;
}

std::string TickLabel(double value, double step) {
    const int decimals = std::max(0, -static_cast<int>(std::floor(std::log10(step) + 1e-9)));
    if (std::fabs(value) < step * 1e-6) value = 0;
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    return std::string(buffer, result.ptr);
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

std::string RampColour(double t) {
    // Blue, teal, green, orange, red.
    constexpr std::array<std::array<double, 3>, 5> Anchors{{{{0x31, 0x36, 0x95}},
                                                            {{0x1b, 0x9e, 0x9e}},
                                                            {{0x4d, 0xaf, 0x4a}},
                                                            {{0xf1, 0x8c, 0x1e}},
                                                            {{0xc0, 0x1f, 0x2f}}}};
    t = std::clamp(t, 0.0, 1.0) * (Anchors.size() - 1);
    const std::size_t i = std::min<std::size_t>(static_cast<std::size_t>(t), Anchors.size() - 2);
    const double f = t - static_cast<double>(i);
    char colour[8];
    int channel[3];
    for (int c = 0; c < 3; ++c)
        channel[c] = static_cast<int>(std::lround(Anchors[i][c] * (1 - f) + Anchors[i + 1][c] * f));
    std::snprintf(colour, sizeof colour, "#%02x%02x%02x", channel[0], channel[1], channel[2]);
    return colour;
}

std::string PaletteColour(std::size_t index) {
    static constexpr std::array<std::string_view, 6> Palette{"#1f5fa8", "#c8331e", "#2e8b3a",
                                                             "#8e44ad", "#d98300", "#555555"};
    return std::string(Palette[index % Palette.size()]);
}

std::string RenderSvg(const Chart& chart) { return SvgWriter().Document(chart); }

}  // namespace vortane::cli
