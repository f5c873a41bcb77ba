#pragma once

#include <cstdint>
#include <string>

#include "case/number_text.h"  // FormatShortest
#include "case/value_rule.h"

namespace vortane {

// D decimals, at most P significant digits; scientific by the general rule
// (X = D) when more than P digits stand before the point. Never "-0.00".
std::string FormatFixed(double value, int precision, int decimals, char decimalSeparator);

// P significant digits without trailing zeros; plain notation from 0.0001 up to
// below 10^P, otherwise d.dddE[-]xx with at least X exponent digits.
std::string FormatGeneral(double value, int precision, int exponentDigits, char decimalSeparator);

std::string FormatInteger(std::int32_t value);


// A real written by its rule (Fixed or General).
std::string FormatReal(double value, ValueRule rule, char decimalSeparator);

}  // namespace vortane
