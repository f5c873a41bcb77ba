#include "case/number_text.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

#include "case/number_format.h"

namespace vortane {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Moves `at` past a run of decimal digits; returns them.
std::string_view TakeDigits(std::string_view text, std::size_t& at) {
    const std::size_t start = at;
    while (at < text.size() && IsDigit(text[at])) ++at;
    return text.substr(start, at - start);
}

void SkipBlanks(std::string_view text, std::size_t& at) {
    while (at < text.size() && text[at] == ' ') ++at;
}

bool TakeSign(std::string_view text, std::size_t& at) {
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) return text[at++] == '-';
    return false;
}

}  // namespace

std::optional<RealText> ParseRealText(std::string_view text, char decimalSeparator) {
    RealText real;
    std::size_t at = 0;
    SkipBlanks(text, at);
    real.negative = TakeSign(text, at);
    real.whole = TakeDigits(text, at);
    if (at < text.size() && text[at] == decimalSeparator) {
        ++at;
        real.fraction = TakeDigits(text, at);
    }
    if (real.whole.empty() && real.fraction.empty()) return std::nullopt;
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        ++at;
        real.exponentNegative = TakeSign(text, at);
        real.exponent = TakeDigits(text, at);
        if (real.exponent.empty()) return std::nullopt;
    }
    SkipBlanks(text, at);
    if (at != text.size()) return std::nullopt;
    return real;
}

namespace {

#if VORTANE_EXTENDED
// Powers of ten held exactly in the 64-bit mantissa of a long double.
constexpr int ExactPowerLimit = 27;
constexpr std::array<long double, ExactPowerLimit + 1> ExactPowersOfTen = [] {
    std::array<long double, ExactPowerLimit + 1> powers{};
    long double power = 1;
    for (long double& p : powers) {
        p = power;
        power *= 10;
    }
    return powers;
}();

// The magnitude when it takes a single rounding: at most 19 significant digits
// and a decimal exponent within the exact powers of ten. Both operands are then
// exact, so one extended-precision multiplication or division, rounded to
// nearest, gives the correctly rounded value, as the full conversion does.
bool ExactMagnitude(const RealText& real, long double& magnitude) {
    if (real.exponent.size() > 4) return false;
    std::uint64_t mantissa = 0;
    int digits = 0;
    const auto take = [&](std::string_view part) {
        for (const char c : part) {
            if (digits == 0 && c == '0') continue;
            if (++digits > 19) return false;
            mantissa = mantissa * 10 + static_cast<std::uint64_t>(c - '0');
        }
        return true;
    };
    if (!take(real.whole) || !take(real.fraction)) return false;
    int exponent = 0;
    for (const char c : real.exponent) exponent = exponent * 10 + (c - '0');
    if (real.exponentNegative) exponent = -exponent;
    exponent -= static_cast<int>(real.fraction.size());
    if (mantissa == 0) {
        magnitude = 0;
        return true;
    }
    if (exponent < -ExactPowerLimit || exponent > ExactPowerLimit) return false;
    const long double m = static_cast<long double>(mantissa);
    // |exponent| <= ExactPowerLimit, the table's last index.
    // cppcheck-suppress containerOutOfBounds
    const long double scale = ExactPowersOfTen[static_cast<std::size_t>(std::abs(exponent))];
    magnitude = exponent >= 0 ? m * scale : m / scale;
    return true;
}
#endif

// The decimal exponent of the first significant digit of a nonzero magnitude.
long LeadingExponent(const RealText& real) {
    long exponent = 0;
    for (const char c : real.exponent) exponent = std::min(exponent * 10 + (c - '0'), 1'000'000L);
    if (real.exponentNegative) exponent = -exponent;
    const std::size_t first = real.whole.find_first_not_of('0');
    if (first != std::string_view::npos)
        return exponent + static_cast<long>(real.whole.size() - first) - 1;
    return exponent - static_cast<long>(real.fraction.find_first_not_of('0')) - 1;
}

// 1e-4931, the least power of ten an extended real holds as a normal number.
constexpr long LeastExtendedExponent = -4931;

#if VORTANE_EXTENDED
// Digits and a decimal exponent, read whole by the C library's strtold, as
// fast_float reads no long double: a correctly rounded conversion, as glibc,
// musl and MinGW-w64 make it (and as libstdc++'s std::from_chars makes it,
// through the same strtold). The text holds no decimal point, so no locale
// reads it otherwise.
std::errc ReadWhole(const std::string& text, long double& value) {
    char* end = nullptr;
    errno = 0;
    value = std::strtold(text.c_str(), &end);
    if (end != text.c_str() + text.size()) return std::errc::invalid_argument;
    return errno == ERANGE ? std::errc::result_out_of_range : std::errc{};
}
#else
// Digits and a decimal exponent, read whole: it fails only beyond the range.
std::errc ReadWhole(const std::string& text, double& value) {
    const std::optional<double> read = ReadNumber(text);
    value = read.value_or(0);
    return read ? std::errc() : std::errc::result_out_of_range;
}
#endif

// The magnitude by the full conversion, from the text rewritten as its digits
// and a decimal exponent ("12.5e3" as "125e2"). A magnitude too small for
// `Magnitude` (a double, or a long double that is one) reads as zero, as an
// extended conversion rounded to double makes it, down to the extended range.
template <typename Magnitude>
bool ConvertedMagnitude(const RealText& real, Magnitude& magnitude) {
    // Past 10^15 the exponent stays there: no text has that many digits, so
    // the magnitude is beyond every range all the same.
    constexpr std::int64_t ExponentCap = 1'000'000'000'000'000;
    std::int64_t exponent = 0;
    for (const char c : real.exponent) exponent = std::min(exponent * 10 + (c - '0'), ExponentCap);
    if (real.exponentNegative) exponent = -exponent;
    exponent -= static_cast<std::int64_t>(real.fraction.size());
    std::string plain(real.whole);
    plain += real.fraction;
    plain += 'e';
    plain += std::to_string(exponent);
    const std::errc error = ReadWhole(plain, magnitude);
    if (error == std::errc::result_out_of_range) {
        const long leading = LeadingExponent(real);
        magnitude = 0;
        return leading < 0 && leading >= LeastExtendedExponent;
    }
    return error == std::errc{};
}

}  // namespace

