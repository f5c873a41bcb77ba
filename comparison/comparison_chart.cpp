#include "comparison/comparison_chart.h"

#include "result/channel_profile.h"

namespace vortane {

Chart ProfileComparisonChart(const std::vector<NamedProfile>& profiles) {
    ChartPanel panel{{"Pressure", "kgf/cm2"}, {}, {}};
    for (std::size_t d = 0; d < profiles.size(); ++d) {
        if (profiles[d].points.empty()) continue;
        ChartSeries inlet{profiles[d].name + " p1", {}, {}, PaletteColour(d)};
        ChartSeries outlet{profiles[d].name + " p2", {}, {}, PaletteColour(d)};
        outlet.dashed = true;
        for (const ChannelPoint& p : profiles[d].points) {
            inlet.x.push_back(p.z);
            outlet.x.push_back(p.z);
            inlet.y.push_back(p.pressureInlet);
            outlet.y.push_back(p.pressureOutlet);
        }
        panel.series.push_back(std::move(inlet));
        panel.series.push_back(std::move(outlet));
    }
    return {"Pressures along the channels: inlet p1, outlet p2", {"Relative position along the channels z", "-"},
            {std::move(panel)}};
}

Chart ProfileComparisonChart(const std::vector<ComparedDesign>& designs) {
    std::vector<NamedProfile> profiles;
    profiles.reserve(designs.size());
    for (const ComparedDesign& design : designs) profiles.push_back({design.name, ProfileOfRun(design.run, 100).points});
    return ProfileComparisonChart(profiles);
}

}  // namespace vortane
