#include "measurement/material_fit.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "case/number_text.h"
#include "model/arithmetic.h"
#include "report/value_format.h"
#include "result/unit_caption.h"

namespace vortane {

namespace {

constexpr double LawTolerance = 1e-9;  // relative, of η
constexpr int LeastDigits = 6;
constexpr int MostDigits = 17;  // enough for any double

std::string Shown(double value, char decimalSeparator) {
    return FormatGeneral(value, 6, 0, decimalSeparator);
}

// "150 to 230.5 degC"; in US customary units "302 to 446.9 °F".
std::string TemperatureRange(double low, double high, char decimalSeparator, UnitSystem system) {
    constexpr Quantity T = Quantity::Temperature;
    const std::string unit = KeepsMetricUnit(T, system) ? "degC" : std::string(UnitIn(T, system).symbol);
    return Shown(InSystem(low, T, system), decimalSeparator) + " to " +
           Shown(InSystem(high, T, system), decimalSeparator) + " " + unit;
}

std::string Percent(double share, char decimalSeparator) {
    return FormatGeneral(100 * share, 3, 0, decimalSeparator) + " %";
}

// The largest relative difference of the two laws' η at the points and at the
// corners of their ranges.
double LargestDeviation(const ViscosityCoefficients& a, const ViscosityCoefficients& b,
                        const std::vector<ViscosityPoint>& points) {
    std::vector<std::pair<double, double>> where;  // shear rate, temperature
    where.reserve(points.size() + 4);
    for (const ViscosityPoint& p : points) where.emplace_back(p.shearRate, p.temperature);
    const auto [tLow, tHigh] = std::minmax_element(
        points.begin(), points.end(), [](auto& p, auto& q) { return p.temperature < q.temperature; });
    const auto [gLow, gHigh] = std::minmax_element(
        points.begin(), points.end(), [](auto& p, auto& q) { return p.shearRate < q.shearRate; });
    for (const double rate : {gLow->shearRate, gHigh->shearRate})
        for (const double T : {tLow->temperature, tHigh->temperature}) where.emplace_back(rate, T);
    double largest = 0;
    for (const auto& [rate, T] : where)
        largest = std::max(largest, std::fabs(ViscosityOf(b, rate, T) / ViscosityOf(a, rate, T) - 1));
    return largest;
}

}  // namespace

std::array<std::string, 6> CoefficientTexts(const ViscosityCoefficients& coefficients,
                                            const std::vector<ViscosityPoint>& points,
                                            char decimalSeparator) {
    std::array<std::string, 6> texts;
    for (int digits = LeastDigits; digits <= MostDigits; ++digits) {
        ViscosityCoefficients read{};
        for (std::size_t j = 0; j < 6; ++j) {
            texts[j] = FormatGeneral(coefficients[j], digits, 0, decimalSeparator);
            read[j] = ConvertReal(texts[j], decimalSeparator).value_or(NAN);
        }
        if (points.empty() || LargestDeviation(coefficients, read, points) <= LawTolerance) break;
    }
    return texts;
}

std::vector<FitFigure> FitFigures(const ViscosityFit& fit, char decimalSeparator, UnitSystem system) {
    return {
        {"R² of ln η", FormatFixed(fit.rSquared, 10, 6, decimalSeparator)},
        {"RMS relative error of η", Percent(fit.rmsRelativeError, decimalSeparator)},
        {"Largest relative error of η", Percent(fit.maxRelativeError, decimalSeparator)},
        {"Points", std::to_string(fit.pointCount)},
        {"Temperatures", TemperatureRange(fit.temperatureLow, fit.temperatureHigh, decimalSeparator, system)},
        {"Shear rates", Shown(fit.shearRateLow, decimalSeparator) + " to " +
                            Shown(fit.shearRateHigh, decimalSeparator) + " 1/s"},
    };
}

FittedRanges FittedRangesOf(const ViscosityFit& fit) {
    return {ValueRange{fit.temperatureLow, fit.temperatureHigh}, ValueRange{fit.shearRateLow, fit.shearRateHigh}};
}

std::string FittedCaseText(const Measurements& measurements, const ViscosityFit& fit) {
    const std::array<std::string, 6> texts = CoefficientTexts(fit.coefficients, measurements.points, '.');
    std::string content;
    for (std::size_t j = 0; j < 6; ++j) content += std::string(ViscosityTermNames[j]) + " = " + texts[j] + "\n";
    content += CaseExtrasText({FittedRangesOf(fit), {}});
    content += CaseCommentLine("Viscosity law fitted to " + measurements.fileName + ", viscosities in " +
                               std::string(UnitName(measurements.unit)));
    for (const FitFigure& figure : FitFigures(fit, '.'))
        content += CaseCommentLine(figure.caption + ": " + figure.text);
    return content;
}

std::vector<FitCurve> FitCurves(const Measurements& measurements, const ViscosityFit& fit,
                                char decimalSeparator, int samples) {
    std::map<double, std::vector<const ViscosityPoint*>> byTemperature;
    for (const ViscosityPoint& p : measurements.points) byTemperature[p.temperature].push_back(&p);
    const double lnLow = std::log(fit.shearRateLow), lnHigh = std::log(fit.shearRateHigh);
    std::vector<FitCurve> curves;
    for (auto& [T, points] : byTemperature) {
        FitCurve curve{T, Shown(T, decimalSeparator) + " degC", {}, {}, {}, {}};
        std::sort(points.begin(), points.end(), [](auto* p, auto* q) { return p->shearRate < q->shearRate; });
        for (const ViscosityPoint* p : points) {
            curve.measuredShearRate.push_back(p->shearRate);
            curve.measuredViscosity.push_back(FromModelViscosity(p->viscosity, measurements.unit));
        }
        for (int k = 0; k < samples; ++k) {
            const double rate = std::exp(lnLow + (lnHigh - lnLow) * k / std::max(samples - 1, 1));
            curve.lawShearRate.push_back(rate);
            curve.lawViscosity.push_back(
                FromModelViscosity(ViscosityOf(fit.coefficients, rate, T), measurements.unit));
        }
        curves.push_back(std::move(curve));
    }
    return curves;
}

std::vector<CaseEntry> CoefficientEntries(const std::vector<CaseEntry>& entries) {
    const std::array<const InputField*, 6> fields = ViscosityCoefficientFields();
    std::vector<CaseEntry> coefficients;
    std::copy_if(entries.begin(), entries.end(), std::back_inserter(coefficients), [&](const CaseEntry& e) {
        return std::find(fields.begin(), fields.end(), e.field) != fields.end();
    });
    return coefficients;
}

}  // namespace vortane
