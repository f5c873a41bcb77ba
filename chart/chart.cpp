#include "chart/chart.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

namespace vortane {

std::string HexColour(Colour colour) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", colour.red, colour.green, colour.blue);
    return text;
}

Colour PaletteColour(std::size_t index) {
    static constexpr std::array<Colour, 6> Palette{{{0x1f, 0x5f, 0xa8},
                                                     {0xc8, 0x33, 0x1e},
                                                     {0x2e, 0x8b, 0x3a},
                                                     {0x8e, 0x44, 0xad},
                                                     {0xd9, 0x83, 0x00},
                                                     {0x55, 0x55, 0x55}}};
    return Palette[index % Palette.size()];
}

Colour RampColour(double t) {
    static constexpr std::array<Colour, 5> Anchors{{{0x31, 0x36, 0x95},
                                                     {0x1b, 0x9e, 0x9e},
                                                     {0x4d, 0xaf, 0x4a},
                                                     {0xf1, 0x8c, 0x1e},
                                                     {0xc0, 0x1f, 0x2f}}};
    t = std::clamp(std::isnan(t) ? 0.0 : t, 0.0, 1.0) * (Anchors.size() - 1);
    const std::size_t i = std::min<std::size_t>(static_cast<std::size_t>(t), Anchors.size() - 2);
    const double f = t - static_cast<double>(i);
    const auto mix = [f](std::uint8_t a, std::uint8_t b) {
        return static_cast<std::uint8_t>(std::lround(a * (1 - f) + b * f));
    };
    const Colour &from = Anchors[i], &to = Anchors[i + 1];
    return {mix(from.red, to.red), mix(from.green, to.green), mix(from.blue, to.blue)};
}

Colour CurveColour(std::size_t index, std::size_t count) {
    constexpr std::size_t PaletteSize = 6;
    if (count <= PaletteSize) return PaletteColour(index);
    return RampColour(static_cast<double>(index) / static_cast<double>(count - 1));
}

std::string AxisTitle(const ChartAxis& axis) {
    return axis.unit.empty() ? axis.quantity : axis.quantity + " (" + axis.unit + ")";
}

bool IsWarned(const ChartSeries& series, std::size_t i) {
    return i < series.warned.size() && series.warned[i] && i < series.y.size() &&
           std::isfinite(series.y[i]);
}

bool IsFailed(const ChartSeries& series, std::size_t i) {
    return i < series.failed.size() && series.failed[i] && i < series.y.size() &&
           std::isfinite(series.y[i]);
}

std::vector<LegendEntry> LegendOf(const Chart& chart, std::size_t limit) {
    limit = std::max<std::size_t>(limit, 2);
    std::vector<LegendEntry> curves, limits;
    bool warned = false, failed = false;
    for (const ChartPanel& panel : chart.panels) {
        for (const ChartSeries& series : panel.series) {
            for (std::size_t i = 0; i < series.y.size(); ++i) {
                warned = warned || IsWarned(series, i);
                failed = failed || IsFailed(series, i);
            }
            std::vector<LegendEntry>& list = series.limit ? limits : curves;
            const bool known = std::any_of(list.begin(), list.end(),
                                           [&](const LegendEntry& e) { return e.label == series.label; });
            if (!known && !series.label.empty())
                list.push_back({series.limit ? LegendEntry::Kind::Limit : LegendEntry::Kind::Curve, series.label,
                                series.colour, series.dashed});
        }
    }
    std::vector<LegendEntry> shown;
    if (curves.size() <= limit) {
        shown = curves;
    } else {
        for (std::size_t i = 0; i < limit; ++i) shown.push_back(curves[i * (curves.size() - 1) / (limit - 1)]);
        shown.push_back({LegendEntry::Kind::Note,
                         "(" + std::to_string(curves.size()) + " curves in all)",
                         {0x55, 0x55, 0x55}});
    }
    shown.insert(shown.end(), limits.begin(), limits.end());
    if (failed) shown.push_back({LegendEntry::Kind::Failed, "point failing a limit", FailColour});
    if (warned) shown.push_back({LegendEntry::Kind::Ring, "point with warnings", WarningColour});
    return shown;
}

std::vector<double> CellEdges(const std::vector<double>& values) {
    if (values.empty()) return {};
    if (values.size() == 1) {
        const double half = values[0] == 0 ? 0.5 : std::fabs(values[0]) * 0.05;
        return {values[0] - half, values[0] + half};
    }
    std::vector<double> edges{values[0] - (values[1] - values[0]) / 2};
    for (std::size_t i = 0; i + 1 < values.size(); ++i) edges.push_back((values[i] + values[i + 1]) / 2);
    edges.push_back(values.back() + (values.back() - values[values.size() - 2]) / 2);
    return edges;
}

Colour CellColour(const ChartMap& map, std::size_t cell) {
    if (map.shade && cell < map.shade->values.size() && std::isfinite(map.shade->values[cell])) {
        const ChartMap::Shade& shade = *map.shade;
        return RampColour(shade.high > shade.low ? (shade.values[cell] - shade.low) / (shade.high - shade.low) : 0.5);
    }
    return map.categories[map.cells[cell]].colour;
}

std::optional<std::size_t> CellOf(const std::vector<double>& edges, double value) {
    if (edges.size() < 2) return std::nullopt;
    const std::size_t count = edges.size() - 1;
    const double first = edges.front(), last = edges.back();
    const double t = (value - first) / (last - first);  // along the edges' direction
    if (!(t >= 0 && t <= 1)) return std::nullopt;
    const double sign = last > first ? 1 : -1;
    std::size_t i = std::min(static_cast<std::size_t>(t * static_cast<double>(count)), count - 1);
    while (i > 0 && sign * (value - edges[i]) < 0) --i;
    while (i + 1 < count && sign * (value - edges[i + 1]) >= 0) ++i;
    return i;
}

std::vector<std::size_t> ShownCategories(const ChartMap& map) {
    std::vector<bool> used(map.categories.size());
    for (const std::size_t cell : map.cells) used[cell] = true;
    std::vector<std::size_t> shown;
    for (std::size_t c = 0; c < used.size(); ++c)
        if (used[c]) shown.push_back(c);
    return shown;
}

std::string MapCellText(const ChartMap& map, const ChartAxis& x, std::size_t i, std::size_t j) {
    const auto part = [](const ChartAxis& axis, const std::string& text) {
        return axis.quantity + " = " + text + (axis.unit.empty() || axis.unit == "-" ? "" : " " + axis.unit);
    };
    const std::size_t cell = i * map.yValues.size() + j;
    return part(x, map.xTexts[i]) + ", " + part(map.y, map.yTexts[j]) + ": " +
           map.categories[map.cells[cell]].label;
}

}  // namespace vortane
