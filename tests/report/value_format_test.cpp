#include "report/value_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace vortane {
namespace {

std::string Fixed(double value, int precision, int decimals, char sep = '.') {
    return FormatFixed(value, precision, decimals, sep);
}
std::string General(double value, int precision, int exponentDigits, char sep = '.') {
    return FormatGeneral(value, precision, exponentDigits, sep);
}

// The fixed rule's examples.
TEST(FixedRule, Examples) {
    EXPECT_EQ(Fixed(11.43, 5, 2), "11.43");
    EXPECT_EQ(Fixed(80, 6, 2), "80.00");
    EXPECT_EQ(Fixed(0.5, 5, 3), "0.500");
    EXPECT_EQ(Fixed(123.4567, 5, 3), "123.460");
    EXPECT_EQ(Fixed(1.2345, 3, 3), "1.230");
    EXPECT_EQ(Fixed(999.99, 4, 1), "1000.0");
    EXPECT_EQ(Fixed(0.125, 5, 2), "0.13");
    EXPECT_EQ(Fixed(-0.00004, 6, 4), "0.0000");
    EXPECT_EQ(Fixed(12345678.9, 7, 2), "1.234568E07");
}

TEST(FixedRule, RoundsHalfAwayFromZero) {
    EXPECT_EQ(Fixed(-0.125, 5, 2), "-0.13");
    EXPECT_EQ(Fixed(2.5, 5, 0), "3");
    EXPECT_EQ(Fixed(-2.5, 5, 0), "-3");
    EXPECT_EQ(Fixed(0.00005, 6, 4), "0.0001");
    EXPECT_EQ(Fixed(0.99996, 6, 4), "1.0000");
}

TEST(FixedRule, NeverWritesMinusZero) {
    EXPECT_EQ(Fixed(-0.0, 6, 4), "0.0000");
    EXPECT_EQ(Fixed(-0.00004999, 6, 4), "0.0000");
    EXPECT_EQ(Fixed(0, 5, 3), "0.000");
    EXPECT_EQ(Fixed(-0.4, 6, 0), "0");
}

TEST(FixedRule, ReportValues) {
    EXPECT_EQ(Fixed(1.0, 6, 4), "1.0000");
    // Seven significant digits at most: the decimals of a large drop are zeros,
    // and one that rounds to 10^7 turns scientific.
    EXPECT_EQ(Fixed(9999999.4, 7, 2), "9999999.00");
    EXPECT_EQ(Fixed(9999999.99, 7, 2), "1E07");
    EXPECT_EQ(Fixed(10000000, 7, 2), "1E07");
    EXPECT_EQ(Fixed(-96.93, 7, 2), "-96.93");
    EXPECT_EQ(Fixed(0.62, 3, 3), "0.620");
    EXPECT_EQ(Fixed(12.3456, 3, 3), "12.300");  // three digits in all, then zeros
}

TEST(FixedRule, UsesTheDecimalSeparator) {
    EXPECT_EQ(Fixed(11.43, 5, 2, ','), "11,43");
    EXPECT_EQ(Fixed(12345678.9, 7, 2, ','), "1,234568E07");
}

// The general rule's examples.
TEST(GeneralRule, Examples) {
    EXPECT_EQ(General(6.83729, 11, 0), "6.83729");
    EXPECT_EQ(General(-4.7079E-7, 11, 0), "-4.7079E-7");
    EXPECT_EQ(General(0.0011946, 11, 0), "0.0011946");
    EXPECT_EQ(General(12.3456789, 7, 3), "12.34568");
    EXPECT_EQ(General(2.5, 6, 3), "2.5");
    EXPECT_EQ(General(0.00001234, 6, 3), "1.234E-005");
    EXPECT_EQ(General(1234567, 6, 3), "1.23457E006");
}

TEST(GeneralRule, PlainFromOneTenThousandthToBelowTenToThePrecision) {
    EXPECT_EQ(General(0.0001, 6, 3), "0.0001");
    EXPECT_EQ(General(0.00005, 6, 3), "5E-005");
    EXPECT_EQ(General(123456, 6, 3), "123456");
    EXPECT_EQ(General(1000, 6, 3), "1000");
    EXPECT_EQ(General(999999.7, 6, 3), "1E006");
    EXPECT_EQ(General(0, 6, 3), "0");
    EXPECT_EQ(General(-0.0, 6, 3), "0");
    EXPECT_EQ(General(-1.5e-12, 11, 0), "-1.5E-12");
    EXPECT_EQ(General(1e300, 11, 0), "1E300");
}

TEST(GeneralRule, ReportValues) {
    EXPECT_EQ(General(5.693695123, 7, 3), "5.693695");
    EXPECT_EQ(General(1.198830542, 6, 3), "1.19883");
    EXPECT_EQ(General(-0.661828, 11, 0, ','), "-0,661828");
}

TEST(IntegerRule, PlainDecimal) {
    EXPECT_EQ(FormatInteger(5), "5");
    EXPECT_EQ(FormatInteger(-12), "-12");
    EXPECT_EQ(FormatInteger(std::numeric_limits<std::int32_t>::min()), "-2147483648");
}

TEST(ValueRules, NonFiniteValuesAreNamed) {
    EXPECT_EQ(Fixed(std::numeric_limits<double>::infinity(), 6, 2), "INF");
    EXPECT_EQ(General(-std::numeric_limits<double>::infinity(), 6, 2), "-INF");
    EXPECT_EQ(General(std::nan(""), 6, 2), "NAN");
}

}  // namespace
}  // namespace vortane
