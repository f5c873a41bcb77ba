#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "case/case_data.h"
#include "case/error.h"
#include "case/fitted_ranges.h"
#include "case/units.h"
#include "case/value_rule.h"

namespace vortane {

// The 28 inputs of a case, in box order: the one table that input reading, the
// report's input block, the command line and the window all read.
struct InputField {
    enum class Conversion { Real, Integer };

    int box;                   // the number of its edit box, Edit1 ... Edit28
    std::string_view name;     // the CaseData field it fills
    std::string_view caption;  // the label beside the box (UTF-8)
    Conversion conversion;
    std::string_view defaultText;  // written with a point as decimal separator
    double CaseData::*real;        // the field, for a real input
    std::int32_t CaseData::*integer;  // the field, for an integer input
    ValueRule reportRule;             // how the report's input block writes it
    Quantity quantity = Quantity::Dimensionless;  // what its number measures
};

inline constexpr int InputCount = 28;

const std::array<InputField, InputCount>& InputFields();

// The input named by its field ("OutputRate") or its box ("Edit3"); null when
// there is none.
const InputField* FindInputField(std::string_view name);

// The 28 field names, in box order: what an unknown name is matched against
// (UnknownName).
std::span<const std::string_view> InputFieldNames();

// A name that is no input's: "unknown field OutputRat (did you mean OutputRate?)".
class UnknownFieldError : public Refusal {
public:
    using Refusal::Refusal;
};

// The input `name` names, as FindInputField finds it; an UnknownFieldError
// when there is none.
const InputField& InputFieldNamed(std::string_view name);

// The texts of the 28 boxes, Edit1 first.
using InputTexts = std::array<std::string, InputCount>;

// A default text in the user's notation: "11.43" becomes "11,43" where the
// decimal separator is a comma.
std::string DefaultText(const InputField& field, char decimalSeparator);
InputTexts DefaultTexts(char decimalSeparator);

// The viscosity law's coefficients, A0, A1, A11, A2, A22, A12: the order of
// their boxes.
inline constexpr std::array<std::string_view, 6> ViscosityTermNames{"A0", "A1", "A11", "A2", "A22", "A12"};

// The six coefficient fields, A0 first, in box order.
std::array<const InputField*, 6> ViscosityCoefficientFields();

// The texts of the six coefficient boxes among `texts`, A0 first.
std::array<std::string, 6> CoefficientTextsOf(const InputTexts& texts);

// The ranges a law was fitted on belong to its coefficient texts: `ranges`,
// fitted for the coefficients of `fittedTexts`, while `texts` holds the same
// coefficients; none once any differs (another law).
FittedRanges RangesOfLaw(const FittedRanges& ranges, const InputTexts& fittedTexts, const InputTexts& texts);

}  // namespace vortane
