#include "design/history_chart.h"

#include <algorithm>
#include <limits>
#include <optional>

#include "case/units.h"
#include "result/limit_check.h"

namespace vortane {

std::string QuantityTitle(const std::string& quantity) {
    const std::string caption = QuantityCaption(quantity);
    return caption.ends_with(')') ? caption.substr(0, caption.rfind(" (")) : caption;
}

ChartAxis QuantityAxis(const std::string& quantity) {
    const RunColumn* column = LimitColumn(quantity);
    if (column == nullptr || column->quantity == Quantity::Dimensionless) return {QuantityTitle(quantity), "-"};
    return {QuantityTitle(quantity), std::string(UnitIn(column->quantity, UnitSystem::Metric).symbol)};
}

namespace {

constexpr double Gap = std::numeric_limits<double>::quiet_NaN();
// Runs shown as marks at most; beyond, a line joins them, which every
// renderer draws at once where thousands of marks take long.
constexpr std::size_t MarkedRunLimit = 300;

std::vector<double> RunNumbers(std::size_t count) {
    std::vector<double> x;
    for (std::size_t i = 1; i <= count; ++i) x.push_back(static_cast<double>(i));
    return x;
}

ChartSeries Values(std::string label, std::span<const Evaluation> history, Colour colour) {
    ChartSeries series{std::move(label), RunNumbers(history.size()), {}, colour};
    series.markers = history.size() <= MarkedRunLimit;
    for (const Evaluation& run : history) series.y.push_back(run.objective.value_or(Gap));
    return series;
}

ChartSeries Level(std::string label, std::size_t count, double value) {
    ChartSeries series{std::move(label), {1.0, static_cast<double>(count < 2 ? 2 : count)}, {value, value},
                       Colour{0x70, 0x70, 0x70}};
    series.dashed = true;
    return series;
}

// The limits as the run's margins give them back: the value is the bound
// less (at most) or plus (at least) the margin.
std::vector<LimitMargin> MarginsOf(const Evaluation& run, std::span<const Limit> limits) {
    std::vector<LimitMargin> margins;
    for (std::size_t i = 0; i < limits.size(); ++i) {
        const std::optional<double> margin = i < run.margins.size() ? run.margins[i] : std::nullopt;
        std::optional<double> value;
        if (margin) value = limits[i].bound == LimitBound::AtMost ? limits[i].value - *margin : limits[i].value + *margin;
        margins.push_back(MarginOf(limits[i], value));
    }
    return margins;
}

// "Temperature Difference (℃) ≤ 30": a limit as a legend shows it.
std::string LimitLabel(const Limit& limit) { return LimitCaption(limit, UnitSystem::Metric, '.'); }

Chart HistoryAxes(std::string title) {
    Chart chart;
    chart.title = std::move(title);
    chart.x = {"Run", "-"};
    return chart;
}

}  // namespace

Chart GoalSeekChart(std::span<const Evaluation> history, const std::string& quantity, double target) {
    Chart chart = HistoryAxes(QuantityTitle(quantity) + " at each run of the goal seek");
    chart.panels.push_back({QuantityAxis(quantity), {}, {Values(QuantityTitle(quantity), history, PaletteColour(0))}});
    if (!history.empty()) chart.panels.back().series.push_back(Level("Target", history.size(), target));
    return chart;
}

Chart OptimisationChart(std::span<const Evaluation> history, const std::string& objective, bool maximise,
                        std::span<const Limit> limits, WarningKinds accepted) {
    Chart chart = HistoryAxes(QuantityTitle(objective) + (maximise ? " maximised" : " minimised") + ", at each run");
    ChartSeries best{limits.empty() ? "Best design" : "Best meeting the limits", RunNumbers(history.size()), {},
                     PaletteColour(1)};
    std::vector<ChartSeries> margins;
    for (std::size_t i = 0; i < limits.size(); ++i) {
        margins.push_back({LimitLabel(limits[i]), RunNumbers(history.size()), {}, PaletteColour(2 + i)});
        margins.back().rightAxis = true;
    }
    std::optional<double> bestSoFar;
    for (const Evaluation& run : history) {
        const std::vector<LimitMargin> judged = MarginsOf(run, limits);
        if (Feasible(run.outcome, run.warnings, accepted, judged) && run.objective &&
            (!bestSoFar || (maximise ? *run.objective > *bestSoFar : *run.objective < *bestSoFar)))
            bestSoFar = run.objective;
        best.y.push_back(bestSoFar.value_or(Gap));
        for (std::size_t i = 0; i < judged.size(); ++i)
            margins[i].y.push_back(judged[i].fraction ? std::clamp(*judged[i].fraction, -1.0, 1.0) * 100 : Gap);
    }
    ChartSeries all = Values(QuantityTitle(objective), history, PaletteColour(0));
    all.markersOnly = all.markers;
    ChartPanel panel{QuantityAxis(objective), {}, {std::move(all), std::move(best)}};
    if (!limits.empty()) {
        panel.y2 = {"Limit margin", "% of bound"};
        if (!history.empty()) {
            margins.push_back(Level("Limit", history.size(), 0));
            margins.back().rightAxis = true;
        }
        for (ChartSeries& series : margins) panel.series.push_back(std::move(series));
    }
    chart.panels.push_back(std::move(panel));
    return chart;
}

}  // namespace vortane
