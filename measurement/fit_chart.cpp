#include "measurement/fit_chart.h"

#include <string>
#include <vector>

#include "result/unit_caption.h"

namespace vortane {

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
