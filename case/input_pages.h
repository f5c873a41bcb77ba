#pragma once

#include <string>
#include <string_view>

#include "case/input_fields.h"

namespace vortane {

// The window's three pages of input boxes: the screw's geometry (Edit1 ...
// Edit11), the material and its state (Edit12 ... Edit22) and the viscosity
// law's coefficients (Edit23 ... Edit28).
inline constexpr int InputPageCount = 3;

// The page of an input's box, 0 to 2.
constexpr int InputPage(const InputField& field) { return field.box <= 11 ? 0 : field.box <= 22 ? 1 : 2; }

// A page's tab title: "Input Data 1" ... "Input Data 3".
inline std::string InputPageTitle(int page) { return "Input Data " + std::to_string(page + 1); }

// The completion dialog's text, after a run that wrote its complete report.
inline constexpr std::string_view CalculationFinished = "Calculation is successfully finished !";

}  // namespace vortane
