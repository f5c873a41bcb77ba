#pragma once

#include <boost/multiprecision/cpp_int.hpp>

#include <optional>
#include <string>
#include <string_view>

#include "case/number_text.h"

namespace vortane {

// A rational number held exactly in integers of 127 bits and a sign (the range
// of a 128-bit two's complement integer), for unit conversions whose factors
// are exact decimals or quotients of them. Operations that would overflow give
// none, and callers fall back to extended precision.
using ExactInteger = boost::multiprecision::number<boost::multiprecision::cpp_int_backend<
    127, 127, boost::multiprecision::signed_magnitude, boost::multiprecision::checked, void>>;

struct ExactQuotient {
    ExactInteger numerator = 0;
    ExactInteger denominator = 1;  // positive; the quotient is kept reduced

    friend bool operator==(const ExactQuotient&, const ExactQuotient&) = default;
};

// "-0.45359237", "100/9.80665": a decimal, or two divided; none for other text
// or digits beyond what the integers hold.
std::optional<ExactQuotient> ExactQuotientOf(std::string_view text);

// The value of a real text taken apart (see ParseRealText).
std::optional<ExactQuotient> ExactQuotientOf(const RealText& text);

std::optional<ExactQuotient> Sum(const ExactQuotient& a, const ExactQuotient& b);
std::optional<ExactQuotient> Product(const ExactQuotient& a, const ExactQuotient& b);

long double ExtendedOf(const ExactQuotient& q);

// The quotient in plain decimal notation with `decimalSeparator`, all its
// digits and no trailing zeros: none unless it is a finite decimal of at most
// 30 places.
std::optional<std::string> ExactDecimalText(const ExactQuotient& q, char decimalSeparator);

}  // namespace vortane
