#pragma once

#include <array>
#include <cstddef>
#include <string_view>
#include <vector>

#include "case/error.h"
#include "case/input_fields.h"

namespace vortane {

// The viscosity law fitted to measured points. ln η is linear in the six
// coefficients, so a linear least-squares fit on ln η finds them without a
// starting guess.

// One measured point of the melt.
struct ViscosityPoint {
    double temperature;  // degC
    double shearRate;    // 1/s
    double viscosity;    // gf.s/cm2
};

// A0, A1, A11, A2, A22, A12: the order of the coefficient boxes
// (ViscosityTermNames).
using ViscosityCoefficients = std::array<double, 6>;

struct ViscosityFit {
    ViscosityCoefficients coefficients;
    double rSquared;          // of ln η; 1 when the measured ln η are all equal
    double rmsRelativeError;  // of η: (η law − η measured) / η measured
    double maxRelativeError;  // the largest in magnitude
    std::size_t pointCount;
    double temperatureLow, temperatureHigh;  // degC
    double shearRateLow, shearRateHigh;      // 1/s
};

// Points that cannot determine the law; the text says why, naming the terms
// that cannot be fitted where that is the reason.
class ViscosityFitError : public Error {
public:
    using Error::Error;
};

inline constexpr std::size_t ViscosityFitMinimumPoints = 6;

// The law's η (gf.s/cm2) at shear rate γ (1/s) and temperature T (degC).
double ViscosityOf(const ViscosityCoefficients& a, double shearRate, double temperature);

// The coefficients minimising Σ (ln η law − ln η measured)² over the points,
// solved by SVD on columns centred and scaled to the data's ranges, then
// returned as the law's own coefficients, with the fit's quality.
// ViscosityFitError: fewer than six points, a viscosity or shear rate that is
// not positive and finite, fewer than three temperatures or shear rates, or
// any other set of points on which two terms vary together.
ViscosityFit FitViscosityLaw(const std::vector<ViscosityPoint>& points);

}  // namespace vortane
