#pragma once

#include <string>
#include <string_view>

#include "case/error.h"

namespace vortane {

// A limit a design must meet: one quantity of its run (a column of the table
// of runs, named without its unit) at most or at least a bound, given in that
// column's technical metric unit. "TemperatureRise<=30" reads: the temperature
// rise is at most 30 ℃.
enum class LimitBound { AtMost, AtLeast };

struct Limit {
    std::string quantity;
    LimitBound bound = LimitBound::AtMost;
    double value = 0;
    friend bool operator==(const Limit&, const Limit&) = default;
};

// A limit text that does not read as one; the text says why.
class LimitError : public Refusal {
public:
    using Refusal::Refusal;
};

// "QUANTITY<=VALUE" or "QUANTITY>=VALUE" ("≤" and "≥" too), blanks allowed
// around each part; VALUE a finite number with a point. Whether QUANTITY names
// a column is for the layer that knows the columns to say.
Limit ParseLimit(std::string_view text);

// The limit as ParseLimit reads it back: "TemperatureRise<=30", the value in
// its shortest digits.
std::string LimitText(const Limit& limit);

}  // namespace vortane
