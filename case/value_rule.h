#pragma once

namespace vortane {

// How the report writes a value. Both real rules start from the value's
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

}  // namespace vortane
