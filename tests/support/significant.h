#pragma once

#include <gtest/gtest.h>

#include <cmath>

namespace vortane::testing {

// Half a unit in the last of `digits` significant digits of `expected`: the
// tolerance of a value quoted to that many digits.
inline double HalfUnitInLastDigit(double expected, int digits) {
    const int exponent = static_cast<int>(std::floor(std::log10(std::fabs(expected)))) + 1;
    return 0.5 * std::pow(10.0, exponent - digits) * (1 + 1e-9);
}

}  // namespace vortane::testing

// actual equals expected as quoted to `digits` significant digits.
#define EXPECT_SIGNIFICANT(actual, expected, digits) \
    EXPECT_NEAR((actual), (expected), ::vortane::testing::HalfUnitInLastDigit((expected), (digits)))
