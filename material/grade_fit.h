#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "material/grade.h"
#include "model/viscosity_fit.h"

namespace vortane {

// The printed law of a grade as the program's own six-coefficient law: the
// printed law sampled over the grade's ranges, fitted, and its error measured.

// 1 Pa.s in gf.s/cm2: 1 gf = 0.00980665 N and 1 cm2 = 1e-4 m2, so
// 1 gf.s/cm2 = 98.0665 Pa.s.
inline constexpr double PascalSecondsPerGramForceSecond = 98.0665;

// The grid the fit samples: temperatures evenly spaced over the grade's
// range, shear rates evenly spaced in ln γ over its range.
inline constexpr int FitTemperatures = 9;
inline constexpr int FitShearRates = 25;
// The finer grid on which the fit's error is measured.
inline constexpr int ErrorTemperatures = 33;
inline constexpr int ErrorShearRates = 97;

// The ranges a law of the program's own form (LawFamily::ownForm) is fitted
// and its error measured over when its source states none: wide enough for
// any extrusion, since such a law fits exactly everywhere. The case gets no
// fitted ranges from such a grade.
inline constexpr ValueRange OwnFormTemperatures{100, 350};  // degC
inline constexpr ValueRange OwnFormShearRates{0.1, 1e5};    // 1/s

// The printed law at `temperatures` × `shearRates` grid points over the
// grade's ranges (for a law of the program's form that states none, the
// ranges above), in gf.s/cm2.
std::vector<ViscosityPoint> SampleGrade(const Grade& grade, int temperatures, int shearRates);

// The largest |η law − η printed| / η printed of `coefficients` over the
// error grid.
double LargestFitError(const Grade& grade, const ViscosityCoefficients& coefficients);

struct GradeFit {
    std::array<std::string, 6> texts;  // as CoefficientTexts writes them, with a point
    ViscosityCoefficients coefficients;  // the values of the texts
    double fitError;  // the largest relative error of the texts' law, rounded up to three digits
};

// The grade's law fitted over its ranges; a grade of the six coefficients
// keeps them, its error 0. A grade that states no ranges, a law that is not
// positive and finite on the grid, or one the fit cannot take, is a
// GradeFileError naming the grade's file.
GradeFit FitGrade(const Grade& grade);

// `content`, the text of the grade's file, with the six coefficient lines
// and FitError giving `fit`: each line that holds one keeps what precedes its
// value; those missing are added at the end, after a comment line; every
// other byte as it was.
std::string WithFit(std::string_view content, const GradeFit& fit);

// The check: the law's η at the printed point, and its relative difference
// from the printed value.
struct CheckResult {
    double lawViscosity;        // Pa.s
    double relativeDifference;  // (law − printed) / printed
    double tolerance;           // half a unit in the printed value's last digit, relative
    bool Holds() const;
};
// None for a grade without a check value.
std::optional<CheckResult> CheckGrade(const Grade& grade);

}  // namespace vortane
