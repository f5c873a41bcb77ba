#include "material/grade_view.h"

#include <algorithm>
#include <cmath>

#include "case/blanks.h"
#include "case/excerpt.h"
#include "case/input_fields.h"
#include "case/number_format.h"
#include "material/grade_fit.h"
#include "report/value_format.h"
#include "result/unit_caption.h"

namespace vortane {

namespace {

// Curve points along the shear-rate axis.
constexpr int CurveSamples = 60;

std::string RangeText(const ValueRange& range, std::string_view unit) {
    return ShortestText(range.low) + " to " + ShortestText(range.high) + " " + std::string(unit);
}

// An input's caption without the unit its box takes: the grade's value keeps
// its own ("Melting Point (℃)" gives "Melting Point").
std::string WithoutUnit(std::string_view caption) {
    const std::size_t open = caption.rfind(" (");
    return std::string(caption.substr(0, open));
}

// "PowerLaw: n = 0.3286, beta = 0.00863 1/degC"; a shifted law names its shift.
std::string LawText(const Grade& grade) {
    const LawFamily& family = *grade.law.family;
    std::string text(family.name);
    if (!family.shift.empty()) text += " with " + std::string(family.shift) + " shift";
    for (std::size_t i = 0; i < grade.lawTexts.size(); ++i) {
        const std::string_view key = family.sixCoefficients ? ViscosityTermNames[i] : family.parameters[i].key;
        text += (i == 0 ? ": " : ", ") + std::string(key) + " = " + grade.lawTexts[i];
    }
    return text;
}

}  // namespace

std::string GradeListName(const Grade& grade) { return grade.name + (grade.user ? " (yours)" : ""); }

bool GradeMatches(const Grade& grade, std::string_view query) {
    std::string searched = grade.name + '\n' + grade.family + '\n' + grade.description + '\n' + grade.notes;
    for (const auto& [caption, source] : grade.Sources()) searched += '\n' + source;
    searched = LowerCase(searched);
    const std::string wanted = LowerCase(query);
    for (std::size_t at = 0; at < wanted.size();) {
        if (IsBlank(wanted[at])) {
            ++at;
            continue;
        }
        std::size_t end = at;
        while (end < wanted.size() && !IsBlank(wanted[end])) ++end;
        if (searched.find(wanted.substr(at, end - at)) == std::string::npos) return false;
        at = end;
    }
    return true;
}

std::vector<GradeDetail> GradeDetails(const Grade& grade) {
    std::vector<GradeDetail> details{{"Name", grade.name, {}}, {"Family", grade.family, {}}};
    if (!grade.description.empty()) details.push_back({"Description", grade.description, {}});
    if (!grade.notes.empty()) details.push_back({"Notes", grade.notes, {}});
    details.push_back({"Viscosity law", LawText(grade), grade.lawSource});
    if (grade.check)
        details.push_back({"Check value",
                           grade.check->viscosityText + " Pa.s at " + ShortestText(grade.check->temperature) +
                               " degC and " + ShortestText(grade.check->shearRate) + " 1/s",
                           grade.check->source});
    if (grade.rangesStated) {
        details.push_back({"Temperatures", RangeText(grade.temperatureRange, "degC"), grade.rangeSource});
        details.push_back({"Shear rates", RangeText(grade.shearRateRange, "1/s"), grade.rangeSource});
    } else {
        details.push_back({"Temperatures", "not stated", {}});
        details.push_back({"Shear rates", "not stated", {}});
    }
    details.push_back({"Largest fit error",
                       grade.fitError ? SignificantText(*grade.fitError * 100, 3) + " %" : "not fitted", {}});
    for (const ThermalValue& value : grade.thermal)
        details.push_back({WithoutUnit(InputFieldNamed(value.field).caption), value.text, value.source});
    if (!grade.runNote.empty()) details.push_back({"Run note", grade.runNote, {}});
    return details;
}

Chart GradeChart(const Grade& grade, char decimalSeparator, UnitSystem system) {
    constexpr Quantity T = Quantity::Temperature;
    const ValueRange& temperatures = grade.rangesStated ? grade.temperatureRange : OwnFormTemperatures;
    const ValueRange& shearRates = grade.rangesStated ? grade.shearRateRange : OwnFormShearRates;
    // The fit is drawn where it can differ from the law: not for the six
    // coefficients themselves, nor a law of their form.
    const bool fitDrawn = grade.coefficients && !grade.law.family->sixCoefficients && !grade.law.family->ownForm;
    ChartPanel panel{{"Viscosity", "Pa.s", Scale::Log}, {}, {}};
    const double lnLow = std::log(shearRates.low), lnHigh = std::log(shearRates.high);
    for (int c = 0; c < GradeChartTemperatures; ++c) {
        const double t =
            temperatures.low + (temperatures.high - temperatures.low) * c / (GradeChartTemperatures - 1);
        const std::string label = KeepsMetricUnit(T, system)
                                      ? FormatGeneral(t, 6, 0, decimalSeparator) + " degC"
                                      : ValueTextIn(t, T, system, decimalSeparator) + " " +
                                            std::string(UnitIn(T, system).symbol);
        ChartSeries law{label, {}, {}, CurveColour(static_cast<std::size_t>(c), GradeChartTemperatures)};
        ChartSeries fit{label, {}, {}, law.colour};
        fit.dashed = true;
        for (int k = 0; k < CurveSamples; ++k) {
            const double rate = std::exp(lnLow + (lnHigh - lnLow) * k / (CurveSamples - 1));
            law.x.push_back(rate);
            law.y.push_back(grade.law.Viscosity(t, rate));
            if (fitDrawn) {
                fit.x.push_back(rate);
                fit.y.push_back(ViscosityOf(*grade.coefficients, rate, t) * PascalSecondsPerGramForceSecond);
            }
        }
        panel.series.push_back(std::move(law));
        if (fitDrawn) panel.series.push_back(std::move(fit));
    }
    if (grade.check) {
        ChartSeries check{"printed check value", {grade.check->shearRate}, {grade.check->viscosity}, FailColour};
        check.markersOnly = true;
        panel.series.push_back(std::move(check));
    }
    std::string title = fitDrawn ? "Printed law (lines) and its six-coefficient fit (dashes)" : "Printed law";
    if (!grade.rangesStated) title += " (no ranges stated: drawn over " + RangeText(temperatures, "degC") + ")";
    return {title, {"Shear rate", "1/s", Scale::Log}, {std::move(panel)}};
}

}  // namespace vortane
