#include <array>
#include <cmath>

#include "material/law_families.h"

namespace vortane::laws {

namespace {

// Osswald's Carreau-WLF: η = k1·aT/(1 + k2·aT·γ)^k3, Pa.s, with
// log10 aT = 8.86(Tk − Ts)/(101.6 + Tk − Ts) − 8.86(T − Ts)/(101.6 + T − Ts).
constexpr std::array<LawParameter, 5> CarreauParameters{{
    {"k1", "Pa.s"}, {"k2", "s"}, {"k3", ""}, {"Tk", "degC"}, {"Ts", "degC"}}};

double CarreauViscosity(std::span<const double> p, double temperature, double shearRate) {
    const double k1 = p[0], k2 = p[1], k3 = p[2], Tk = p[3], Ts = p[4];
    const double log10Shift = 8.86 * (Tk - Ts) / (101.6 + Tk - Ts) - 8.86 * (temperature - Ts) / (101.6 + temperature - Ts);
    const double aT = std::pow(10.0, log10Shift);
    return k1 * aT / std::pow(1 + k2 * aT * shearRate, k3);
}

// Cross-WLF: η = η0/(1 + (η0·γ/τ*)^(1−n)), η0 = D1·exp(−A1(T − D2)/(A2 + T − D2)),
// T, D2 and A2 in K, Pa.s.
constexpr std::array<LawParameter, 6> CrossParameters{{
    {"n", ""}, {"tau", "Pa"}, {"D1", "Pa.s"}, {"D2", "K"}, {"A1", ""}, {"A2", "K"}}};

double CrossViscosity(std::span<const double> p, double temperature, double shearRate) {
    const double n = p[0], tau = p[1], D1 = p[2], D2 = p[3], A1 = p[4], A2 = p[5];
    const double T = temperature + CelsiusZero;
    const double zeroShear = D1 * std::exp(-A1 * (T - D2) / (A2 + T - D2));
    return zeroShear / (1 + std::pow(zeroShear * shearRate / tau, 1 - n));
}

}  // namespace

const LawFamily CarreauWLF{"CarreauWLF", "", CarreauParameters, CarreauViscosity};
const LawFamily CrossWLF{"CrossWLF", "", CrossParameters, CrossViscosity};

}  // namespace vortane::laws
