#include "design/front_chart.h"

#include "design/history_chart.h"

namespace vortane {

namespace {

std::string Aim(const Objective& objective) {
    return (objective.maximise ? "maximised " : "minimised ") + QuantityTitle(objective.quantity);
}

// Objective `k` of the front's designs.
std::vector<double> Values(const std::vector<FrontDesign>& designs, std::size_t k) {
    std::vector<double> values;
    values.reserve(designs.size());
    for (const FrontDesign& design : designs) values.push_back(design.objectives[k]);
    return values;
}

// Objective `ky` against objective `kx`: the designs, and the knee.
ChartPanel Projection(const FrontResult& front, std::span<const Objective> objectives, std::size_t kx,
                      std::size_t ky) {
    ChartSeries designs{"Designs of the front", Values(front.designs, kx), Values(front.designs, ky),
                        PaletteColour(0)};
    designs.markers = true;
    designs.markersOnly = objectives.size() > 2;
    ChartPanel panel{QuantityAxis(objectives[ky].quantity), {}, {std::move(designs)}};
    if (front.knee) {
        const std::vector<double>& knee = front.designs[*front.knee].objectives;
        ChartSeries mark{"Knee (the balanced design)", {knee[kx]}, {knee[ky]}, PaletteColour(1)};
        mark.markersOnly = true;
        panel.series.push_back(std::move(mark));
    }
    return panel;
}

// Two objectives name both in the title; three, only the one on the x axis,
// for the title to fit.
Chart Axes(std::span<const Objective> objectives, std::size_t kx) {
    Chart chart;
    chart.title = objectives.size() == 2 ? "Pareto front: " + Aim(objectives[0]) + " and " + Aim(objectives[1])
                                         : "Pareto front of three objectives, against " + Aim(objectives[kx]);
    chart.x = QuantityAxis(objectives[kx].quantity);
    return chart;
}

}  // namespace

std::vector<Chart> FrontCharts(const FrontResult& front, std::span<const Objective> objectives) {
    std::vector<Chart> charts;
    Chart first = Axes(objectives, 0);
    for (std::size_t k = 1; k < objectives.size(); ++k) first.panels.push_back(Projection(front, objectives, 0, k));
    charts.push_back(std::move(first));
    if (objectives.size() > 2) {
        Chart second = Axes(objectives, 1);
        second.panels.push_back(Projection(front, objectives, 1, 2));
        charts.push_back(std::move(second));
    }
    return charts;
}

}  // namespace vortane