std::optional<double> ConvertReal(std::string_view text, char decimalSeparator) {
    const std::optional<RealText> real = ParseRealText(text, decimalSeparator);
    if (!real) return std::nullopt;
#if VORTANE_EXTENDED
    long double magnitude;
    if (!ExactMagnitude(*real, magnitude) && !ConvertedMagnitude(*real, magnitude))
        return std::nullopt;
#else
    double magnitude;  // the formulas' precision: one correctly rounded conversion
    if (!ConvertedMagnitude(*real, magnitude)) return std::nullopt;
#endif
    const double value = static_cast<double>(real->negative ? -magnitude : magnitude);
    if (std::isinf(value)) return std::nullopt;
    return value;
}

bool IsUsableDecimalSeparator(char c) {
    return c > ' ' && c < 0x7F && !IsDigit(c) && std::strchr("+-eE$", c) == nullptr;
}

char LocaleDecimalSeparator() {
    std::setlocale(LC_NUMERIC, "");
    const char* point = std::localeconv()->decimal_point;
    const char separator = std::strlen(point) == 1 && IsUsableDecimalSeparator(point[0]) ? point[0] : '.';
    std::setlocale(LC_NUMERIC, "C");
    return separator;
}

std::optional<std::int32_t> ConvertInteger(std::string_view text) {
    std::size_t at = 0;
    SkipBlanks(text, at);
    const bool negative = TakeSign(text, at);
    int base = 10;
    if (text.substr(at, 1) == "$") {
        base = 16;
        at += 1;
    } else if (text.substr(at, 2) == "0x" || text.substr(at, 2) == "0X") {
        base = 16;
        at += 2;
    }
    const std::string_view digits = text.substr(at);
    if (digits.empty() || digits.front() == '+' || digits.front() == '-') return std::nullopt;
    std::int64_t magnitude;
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), magnitude, base);
    if (error != std::errc{} || end != digits.data() + digits.size()) return std::nullopt;
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

std::string FormatShortest(double value, char decimalSeparator) {
    std::string text = ShortestText(value);
    std::replace(text.begin(), text.end(), '.', decimalSeparator);
    return text;
}

std::string FormatSignificant(double value, int digits, char decimalSeparator) {
    std::string text = SignificantText(value, digits);
    std::replace(text.begin(), text.end(), '.', decimalSeparator);
    return text;
}

}  // namespace vortane
