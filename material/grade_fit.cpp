#include "material/grade_fit.h"

#include <cmath>

#include "case/number_format.h"
#include "case/number_text.h"
#include "measurement/material_fit.h"

namespace vortane {

namespace {

// `count` values from `low` to `high`, evenly spaced, or evenly spaced in ln
// when `logarithmic`.
std::vector<double> Spaced(double low, double high, int count, bool logarithmic) {
    std::vector<double> values;
    const double from = logarithmic ? std::log(low) : low;
    const double to = logarithmic ? std::log(high) : high;
    for (int i = 0; i < count; ++i) {
        const double at = i == count - 1 ? to : from + (to - from) * i / (count - 1);
        values.push_back(logarithmic ? std::exp(at) : at);
    }
    // The ends exactly, whatever exp(log(x)) gives.
    values.front() = low;
    values.back() = high;
    return values;
}

// Up to three significant digits, rounded up, so that the stated error bounds
// the measured one.
double RoundedUp(double error) {
    if (!(error > 0)) return 0;
    const double unit = std::pow(10.0, std::floor(std::log10(error)) - 2);
    double rounded = std::ceil(error / unit) * unit;
    while (*ReadNumber(SignificantText(rounded, 3)) < error) rounded += unit;
    return *ReadNumber(SignificantText(rounded, 3));
}

const std::array<std::string_view, 7> FitKeys{"A0", "A1", "A11", "A2", "A22", "A12", "FitError"};

}  // namespace

std::vector<ViscosityPoint> SampleGrade(const Grade& grade, int temperatures, int shearRates) {
    std::vector<ViscosityPoint> points;
    const bool own = !grade.rangesStated && grade.law.family->ownForm;
    const ValueRange& temperature = own ? OwnFormTemperatures : grade.temperatureRange;
    const ValueRange& shearRate = own ? OwnFormShearRates : grade.shearRateRange;
    const std::vector<double> ts = Spaced(temperature.low, temperature.high, temperatures, false);
    const std::vector<double> rates = Spaced(shearRate.low, shearRate.high, shearRates, true);
    for (const double t : ts)
        for (const double rate : rates)
            points.push_back({t, rate, grade.law.Viscosity(t, rate) / PascalSecondsPerGramForceSecond});
    return points;
}

double LargestFitError(const Grade& grade, const ViscosityCoefficients& coefficients) {
    double largest = 0;
    for (const ViscosityPoint& point : SampleGrade(grade, ErrorTemperatures, ErrorShearRates)) {
        const double law = ViscosityOf(coefficients, point.shearRate, point.temperature);
        const double error = std::abs(law - point.viscosity) / point.viscosity;
        if (!std::isfinite(error)) return error;
        largest = std::max(largest, error);
    }
    return largest;
}

GradeFit FitGrade(const Grade& grade) {
    if (grade.law.family->sixCoefficients)
        return {*grade.coefficientTexts, *grade.coefficients, 0};
    if (!grade.rangesStated && !grade.law.family->ownForm)
        throw GradeFileError(grade.file + ": " + grade.name +
                                 " states no TemperatureRange and ShearRateRange: its law cannot be fitted "
                                 "without the ranges it holds over",
                             {grade.file, std::nullopt, nullptr});
    const std::vector<ViscosityPoint> points = SampleGrade(grade, FitTemperatures, FitShearRates);
    for (const ViscosityPoint& point : points)
        if (!(point.viscosity > 0) || !std::isfinite(point.viscosity))
            throw GradeFileError(grade.file + ": the law " + std::string(grade.law.family->name) +
                                        " gives no positive, finite viscosity at " + ShortestText(point.temperature) +
                                        " degC and " + ShortestText(point.shearRate) + " 1/s",
                                    {grade.file, std::nullopt, nullptr});
    ViscosityFit fit{};
    try {
        fit = FitViscosityLaw(points);
    } catch (const ViscosityFitError& error) {
        throw GradeFileError(grade.file + ": " + error.what(), {grade.file, std::nullopt, nullptr});
    }
    GradeFit result{CoefficientTexts(fit.coefficients, points, '.'), {}, 0};
    for (std::size_t j = 0; j < result.texts.size(); ++j) result.coefficients[j] = *ConvertReal(result.texts[j], '.');
    const double error = LargestFitError(grade, result.coefficients);
    if (!std::isfinite(error))
        throw GradeFileError(grade.file + ": the law " + std::string(grade.law.family->name) +
                                 " gives no positive, finite viscosity somewhere in its ranges",
                             {grade.file, std::nullopt, nullptr});
    result.fitError = RoundedUp(error);
    return result;
}

std::string WithFit(std::string_view content, const GradeFit& fit) {
    std::array<std::string, 7> values;
    for (std::size_t j = 0; j < 6; ++j) values[j] = fit.texts[j];
    values[6] = SignificantText(fit.fitError, 3);
    std::array<bool, 7> written{};
    std::string result;
    while (!content.empty()) {
        const std::size_t end = content.find('\n');
        std::string_view line = content.substr(0, end == std::string_view::npos ? content.size() : end + 1);
        content.remove_prefix(line.size());
        const std::size_t equals = line.find('=');
        const std::size_t first = line.find_first_not_of(" \t");
        if (equals != std::string_view::npos && first != std::string_view::npos && line[first] != '#') {
            std::string_view key = line.substr(first, equals - first);
            while (!key.empty() && (key.back() == ' ' || key.back() == '\t')) key.remove_suffix(1);
            for (std::size_t k = 0; k < FitKeys.size(); ++k) {
                if (key != FitKeys[k]) continue;
                std::size_t valueAt = equals + 1;
                while (valueAt < line.size() && (line[valueAt] == ' ' || line[valueAt] == '\t')) ++valueAt;
                const std::string_view ending = line.ends_with("\r\n") ? "\r\n" : line.ends_with('\n') ? "\n" : "";
                result += std::string(line.substr(0, valueAt)) + values[k] + std::string(ending);
                written[k] = true;
                line = {};
            }
        }
        result += line;
    }
    std::string added;
    for (std::size_t k = 0; k < FitKeys.size(); ++k)
        if (!written[k]) added += std::string(FitKeys[k]) + " = " + values[k] + "\n";
    if (added.empty()) return result;
    if (!result.empty() && result.back() != '\n') result += '\n';
    return result + "# fitted by vortane-calc --fit-grade\n" + added;
}

bool CheckResult::Holds() const { return std::abs(relativeDifference) <= tolerance; }

std::optional<CheckResult> CheckGrade(const Grade& grade) {
    if (!grade.check) return std::nullopt;
    const GradeCheck& check = *grade.check;
    const double law = grade.law.Viscosity(check.temperature, check.shearRate);
    return CheckResult{law, (law - check.viscosity) / check.viscosity, PrintedTolerance(check.viscosityText)};
}

}  // namespace vortane
