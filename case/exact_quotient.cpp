#include "case/exact_quotient.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

namespace vortane {

namespace {

constexpr int MaxPlaces = 30;

// The result of `exact`, arithmetic on ExactInteger; none where a step would
// overflow, as the checked integers then throw.
template <typename Result, typename Exact>
std::optional<Result> Checked(Exact exact) {
    try {
        return exact();
    } catch (const std::overflow_error&) {
        return std::nullopt;
    }
}

ExactQuotient Reduced(ExactInteger numerator, ExactInteger denominator) {
    if (denominator < 0) numerator = -numerator, denominator = -denominator;
    const ExactInteger divisor = gcd(numerator, denominator);
    if (divisor > 1) numerator /= divisor, denominator /= divisor;
    return {numerator, denominator};
}

ExactInteger PowerOfTen(int exponent) {
    ExactInteger power = 1;
    for (int i = 0; i < exponent; ++i) power *= 10;
    return power;
}

// The decimal digits of a value of at least 0 (str() of a fixed-width integer
// trips GCC 12's -Wrestrict).
std::string DigitsOf(ExactInteger value) {
    std::string digits;
    do {
        digits += static_cast<char>('0' + (value % 10).convert_to<int>());
        value /= 10;
    } while (value != 0);
    std::reverse(digits.begin(), digits.end());
    return digits;
}

}  // namespace

std::optional<ExactQuotient> ExactQuotientOf(const RealText& text) {
    if (text.exponent.size() > 3) return std::nullopt;
    return Checked<ExactQuotient>([&text] {
        ExactInteger digits = 0;
        for (const char c : text.whole) digits = digits * 10 + (c - '0');
        for (const char c : text.fraction) digits = digits * 10 + (c - '0');
        int exponent = 0;
        for (const char c : text.exponent) exponent = exponent * 10 + (c - '0');
        if (text.exponentNegative) exponent = -exponent;
        exponent -= static_cast<int>(text.fraction.size());
        const ExactInteger scale = PowerOfTen(std::abs(exponent));
        const ExactInteger numerator = text.negative ? -digits : digits;
        return exponent >= 0 ? Reduced(numerator * scale, 1) : Reduced(numerator, scale);
    });
}

std::optional<ExactQuotient> ExactQuotientOf(std::string_view text) {
    const std::size_t slash = text.find('/');
    if (slash != std::string_view::npos) {
        const std::optional<ExactQuotient> a = ExactQuotientOf(text.substr(0, slash));
        const std::optional<ExactQuotient> b = ExactQuotientOf(text.substr(slash + 1));
        if (!a || !b || b->numerator == 0) return std::nullopt;
        return Checked<ExactQuotient>(
            [&] { return Reduced(a->numerator * b->denominator, a->denominator * b->numerator); });
    }
    const std::optional<RealText> parts = ParseRealText(text, '.');
    if (!parts) return std::nullopt;
    return ExactQuotientOf(*parts);
}

std::optional<ExactQuotient> Sum(const ExactQuotient& a, const ExactQuotient& b) {
    return Checked<ExactQuotient>([&] {
        return Reduced(a.numerator * b.denominator + b.numerator * a.denominator, a.denominator * b.denominator);
    });
}

std::optional<ExactQuotient> Product(const ExactQuotient& a, const ExactQuotient& b) {
    // Cross-reduced first, so that products of reduced quotients stay small.
    const ExactQuotient ab = Reduced(a.numerator, b.denominator);
    const ExactQuotient ba = Reduced(b.numerator, a.denominator);
    return Checked<ExactQuotient>(
        [&] { return Reduced(ab.numerator * ba.numerator, ab.denominator * ba.denominator); });
}

long double ExtendedOf(const ExactQuotient& q) {
    return q.numerator.convert_to<long double>() / q.denominator.convert_to<long double>();
}

std::optional<std::string> ExactDecimalText(const ExactQuotient& q, char decimalSeparator) {
    return Checked<std::string>([&]() -> std::optional<std::string> {
        // A finite decimal of n places: q · 10^n is an integer.
        for (int places = 0; places <= MaxPlaces; ++places) {
            const ExactInteger numerator = q.numerator * PowerOfTen(places);
            if (numerator % q.denominator != 0) continue;
            const ExactInteger units = numerator / q.denominator;
            std::string digits = DigitsOf(abs(units));
            if (digits.size() <= static_cast<std::size_t>(places))
                digits.insert(0, static_cast<std::size_t>(places) + 1 - digits.size(), '0');
            if (places > 0) digits.insert(digits.size() - static_cast<std::size_t>(places), 1, decimalSeparator);
            return (units < 0 ? "-" : "") + digits;
        }
        return std::nullopt;
    });
}

}  // namespace vortane
