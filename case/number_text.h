#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vortane {

// How a box text reads as a number: the one reading of real texts, shared by
// the input boxes and every study bound.

// A real text taken apart: sign, the digits before and after the decimal
// separator, and the exponent's sign and digits.
struct RealText {
    bool negative = false;
    std::string_view whole, fraction;
    bool exponentNegative = false;
    std::string_view exponent;
};

// Optional blanks, sign, digits with an optional fraction after the decimal
// separator, an optional exponent after E or e, optional blanks; at least one
// digit before the exponent. Nothing is converted.
std::optional<RealText> ParseRealText(std::string_view text, char decimalSeparator);

// A real text converted in the precision of the model's formulas (extended,
// or double where the build turns VORTANE_EXTENDED off), then rounded to
// double; beyond the range of a double it does not convert.
std::optional<double> ConvertReal(std::string_view text, char decimalSeparator);

// A decimal separator ConvertReal can read: one printable ASCII character that
// is not a digit, a sign, an exponent letter or the integer boxes' hexadecimal
// mark "$".
bool IsUsableDecimalSeparator(char c);

// The separator of the user's LC_NUMERIC locale; a point where it is not one
// usable byte. LC_NUMERIC is left at "C".
char LocaleDecimalSeparator();

// The fewest digits that read back as the same double, plain or with an
// exponent, whichever is shorter ("1.5", "1e-07"), with the decimal separator.
std::string FormatShortest(double value, char decimalSeparator);

// `digits` significant digits as C's "%.*g" writes them ("1.5", "1e-06"), with
// the decimal separator.
std::string FormatSignificant(double value, int digits, char decimalSeparator);

// A 32-bit signed integer: optional leading blanks, sign, then decimal digits,
// or hexadecimal digits after "$" or "0x". Nothing may follow.
std::optional<std::int32_t> ConvertInteger(std::string_view text);

}  // namespace vortane
