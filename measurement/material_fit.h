#pragma once

#include <array>
#include <string>
#include <vector>

#include "case/case_file.h"
#include "case/units.h"
#include "measurement/measurement_file.h"
#include "model/viscosity_fit.h"

namespace vortane {

// A fitted viscosity law as every front end shows it: the texts of the six
// coefficient boxes, the fit's figures, the case file text and the curves.

// The six texts, A0 first, in the notation of `decimalSeparator`: each with the
// fewest significant digits, from six on, that keep the law they give within
// 1e-9 relative of the fitted law at every point and at the four corners of
// the points' temperature and shear-rate ranges.
std::array<std::string, 6> CoefficientTexts(const ViscosityCoefficients& coefficients,
                                            const std::vector<ViscosityPoint>& points,
                                            char decimalSeparator);

// The fit's quality and ranges, captioned: R² of ln η, RMS and largest
// relative error of η, the number of points, the ranges of temperature (in
// the unit of `system`) and shear rate.
struct FitFigure {
    std::string caption;
    std::string text;
};
std::vector<FitFigure> FitFigures(const ViscosityFit& fit, char decimalSeparator,
                                  UnitSystem system = UnitSystem::Metric);

// The temperatures and shear rates the fit's points span.
FittedRanges FittedRangesOf(const ViscosityFit& fit);

// A case file holding the six coefficients and the ranges they were fitted
// on, then the figures, the file and its unit as comments.
std::string FittedCaseText(const Measurements& measurements, const ViscosityFit& fit);

// The points of one temperature and the fitted law through them, viscosities
// in the file's unit: `samples` shear rates evenly spaced in ln γ over the
// range of all points.
struct FitCurve {
    double temperature;  // degC
    std::string label;   // "170 degC"
    std::vector<double> measuredShearRate, measuredViscosity;
    std::vector<double> lawShearRate, lawViscosity;
};
std::vector<FitCurve> FitCurves(const Measurements& measurements, const ViscosityFit& fit,
                                char decimalSeparator, int samples = 60);

// The coefficients of a case file's entries; every other field left out (the
// ranges their law was fitted on stand beside the entries, in its extras).
std::vector<CaseEntry> CoefficientEntries(const std::vector<CaseEntry>& entries);

}  // namespace vortane
