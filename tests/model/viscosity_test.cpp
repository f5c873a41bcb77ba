#include "model/viscosity.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/significant.h"

namespace vortane {
namespace {

// The default coefficients.
double DefaultLaw(double shearRate, double temperature) {
    return Viscosity(6.83729, -0.661828, -0.0158406, -0.0149381, -4.7079E-7, 1.1946E-3, shearRate,
                     temperature);
}

// Reference values: the viscosity law's worked examples (six digits).
TEST(Viscosity, DefaultChannelAndBarriers) {
    EXPECT_SIGNIFICANT(DefaultLaw(77.2224, 156.547742), 8.36504, 6);
    EXPECT_SIGNIFICANT(DefaultLaw(920.728, 156.547742), 1.66301, 6);
    EXPECT_SIGNIFICANT(DefaultLaw(4352.53, 156.547742), 0.547152, 6);
}

TEST(Viscosity, UnitShearRateLeavesTheTemperatureTerms) {
    EXPECT_SIGNIFICANT(DefaultLaw(1, 0), 931.960, 6);
    EXPECT_DOUBLE_EQ(DefaultLaw(1, 0), std::exp(6.83729));
    const double T = 170;
    EXPECT_DOUBLE_EQ(DefaultLaw(1, T), std::exp(6.83729 - 0.0149381 * T - 4.7079E-7 * T * T));
}

TEST(Viscosity, FallsWithShearRateAndTemperature) {
    EXPECT_GT(DefaultLaw(10, 170), DefaultLaw(100, 170));
    EXPECT_GT(DefaultLaw(100, 160), DefaultLaw(100, 200));
}

TEST(Viscosity, ZeroCoefficientsGiveUnity) {
    for (double rate : {1e-3, 1.0, 5e4})
        EXPECT_EQ(Viscosity(0, 0, 0, 0, 0, 0, rate, 170), 1.0);
}

}  // namespace
}  // namespace vortane
