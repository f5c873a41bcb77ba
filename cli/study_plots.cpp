#include "cli/study_plots.h"

namespace vortane::cli {

Chart ProfileChart(const std::vector<ChannelPoint>& points) {
    Panel panel{"Pressure (kgf/cm2)", "Inlet flow fraction y (-)", {}};
    Series inlet, outlet, fraction;
    inlet.label = "Inlet channel pressure p1";
    inlet.colour = PaletteColour(0);
    outlet.label = "Outlet channel pressure p2";
    outlet.colour = PaletteColour(1);
    fraction.label = "Inlet flow fraction y";
    fraction.colour = PaletteColour(2);
    fraction.rightAxis = fraction.dashed = true;
    for (const ChannelPoint& p : points) {
        for (Series* s : {&inlet, &outlet, &fraction}) s->x.push_back(p.z);
        inlet.y.push_back(p.pressureInlet);
        outlet.y.push_back(p.pressureOutlet);
        fraction.y.push_back(p.inletFraction);
    }
    panel.series = {inlet, outlet, fraction};
    return {"Pressures and flow along the channels",
            "Relative position along the channels z (-)",
            {panel}};
}

Chart SweepChart(const SweepPlan& plan, const SweepCurves& curves) {
    const SweepAxis& along = plan.axes.front();
    const SweepAxis* across = plan.axes.size() > 1 ? &plan.axes[1] : nullptr;
    const std::size_t count = curves.CurveCount();

    Chart chart;
    chart.title = "Mixing section against " + std::string(ReportCaption(*along.field));
    if (across)
        chart.title += ", one curve per " + std::string(QuantityName(ReportCaption(*across->field)));
    chart.xLabel = std::string(ReportCaption(*along.field));
    for (std::size_t q = 0; q < curves.Quantities().size(); ++q) {
        const ReportedValue& quantity = curves.Quantities()[q];
        Panel panel{std::string(quantity.caption), "", {}};
        for (std::size_t c = 0; c < count; ++c) {
            SweepCurve curve = curves.Curve(q, c);
            Series series;
            if (across) {
                series.label = std::move(curve.label);
                series.colour = count <= 6 ? PaletteColour(c)
                                           : RampColour(static_cast<double>(c) /
                                                        static_cast<double>(count - 1));
            } else {
                series.label = std::string(QuantityName(quantity.caption));
                series.colour = PaletteColour(q);
            }
            series.markers = along.texts.size() <= 40;
            series.x = std::move(curve.x);
            series.y = std::move(curve.y);
            series.flagged = std::move(curve.warned);
            panel.series.push_back(std::move(series));
        }
        chart.panels.push_back(std::move(panel));
    }
    return chart;
}

}  // namespace vortane::cli
