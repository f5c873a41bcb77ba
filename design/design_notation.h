#pragma once

#include <string>
#include <string_view>

#include "case/input_fields.h"

namespace vortane {

// The notations of a design question, as a command line or a script writes
// them. Each refusal is a DesignError naming the text and what is wrong (an
// unknown field, an UnknownFieldError).

// An input varied within bounds, in the box's unit.
struct VariedInput {
    const InputField* field = nullptr;  // a real box
    double low = 0, high = 0;
};

// "FIELD=LOW:HIGH", the numbers with the case's decimal separator.
VariedInput ParseVariedInput(std::string_view notation, char decimalSeparator);

// "QUANTITY=VALUE", the value in the quantity's technical metric unit, with a
// point.
struct Target {
    std::string quantity;
    double value = 0;
};
Target ParseTarget(std::string_view notation);

// "minimise QUANTITY" or "maximise QUANTITY" (also "minimize", "maximize").
struct Objective {
    std::string quantity;
    bool maximise = false;
};
Objective ParseObjective(std::string_view notation);

}  // namespace vortane
