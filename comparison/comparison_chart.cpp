#include "comparison/comparison_chart.h"

#include "result/channel_profile.h"

namespace vortane {

Chart ProfileComparisonChart(const std::vector<NamedProfile>& profiles, UnitSystem system) {
    constexpr Quantity P = Quantity::Pressure;
    ChartPanel panel{{"Pressure", std::string(UnitIn(P, system).symbol)}, {}, {}};
    for (std::size_t d = 0; d < profiles.size(); ++d) {
        if (profiles[d].points.empty()) continue;
        ChartSeries inlet{profiles[d].name + " p1", {}, {}, PaletteColour(d)};
        ChartSeries outlet{profiles[d].name + " p2", {}, {}, PaletteColour(d)};
        outlet.dashed = true;
        for (const ChannelPoint& p : profiles[d].points) {
            inlet.x.push_back(p.z);
            outlet.x.push_back(p.z);
            inlet.y.push_back(InSystem(p.pressureInlet, P, system));
            outlet.y.push_back(InSystem(p.pressureOutlet, P, system));
        }
        panel.series.push_back(std::move(inlet));
        panel.series.push_back(std::move(outlet));
    }
    return {"Pressures along the channels: inlet p1, outlet p2", {"Relative position along the channels z", "-"},
            {std::move(panel)}};
}

Chart ProfileComparisonChart(const std::vector<ComparedDesign>& designs, UnitSystem system) {
    std::vector<NamedProfile> profiles;
    profiles.reserve(designs.size());
    for (const ComparedDesign& design : designs) profiles.push_back({design.name, ProfileOfRun(design.run, 100).points});
    return ProfileComparisonChart(profiles, system);
}

}  // namespace vortane
