#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vortane {

// Numbers in C notation ("-1.5", "2.5e-07"), written and read the same in every
// locale: the one writer of each kind ({fmt}) and the one reader (fast_float)
// that the case files, limits, tables, charts and texts share.

// The fewest digits that read back as the same double, plain or with an
// exponent, whichever is shorter, plain on a tie ("0.1", "1e-04", "1e+21",
// "-0"); a plain integer with all its digits ("123456789012345683968").
std::string ShortestText(double value);

// `digits` significant digits in the C "%.*g" notation: trailing zeros dropped,
// an exponent below 1e-4 and from 10^digits on ("1.5", "1e+06", "3.33333e-05").
std::string SignificantText(double value, int digits);

// `digits` significant digits with an exponent, "%.*e" with digits − 1 places
// ("1.50e+00").
std::string ScientificText(double value, int digits);

// `decimals` places after the point, "%.*f".
std::string FixedText(double value, int decimals);

// The double nearest the value rounded to `digits` significant digits.
double RoundedToSignificant(double value, int digits);

// The whole text as a number in C notation: optional '-', digits with an
// optional point, an optional exponent; "inf" and "nan" too. None for anything
// else (blanks, '+'), or beyond the range of a double: a value rounding to
// infinity or a nonzero one rounding to zero.
std::optional<double> ReadNumber(std::string_view text);

}  // namespace vortane
