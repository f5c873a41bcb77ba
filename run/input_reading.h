#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "run/case_data.h"
#include "run/input_fields.h"
#include "run/messages.h"

namespace vortane {

// A decimal real in the user's notation: optional blanks, sign, digits with an
// optional fraction after the decimal separator, an optional exponent after E
// or e, optional blanks. Converted in extended precision, then rounded to
// double; beyond the range of a double it does not convert.
std::optional<double> ConvertReal(std::string_view text, char decimalSeparator);

// A decimal separator ConvertReal can read: one printable ASCII character that
// is not a digit, a sign, an exponent letter or the integer boxes' hexadecimal
// mark "$".
bool IsUsableDecimalSeparator(char c);

// A 32-bit signed integer: optional leading blanks, sign, then decimal digits,
// or hexadecimal digits after "$" or "0x". Nothing may follow.
std::optional<std::int32_t> ConvertInteger(std::string_view text);

// The input stage: converts the box texts in box order into their fields, each
// stored at once. At the first text that does not convert it stops, shows the
// input message and leaves InputOk false.
void ReadInputData(CaseData& data, const InputTexts& texts, char decimalSeparator,
                   MessageSink& messages);

}  // namespace vortane
