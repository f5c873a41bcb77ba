#include "report/value_format.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <charconv>
#include <cstdlib>
#include <string>
#include <string_view>

#include "case/number_format.h"

namespace vortane {

namespace {

constexpr int ExpansionDigits = 18;

// The significant digits of an expansion, most significant first, held in
// place: the 18 of the expansion and room for a carry into a new leading one.
class Digits {
public:
    int size() const { return size_; }
    bool empty() const { return size_ == 0; }
    char& operator[](int i) { return data_[static_cast<std::size_t>(i)]; }
    char operator[](int i) const { return data_[static_cast<std::size_t>(i)]; }
    char back() const { return (*this)[size_ - 1]; }
    void push_back(char c) { (*this)[size_++] = c; }
    void pop_back() { --size_; }
    void shrink(int size) { size_ = std::min(size_, size); }
    void prepend(char c) {
        std::copy_backward(data_.begin(), data_.begin() + size_, data_.begin() + size_ + 1);
        data_[0] = c;
        ++size_;
    }
    std::string_view from(int i) const { return {data_.data() + i, static_cast<std::size_t>(size_ - i)}; }

private:
    std::array<char, ExpansionDigits + 1> data_{};
    int size_ = 0;
};

// value = ±0.d1d2d3... × 10^E; no digits means zero.
struct Decimal {
    bool negative = false;
    Digits digits;
    int E = 0;

    bool IsZero() const { return digits.empty(); }
    char Digit(int index) const {
        return index >= 0 && index < digits.size() ? digits[index] : '0';
    }
};

void DropTrailingZeros(Decimal& d) {
    while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
}

Decimal Expand(double value) {
    Decimal d;
    d.negative = std::signbit(value);
    if (value == 0) return d;
    // "d.ddddddddddddddddde±XX", whatever the C locale's decimal point: the
    // exact value of the double, correctly rounded (half to even) to 18 digits.
    const std::string text = ScientificText(std::fabs(value), ExpansionDigits);
    d.digits.push_back(text[0]);
    for (int i = 0; i < ExpansionDigits - 1; ++i) d.digits.push_back(text[2 + i]);
    const char* exponent = text.data() + ExpansionDigits + 2;
    if (*exponent == '+') ++exponent;
    std::from_chars(exponent, text.data() + text.size(), d.E);
    d.E += 1;
    DropTrailingZeros(d);
    return d;
}

// Keeps `kept` significant digits, rounding half away from zero on the decimal
// digits; a carry into a new leading digit raises E.
void RoundTo(Decimal& d, int kept) {
    if (kept >= d.digits.size()) return;
    const bool up = kept >= 0 && d.digits[kept] >= '5';
    d.digits.shrink(std::max(kept, 0));
    if (up) {
        int i = kept - 1;
        while (i >= 0 && d.digits[i] == '9') d.digits[i--] = '0';
        if (i >= 0) {
            ++d.digits[i];
        } else {
            d.digits.prepend('1');
            ++d.E;
        }
    }
    DropTrailingZeros(d);
}

std::string Sign(const Decimal& d) { return d.negative && !d.IsZero() ? "-" : ""; }

std::string Scientific(const Decimal& d, int exponentDigits, char sep) {
    std::string out = Sign(d) + d.digits[0];
    if (d.digits.size() > 1) {
        out += sep;
        out += d.digits.from(1);
    }
    const int exponent = d.E - 1;
    std::string magnitude = std::to_string(std::abs(exponent));
    if (static_cast<int>(magnitude.size()) < exponentDigits)
        magnitude.insert(0, exponentDigits - magnitude.size(), '0');
    return out + 'E' + (exponent < 0 ? "-" : "") + magnitude;
}

std::string Plain(const Decimal& d, char sep) {
    std::string out = Sign(d);
    std::string rest;
    if (d.E > 0) {
        for (int i = 0; i < d.E; ++i) out += d.Digit(i);
        if (d.E < d.digits.size()) rest = d.digits.from(d.E);
    } else {
        out += '0';
        rest = std::string(-d.E, '0');
        rest += d.digits.from(0);
    }
    if (!rest.empty()) out += sep + rest;
    return out;
}

std::string NonFinite(double value) {
    if (std::isnan(value)) return "NAN";
    return value < 0 ? "-INF" : "INF";
}

std::string General(Decimal d, int precision, int exponentDigits, char sep) {
    RoundTo(d, precision);
    if (d.IsZero()) return "0";
    if (d.E >= -3 && d.E <= precision) return Plain(d, sep);
    return Scientific(d, exponentDigits, sep);
}

}  // namespace

std::string FormatGeneral(double value, int precision, int exponentDigits, char decimalSeparator) {
    if (!std::isfinite(value)) return NonFinite(value);
    return General(Expand(value), precision, exponentDigits, decimalSeparator);
}

std::string FormatFixed(double value, int precision, int decimals, char decimalSeparator) {
    if (!std::isfinite(value)) return NonFinite(value);
    Decimal d = Expand(value);
    if (!d.IsZero()) RoundTo(d, std::min(precision, d.E + decimals));
    if (d.E > precision && !d.IsZero()) return General(d, precision, decimals, decimalSeparator);
    std::string out = Sign(d);
    if (d.IsZero() || d.E <= 0) {
        out += '0';
    } else {
        for (int i = 0; i < d.E; ++i) out += d.Digit(i);
    }
    if (decimals > 0) {
        out += decimalSeparator;
        for (int j = 0; j < decimals; ++j) out += d.IsZero() ? '0' : d.Digit(d.E + j);
    }
    return out;
}

std::string FormatInteger(std::int32_t value) { return std::to_string(value); }

std::string FormatReal(double value, ValueRule rule, char decimalSeparator) {
    return rule.kind == ValueRule::Kind::General
               ? FormatGeneral(value, rule.precision, rule.digits, decimalSeparator)
               : FormatFixed(value, rule.precision, rule.digits, decimalSeparator);
}

}  // namespace vortane
