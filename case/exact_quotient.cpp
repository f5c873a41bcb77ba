#include "case/exact_quotient.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace vortane {

namespace {

constexpr int MaxPlaces = 30;

std::optional<ExactInteger> Times(ExactInteger a, ExactInteger b) {
    ExactInteger product;
    if (__builtin_mul_overflow(a, b, &product)) return std::nullopt;
    return product;
}

std::optional<ExactInteger> Plus(ExactInteger a, ExactInteger b) {
    ExactInteger sum;
    if (__builtin_add_overflow(a, b, &sum)) return std::nullopt;
    return sum;
}

ExactInteger Gcd(ExactInteger a, ExactInteger b) {
    if (a < 0) a = -a;
    while (b != 0) a = std::exchange(b, a % b);
    return a < 0 ? -a : a;
}

ExactQuotient Reduced(ExactInteger numerator, ExactInteger denominator) {
    if (denominator < 0) numerator = -numerator, denominator = -denominator;
    const ExactInteger divisor = Gcd(numerator, denominator);
    if (divisor > 1) numerator /= divisor, denominator /= divisor;
    return {numerator, denominator};
}

std::optional<ExactInteger> PowerOfTen(int exponent) {
    ExactInteger power = 1;
    for (int i = 0; i < exponent; ++i) {
        const std::optional<ExactInteger> next = Times(power, 10);
        if (!next) return std::nullopt;
        power = *next;
    }
    return power;
}

// Appends decimal digits to `value`.
std::optional<ExactInteger> WithDigits(ExactInteger value, std::string_view digits) {
    for (const char c : digits) {
        const std::optional<ExactInteger> shifted = Times(value, 10);
        if (!shifted) return std::nullopt;
        const std::optional<ExactInteger> next = Plus(*shifted, c - '0');
        if (!next) return std::nullopt;
        value = *next;
    }
    return value;
}

std::optional<ExactQuotient> Quotient(const ExactQuotient& a, const ExactQuotient& b) {
    if (b.numerator == 0) return std::nullopt;
    const std::optional<ExactInteger> n = Times(a.numerator, b.denominator);
    const std::optional<ExactInteger> d = Times(a.denominator, b.numerator);
    if (!n || !d) return std::nullopt;
    return Reduced(*n, *d);
}

std::string DigitsOf(ExactInteger value) {
    std::string digits;
    do {
        digits += static_cast<char>('0' + static_cast<int>(value % 10));
        value /= 10;
    } while (value != 0);
    std::reverse(digits.begin(), digits.end());
    return digits;
}

}  // namespace

std::optional<ExactQuotient> ExactQuotientOf(const RealText& text) {
    std::optional<ExactInteger> digits = WithDigits(0, text.whole);
    if (digits) digits = WithDigits(*digits, text.fraction);
    if (!digits || text.exponent.size() > 3) return std::nullopt;
    int exponent = 0;
    for (const char c : text.exponent) exponent = exponent * 10 + (c - '0');
    if (text.exponentNegative) exponent = -exponent;
    exponent -= static_cast<int>(text.fraction.size());
    const std::optional<ExactInteger> scale = PowerOfTen(std::abs(exponent));
    if (!scale) return std::nullopt;
    const ExactInteger numerator = text.negative ? -*digits : *digits;
    if (exponent >= 0) {
        const std::optional<ExactInteger> scaled = Times(numerator, *scale);
        if (!scaled) return std::nullopt;
        return Reduced(*scaled, 1);
    }
    return Reduced(numerator, *scale);
}

std::optional<ExactQuotient> ExactQuotientOf(std::string_view text) {
    const std::size_t slash = text.find('/');
    if (slash != std::string_view::npos) {
        const std::optional<ExactQuotient> a = ExactQuotientOf(text.substr(0, slash));
        const std::optional<ExactQuotient> b = ExactQuotientOf(text.substr(slash + 1));
        if (!a || !b) return std::nullopt;
        return Quotient(*a, *b);
    }
    const std::optional<RealText> parts = ParseRealText(text, '.');
    if (!parts) return std::nullopt;
    return ExactQuotientOf(*parts);
}

std::optional<ExactQuotient> Sum(const ExactQuotient& a, const ExactQuotient& b) {
    const std::optional<ExactInteger> left = Times(a.numerator, b.denominator);
    const std::optional<ExactInteger> right = Times(b.numerator, a.denominator);
    const std::optional<ExactInteger> denominator = Times(a.denominator, b.denominator);
    if (!left || !right || !denominator) return std::nullopt;
    const std::optional<ExactInteger> numerator = Plus(*left, *right);
    if (!numerator) return std::nullopt;
    return Reduced(*numerator, *denominator);
}

std::optional<ExactQuotient> Product(const ExactQuotient& a, const ExactQuotient& b) {
    // Cross-reduced first, so that products of reduced quotients stay small.
    const ExactQuotient ab = Reduced(a.numerator, b.denominator);
    const ExactQuotient ba = Reduced(b.numerator, a.denominator);
    const std::optional<ExactInteger> numerator = Times(ab.numerator, ba.numerator);
    const std::optional<ExactInteger> denominator = Times(ab.denominator, ba.denominator);
    if (!numerator || !denominator) return std::nullopt;
    return Reduced(*numerator, *denominator);
}

long double ExtendedOf(const ExactQuotient& q) {
    return static_cast<long double>(q.numerator) / static_cast<long double>(q.denominator);
}

std::optional<std::string> ExactDecimalText(const ExactQuotient& q, char decimalSeparator) {
    // A finite decimal of n places: q · 10^n is an integer.
    for (int places = 0; places <= MaxPlaces; ++places) {
        const std::optional<ExactInteger> scale = PowerOfTen(places);
        if (!scale) return std::nullopt;
        const std::optional<ExactInteger> numerator = Times(q.numerator, *scale);
        if (!numerator) return std::nullopt;
        if (*numerator % q.denominator != 0) continue;
        const ExactInteger units = *numerator / q.denominator;
        std::string digits = DigitsOf(units < 0 ? -units : units);
        if (digits.size() <= static_cast<std::size_t>(places))
            digits.insert(0, static_cast<std::size_t>(places) + 1 - digits.size(), '0');
        if (places > 0) digits.insert(digits.size() - static_cast<std::size_t>(places), 1, decimalSeparator);
        return (units < 0 ? "-" : "") + digits;
    }
    return std::nullopt;
}

}  // namespace vortane
