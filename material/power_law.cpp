#include <array>
#include <cmath>

#include "material/law_families.h"

namespace vortane::laws {

namespace {

// η = K·exp(−β(T − T0))·γ^(n−1), Pa.s.
constexpr std::array<LawParameter, 4> PowerParameters{{
    {"n", ""}, {"beta", "1/degC"}, {"K", "Pa.s^n"}, {"T0", "degC"}}};

double PowerViscosity(std::span<const double> p, double temperature, double shearRate) {
    const double n = p[0], beta = p[1], K = p[2], T0 = p[3];
    return K * std::exp(-beta * (temperature - T0)) * std::pow(shearRate, n - 1);
}

// η = K·exp((E/R)(1/T − 1/T0))·γ^(n−1), T and T0 absolute, Pa.s.
constexpr std::array<LawParameter, 4> PowerLawArrheniusParameters{{
    {"n", ""}, {"K", "Pa.s^n"}, {"E", "J/mol"}, {"T0", "degC"}}};

double PowerLawArrheniusViscosity(std::span<const double> p, double temperature, double shearRate) {
    const double n = p[0], K = p[1], E = p[2], T0 = p[3];
    const double shift = E / GasConstant * (1 / (temperature + CelsiusZero) - 1 / (T0 + CelsiusZero));
    return K * std::exp(shift) * std::pow(shearRate, n - 1);
}

}  // namespace

// ln η = ln K + β T0 − β T + (n − 1) ln γ: the program's law with A11, A22
// and A12 zero.
const LawFamily PowerLaw{"PowerLaw", "", PowerParameters, PowerViscosity, false, true};
const LawFamily PowerLawArrhenius{"PowerLawArrhenius", "", PowerLawArrheniusParameters, PowerLawArrheniusViscosity};

}  // namespace vortane::laws
