#include <array>
#include <cmath>

#include "material/law_families.h"

namespace vortane::laws {

namespace {

// Münstedt's polynomial: lg η = lg aT + A0 + A1·x + A2·x² + A3·x³ + A4·x⁴,
// x = lg(aT·γ), η in Pa.s; the first five parameters are A0 ... A4.
double Polynomial(std::span<const double> p, double log10Shift, double shearRate) {
    const double x = log10Shift + std::log10(shearRate);
    const double lgEta = p[0] + x * (p[1] + x * (p[2] + x * (p[3] + x * p[4])));
    return std::pow(10.0, log10Shift + lgEta);
}

// Shifted by WLF: lg aT = −c1(T − Ts)/(c2 + T − Ts).
constexpr std::array<LawParameter, 8> WlfParameters{{
    {"A0", ""}, {"A1", ""}, {"A2", ""}, {"A3", ""}, {"A4", ""}, {"c1", ""}, {"c2", "K"}, {"Ts", "degC"}}};

double WlfViscosity(std::span<const double> p, double temperature, double shearRate) {
    const double c1 = p[5], c2 = p[6], Ts = p[7];
    return Polynomial(p, -c1 * (temperature - Ts) / (c2 + temperature - Ts), shearRate);
}

// Shifted by Arrhenius: ln aT = (E/R)(1/T − 1/T0), T and T0 absolute.
constexpr std::array<LawParameter, 7> ArrheniusParameters{{
    {"A0", ""}, {"A1", ""}, {"A2", ""}, {"A3", ""}, {"A4", ""}, {"E", "J/mol"}, {"T0", "degC"}}};

double ArrheniusViscosity(std::span<const double> p, double temperature, double shearRate) {
    const double E = p[5], T0 = p[6];
    const double lnShift = E / GasConstant * (1 / (temperature + CelsiusZero) - 1 / (T0 + CelsiusZero));
    return Polynomial(p, lnShift / std::log(10.0), shearRate);
}

}  // namespace

const LawFamily MuenstedtWLF{"Muenstedt", "WLF", WlfParameters, WlfViscosity};
const LawFamily MuenstedtArrhenius{"Muenstedt", "Arrhenius", ArrheniusParameters, ArrheniusViscosity};

}  // namespace vortane::laws
