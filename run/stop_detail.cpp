#include "run/stop_detail.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <system_error>

#include "case/excerpt.h"
#include "model/arithmetic.h"
#include "model/temperature_iteration.h"
#include "report/value_format.h"
#include "run/calculation_run.h"

namespace vortane {

std::string RejectedBoxDetail(const InputField& field, std::string_view text) {
    const bool real = field.conversion == InputField::Conversion::Real;
    return "Edit" + std::to_string(field.box) + ' ' + std::string(field.name) + " (\"" +
           std::string(field.caption) + "\"): \"" + Excerpt(text) + "\" is not " +
           (real ? "a real number" : "a 32-bit integer");
}

std::string FileDetail(const std::string& resultFileName, const std::string& reason) {
    std::error_code error;
    const std::filesystem::path full = std::filesystem::absolute(resultFileName, error);
    return "cannot open " + (error ? resultFileName : full.string()) + ": " + reason;
}

double InletChannelLoss(const CaseData& d) {
    return static_cast<double>(Real{d.InletPressure} * (1 - Real{d.RelPressureInletEnd}));
}

std::optional<double> LeastPassingInletPressure(CaseData data, double largestLoss, int passes) {
    if (!(largestLoss > 0)) return std::nullopt;
    Messages ignored;
    try {
        for (int attempt = 0; passes < PassLimit && attempt < PassLimit; ++attempt) {
            data.InletPressure = 2 * largestLoss;
            SolvePressureAndTemperature(data, ignored);
            largestLoss = std::max(largestLoss, InletChannelLoss(data));
            if (!data.PressureOk) continue;
            ++passes;
            if (data.Converged) break;
        }
    } catch (const ArithmeticFault&) {
        return std::nullopt;
    }
    return largestLoss;
}

// Seven significant digits, rounded up, so that every pressure above the
// text passes.
std::string InletPressureDetail(double leastPassing, char decimalSeparator) {
    const double unit = std::pow(10.0, std::floor(std::log10(leastPassing)) - 6);
    return "the inlet pressure test passes in every pass above InletPressure = " +
           FormatGeneral(std::ceil(leastPassing / unit) * unit, 7, 2, decimalSeparator) +
           " kgf/cm2";
}

std::string AlternationDetail(double workingTemp, double nextWorkingTemp, char decimalSeparator) {
    return "the working temperature alternates between " +
           FormatFixed(std::min(workingTemp, nextWorkingTemp), 15, 2, decimalSeparator) +
           " \u2103 and " +
           FormatFixed(std::max(workingTemp, nextWorkingTemp), 15, 2, decimalSeparator) + " \u2103";
}

}  // namespace vortane
