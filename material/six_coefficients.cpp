#include <array>

#include "material/law_families.h"
#include "model/viscosity_fit.h"

namespace vortane::laws {

namespace {

// The program's own law, ln η = A0 + A1 ln γ + A11 (ln γ)² + A2 T + A22 T² +
// A12 T ln γ, η in gf.s/cm2: 1 gf.s/cm2 = 0.00980665 N / 1e-4 m2 = 98.0665 Pa.s.
constexpr std::array<LawParameter, 6> SixParameters{{
    {"A0", ""}, {"A1", ""}, {"A11", ""}, {"A2", ""}, {"A22", ""}, {"A12", ""}}};

double SixViscosity(std::span<const double> p, double temperature, double shearRate) {
    const ViscosityCoefficients a{p[0], p[1], p[2], p[3], p[4], p[5]};
    return ViscosityOf(a, shearRate, temperature) * 98.0665;
}

}  // namespace

const LawFamily SixCoefficients{"Six", "", SixParameters, SixViscosity, true};

}  // namespace vortane::laws
