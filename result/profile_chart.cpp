#include "result/profile_chart.h"

#include <string>

namespace vortane {

Chart ProfileChart(const std::vector<ChannelPoint>& points, UnitSystem system) {
    constexpr Quantity P = Quantity::Pressure;
    ChartSeries inlet{"Inlet channel pressure p1", {}, {}, PaletteColour(0)};
    ChartSeries outlet{"Outlet channel pressure p2", {}, {}, PaletteColour(1)};
    ChartSeries fraction{"Inlet flow fraction y", {}, {}, PaletteColour(2)};
    fraction.rightAxis = fraction.dashed = true;
    for (const ChannelPoint& p : points) {
        for (ChartSeries* s : {&inlet, &outlet, &fraction}) s->x.push_back(p.z);
        inlet.y.push_back(InSystem(p.pressureInlet, P, system));
        outlet.y.push_back(InSystem(p.pressureOutlet, P, system));
        fraction.y.push_back(p.inletFraction);
    }
    return {"Pressures and flow along the channels",
            {"Relative position along the channels z", "-"},
            {{{"Pressure", std::string(UnitIn(P, system).symbol)}, {"Inlet flow fraction y", "-"}, {inlet, outlet, fraction}}}};
}

}  // namespace vortane
