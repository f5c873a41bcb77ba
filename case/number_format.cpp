#include "case/number_format.h"

#include <fast_float/fast_float.h>
#include <fmt/format.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace vortane {

namespace {

// A nonzero finite value's shortest digits, without trailing zeros, and the
// decimal exponent of the first: value = ±d.ddd × 10^exponent.
struct ShortestDigits {
    bool negative = false;
    std::string digits;
    int exponent = 0;
};

// {fmt}'s shortest text (Dragonbox) taken apart; it lays the digits out by a
// rule of its own ("1000000000000000", "1e+16").
ShortestDigits DigitsOf(double value) {
    const std::string text = fmt::format("{}", value);
    ShortestDigits shortest;
    std::string_view mantissa = text;
    shortest.negative = mantissa.front() == '-';
    if (shortest.negative) mantissa.remove_prefix(1);
    int exponent = 0;
    if (const std::size_t e = mantissa.find('e'); e != std::string_view::npos) {
        exponent = std::atoi(text.c_str() + (text.size() - mantissa.size()) + e + 1);
        mantissa = mantissa.substr(0, e);
    }
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    std::string all(mantissa.substr(0, point));
    if (point < mantissa.size()) all += mantissa.substr(point + 1);
    const std::size_t first = all.find_first_not_of('0');
    const std::size_t last = all.find_last_not_of('0');
    shortest.digits = all.substr(first, last + 1 - first);
    shortest.exponent = exponent + static_cast<int>(point) - 1 - static_cast<int>(first);
    return shortest;
}

}  // namespace

std::string ShortestText(double value) {
    if (value == 0 || !std::isfinite(value)) return fmt::format("{}", value);
    const ShortestDigits d = DigitsOf(value);
    const int n = static_cast<int>(d.digits.size());
    const int e = d.exponent;
    const int scientific = n + (n > 1 ? 1 : 0) + (std::abs(e) >= 100 ? 5 : 4);
    const int plain = e >= n - 1 ? e + 1 : e >= 0 ? n + 1 : n + 1 - e;
    const std::string sign = d.negative ? "-" : "";
    if (plain > scientific) {
        std::string text = sign + d.digits[0];
        if (n > 1) text += '.' + d.digits.substr(1);
        return text + fmt::format("e{:+03d}", e);
    }
    // An integer with every digit of its exact value.
    if (e >= n - 1) return fmt::format("{:.0f}", value);
    if (e >= 0) return sign + d.digits.substr(0, static_cast<std::size_t>(e) + 1) + '.' +
                       d.digits.substr(static_cast<std::size_t>(e) + 1);
    return sign + "0." + std::string(static_cast<std::size_t>(-e - 1), '0') + d.digits;
}

std::string SignificantText(double value, int digits) { return fmt::format("{:.{}g}", value, digits); }

std::string ScientificText(double value, int digits) { return fmt::format("{:.{}e}", value, digits - 1); }

std::string FixedText(double value, int decimals) { return fmt::format("{:.{}f}", value, decimals); }

std::optional<double> ReadNumber(std::string_view text) {
    double number = 0;
    const auto [stop, error] = fast_float::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || stop != text.data() + text.size()) return std::nullopt;
    // fast_float rounds beyond the range to infinity or zero, without saying.
    const std::string_view significand = text.substr(0, text.find_first_of("eE"));
    if (std::isinf(number) && significand.find_first_of("0123456789") != std::string_view::npos)
        return std::nullopt;
    if (number == 0 && significand.find_first_of("123456789") != std::string_view::npos) return std::nullopt;
    return number;
}

double RoundedToSignificant(double value, int digits) {
    // Rounding up from near the largest double gives infinity, as strtod does.
    return ReadNumber(ScientificText(value, digits)).value_or(std::copysign(HUGE_VAL, value));
}

}  // namespace vortane
