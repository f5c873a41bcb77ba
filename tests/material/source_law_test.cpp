#include "material/source_law.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vortane {
namespace {

double Eta(std::string_view law, std::string_view shift, std::vector<double> values, double t, double rate) {
    const LawFamily* family = FindLawFamily(law, shift);
    EXPECT_NE(family, nullptr) << law;
    EXPECT_EQ(values.size(), family->parameters.size()) << law;
    return SourceLaw{family, std::move(values)}.Viscosity(t, rate);
}

// Each law where its temperature shift is 1, against its closed form worked
// out here, and its shift against the printed shift factor.
TEST(SourceLaw, PowerLaws) {
    // Rao and Schumacher's example: 373.1 Pa.s at 200 degC and 500 1/s (printed).
    EXPECT_NEAR(Eta("PowerLaw", "", {0.3286, 0.00863, 135990, 0}, 200, 500), 373.1, 0.05);
    // At T = T0: K·γ^(n−1) = 1e4 · 100^(−0.6) = 1e4 · 10^(−1.2) = 630.957344 Pa.s.
    EXPECT_NEAR(Eta("PowerLawArrhenius", "", {0.4, 1e4, 40000, 200}, 200, 100), 630.957344, 1e-6);
    // 50 K hotter: exp((40000/8.314462618)(1/523.15 − 1/473.15)) = 0.37840652 times less.
    EXPECT_NEAR(Eta("PowerLawArrhenius", "", {0.4, 1e4, 40000, 200}, 250, 100), 630.957344 * 0.37840652, 1e-4);
}

TEST(SourceLaw, WlfLaws) {
    // Carreau-WLF at T = Tk (aT = 1): k1/(1 + k2·γ)^k3 = 3000/(1 + 0.1·90)^0.7 = 3000/10^0.7 = 598.578 Pa.s.
    EXPECT_NEAR(Eta("CarreauWLF", "", {3000, 0.1, 0.7, 200, 10}, 200, 90), 598.578, 1e-3);
    // Cross-WLF at T = D2 (η0 = D1): 1e12/(1 + (1e12·1/1e5)^0.7) = 1e12/(1 + 10^4.9) = 1.25890956e7 Pa.s.
    EXPECT_NEAR(Eta("CrossWLF", "", {0.3, 1e5, 1e12, 373.15, 25, 51.6}, 100, 1), 1.25890956e7, 1);
    // Below its plateau's end the Cross law is Newtonian: η → η0 as γ → 0.
    EXPECT_NEAR(Eta("CrossWLF", "", {0.3, 1e5, 1e12, 373.15, 25, 51.6}, 100, 1e-12), 1e12, 1e12 * 1e-3);
}

TEST(SourceLaw, MuenstedtShiftsAlongTheMasterCurve) {
    const std::vector<double> wlf{4, -0.3, -0.05, 0.001, 0.0001, 8.86, 101.6, 150};
    // At Ts and 10 1/s, x = 1: lg η = 4 − 0.3 − 0.05 + 0.001 + 0.0001 = 3.6511.
    EXPECT_NEAR(Eta("Muenstedt", "WLF", wlf, 150, 10), std::pow(10.0, 3.6511), 1e-9 * 4500);
    // Time-temperature superposition: η(T, γ) = aT · η(Ts, aT·γ).
    const double aT = std::pow(10.0, -8.86 * 40 / (101.6 + 40));
    EXPECT_NEAR(Eta("Muenstedt", "WLF", wlf, 190, 10), aT * Eta("Muenstedt", "WLF", wlf, 150, aT * 10), 1e-9);
    const std::vector<double> arrhenius{4, -0.3, -0.05, 0.001, 0.0001, 50000, 200};
    EXPECT_NEAR(Eta("Muenstedt", "Arrhenius", arrhenius, 200, 10), std::pow(10.0, 3.6511), 1e-9 * 4500);
    const double bT = std::exp(50000 / GasConstant * (1 / 493.15 - 1 / 473.15));
    EXPECT_NEAR(Eta("Muenstedt", "Arrhenius", arrhenius, 220, 10),
                bT * Eta("Muenstedt", "Arrhenius", arrhenius, 200, bT * 10), 1e-9);
}

TEST(SourceLaw, FamiliesAreFoundByNameAndShift) {
    EXPECT_EQ(FindLawFamily("Muenstedt", ""), nullptr);
    EXPECT_EQ(FindLawFamily("PowerLaw", "WLF"), nullptr);
    EXPECT_EQ(ShiftsOf("Muenstedt"), (std::vector<std::string_view>{"WLF", "Arrhenius"}));
    EXPECT_TRUE(ShiftsOf("CrossWLF").empty());
}

}  // namespace
}  // namespace vortane
