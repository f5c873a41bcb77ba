#include "run/input_reading.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace vortane {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Moves `at` past a run of decimal digits into `out`; returns how many.
std::size_t TakeDigits(std::string_view text, std::size_t& at, std::string& out) {
    const std::size_t start = at;
    while (at < text.size() && IsDigit(text[at])) out += text[at++];
    return at - start;
}

void SkipBlanks(std::string_view text, std::size_t& at) {
    while (at < text.size() && text[at] == ' ') ++at;
}

bool TakeSign(std::string_view text, std::size_t& at) {
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) return text[at++] == '-';
    return false;
}

}  // namespace

std::optional<double> ConvertReal(std::string_view text, char decimalSeparator) {
    // Rewritten into the C notation that from_chars reads: digits, '.', 'e'.
    std::string plain;
    std::size_t at = 0;
    SkipBlanks(text, at);
    const bool negative = TakeSign(text, at);
    std::size_t mantissaDigits = TakeDigits(text, at, plain);
    if (at < text.size() && text[at] == decimalSeparator) {
        plain += '.';
        ++at;
        mantissaDigits += TakeDigits(text, at, plain);
    }
    if (mantissaDigits == 0) return std::nullopt;
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        plain += 'e';
        ++at;
        if (TakeSign(text, at)) plain += '-';
        if (TakeDigits(text, at, plain) == 0) return std::nullopt;
    }
    SkipBlanks(text, at);
    if (at != text.size()) return std::nullopt;

    long double extended;
    const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), extended);
    if (error != std::errc{} || end != plain.data() + plain.size()) return std::nullopt;
    const double value = static_cast<double>(negative ? -extended : extended);
    if (std::isinf(value)) return std::nullopt;
    return value;
}

bool IsUsableDecimalSeparator(char c) {
    return c > ' ' && c < 0x7F && !IsDigit(c) && std::strchr("+-eE$", c) == nullptr;
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

namespace {

bool Convert(CaseData& data, const InputField& field, const std::string& text,
             char decimalSeparator) {
    if (field.conversion == InputField::Conversion::Integer) {
        const auto value = ConvertInteger(text);
        if (value) data.*field.integer = *value;
        return value.has_value();
    }
    const auto value = ConvertReal(text, decimalSeparator);
    if (value) data.*field.real = *value;
    return value.has_value();
}

}  // namespace

void ReadInputData(CaseData& data, const InputTexts& texts, char decimalSeparator,
                   MessageSink& messages) {
    for (const InputField& field : InputFields()) {
        if (!Convert(data, field, texts[field.box - 1], decimalSeparator)) {
            data.InputOk = false;
            messages.ShowMessage(message::InputNotProper);
            return;
        }
    }
    data.InputOk = true;
}

}  // namespace vortane
