#pragma once

#include <string>
#include <string_view>

#include "case/error.h"
#include "case/input_fields.h"

namespace vortane {

// A box text whose unit the box does not take, or whose value no such
// quantity has: the text names the field and the units it takes, or the value.
class UnitError : public Refusal {
public:
    using Refusal::Refusal;
};

// A box text typed with a unit ("350 lb/hr", "0.52mm", "400 °F") as the plain
// number in the box's own unit, in the notation of `decimalSeparator`; any
// other text as it is. The number is converted exactly: where the result is a
// finite decimal its text holds all its digits ("158.7573295"); otherwise
// (°F to ℃, or digits beyond 128-bit integers) it is the double nearest the
// result in extended precision, in the shortest digits that read back to it.
// A unit that is unknown, of another quantity, or given to a box without one
// is a UnitError; so is a value typed with a unit that cannot be: a
// temperature below absolute zero, a length or throughput below zero (a plain
// number is the run's to judge). Integer boxes take no unit: their texts stay
// as they are.
std::string TextInBoxUnit(const InputField& field, std::string_view text, char decimalSeparator);

}  // namespace vortane
