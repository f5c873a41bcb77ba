#pragma once

#include <cstdint>
#include <string>

namespace vortane {

// How a report value is written. Both real rules start from the value's
// 18-significant-digit decimal expansion and round half away from zero.
struct ValueRule {
    enum class Kind { Fixed, General, Integer };
    Kind kind;
    int precision;  // significant digits P
    int digits;     // Fixed: decimals D; General: least exponent digits X
};

constexpr ValueRule FixedRule(int precision, int decimals) {
    return {ValueRule::Kind::Fixed, precision, decimals};
}
constexpr ValueRule GeneralRule(int precision, int exponentDigits) {
    return {ValueRule::Kind::General, precision, exponentDigits};
}
inline constexpr ValueRule IntegerRule{ValueRule::Kind::Integer, 0, 0};

// D decimals, at most P significant digits; scientific by the general rule
// (X = D) when more than P digits stand before the point. Never "-0.00".
std::string FormatFixed(double value, int precision, int decimals, char decimalSeparator);

// P significant digits without trailing zeros; plain notation from 0.0001 up to
// below 10^P, otherwise d.dddE[-]xx with at least X exponent digits.
std::string FormatGeneral(double value, int precision, int exponentDigits, char decimalSeparator);

std::string FormatInteger(std::int32_t value);

// A real written by its rule (Fixed or General).
std::string FormatReal(double value, ValueRule rule, char decimalSeparator);

}  // namespace vortane
