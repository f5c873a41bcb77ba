#include "study/study_charts.h"

#include <algorithm>
#include <string>

#include "study/unit_caption.h"

namespace vortane {

namespace {

// A technical metric caption ("Total Pressure Drop (kgf/cm2)") as its quantity
// and its unit in `system`.
ChartAxis AxisOfCaption(std::string_view metricCaption, Quantity measured, UnitSystem system) {
    const std::string caption = CaptionIn(metricCaption, measured, system);
    const std::string_view quantity = QuantityName(caption);
    if (quantity.size() == caption.size() || caption.back() != ')') return {std::string(caption), {}};
    return {std::string(quantity), std::string(caption.substr(quantity.size() + 2, caption.size() - quantity.size() - 3))};
}

// The curves shown of `count`: all up to `limit`, else every stride-th and the last.
std::vector<std::size_t> ShownCurves(std::size_t count, std::size_t limit) {
    const std::size_t stride = count > limit && limit > 0 ? (count + limit - 1) / limit : 1;
    std::vector<std::size_t> shown;
    for (std::size_t c = 0; c < count; ++c)
        if (c % stride == 0 || c + 1 == count) shown.push_back(c);
    return shown;
}

// The values in technical metric expressed in `system`.
std::vector<double> ValuesIn(std::vector<double> values, Quantity quantity, UnitSystem system) {
    std::transform(values.begin(), values.end(), values.begin(),
                   [&](double value) { return InSystem(value, quantity, system); });
    return values;
}

Chart QuantitiesChart(const SweepPlan& plan, const SweepCurves& curves, const std::vector<std::size_t>& quantities,
                      std::size_t curveLimit, UnitSystem system) {
    const SweepAxis& along = plan.axes.front();
    const SweepAxis* across = plan.axes.size() > 1 ? &plan.axes[1] : nullptr;
    const std::size_t count = curves.CurveCount();
    const std::vector<std::size_t> shown = ShownCurves(count, curveLimit);

    Chart chart;
    chart.title = (quantities.size() == 1 ? std::string(QuantityName(curves.Quantities()[quantities[0]].caption))
                                          : std::string("Mixing section")) +
                  " against " + std::string(QuantityName(ReportCaption(*along.field)));
    if (across) chart.title += ", one curve per " + std::string(QuantityName(ReportCaption(*across->field)));
    if (shown.size() < count)
        chart.title += " (" + std::to_string(shown.size()) + " of " + std::to_string(count) + " curves)";
    chart.x = AxisOfCaption(ReportCaption(*along.field), along.field->quantity, system);
    for (const std::size_t q : quantities) {
        const ReportedValue& quantity = curves.Quantities()[q];
        ChartPanel panel{AxisOfCaption(quantity.caption, quantity.quantity, system), {}, {}};
        for (const std::size_t c : shown) {
            SweepCurve curve = curves.Curve(q, c);
            ChartSeries series;
            series.label = across ? std::move(curve.label) : std::string(QuantityName(quantity.caption));
            series.colour = across ? CurveColour(c, count) : PaletteColour(q);
            series.markers = along.texts.size() <= 40;
            series.x = ValuesIn(std::move(curve.x), along.field->quantity, system);
            series.y = ValuesIn(std::move(curve.y), quantity.quantity, system);
            series.warned = std::move(curve.warned);
            panel.series.push_back(std::move(series));
        }
        chart.panels.push_back(std::move(panel));
    }
    return chart;
}

}  // namespace

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

Chart SweepChart(const SweepPlan& plan, const SweepCurves& curves, std::size_t curveLimit, UnitSystem system) {
    std::vector<std::size_t> quantities;
    for (std::size_t q = 0; q < curves.Quantities().size(); ++q) quantities.push_back(q);
    return QuantitiesChart(plan, curves, quantities, curveLimit, system);
}

Chart SweepQuantityChart(const SweepPlan& plan, const SweepCurves& curves, std::size_t quantity,
                         std::size_t curveLimit, UnitSystem system) {
    return QuantitiesChart(plan, curves, {quantity}, curveLimit, system);
}

Chart FitChart(const Measurements& measurements, const ViscosityFit& fit, char decimalSeparator,
               UnitSystem system) {
    constexpr Quantity T = Quantity::Temperature;
    std::vector<FitCurve> curves = FitCurves(measurements, fit, decimalSeparator);
    if (!KeepsMetricUnit(T, system))
        for (FitCurve& curve : curves)
            curve.label = ValueTextIn(curve.temperature, T, system, decimalSeparator) + " " +
                          std::string(UnitIn(T, system).symbol);
    ChartPanel panel{{"Viscosity", std::string(UnitName(measurements.unit)), Scale::Log}, {}, {}};
    for (std::size_t c = 0; c < curves.size(); ++c) {
        const FitCurve& curve = curves[c];
        ChartSeries points{curve.label, curve.measuredShearRate, curve.measuredViscosity,
                           CurveColour(c, curves.size())};
        points.markersOnly = true;
        ChartSeries law{curve.label, curve.lawShearRate, curve.lawViscosity, points.colour};
        panel.series.push_back(std::move(points));
        panel.series.push_back(std::move(law));
    }
    return {"Viscosity law fitted to " + measurements.fileName + ": points measured, lines fitted",
            {"Shear rate", "1/s", Scale::Log},
            {std::move(panel)}};
}

}  // namespace vortane
