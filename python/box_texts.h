#pragma once

#include <pybind11/pybind11.h>

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "case/case_file.h"
#include "case/limit.h"
#include "case/input_fields.h"
#include "case/units.h"

namespace vortane::python {

// Bad input to the module, raised as vortane.Error (a ValueError); the text
// names the field or the argument.
class InputError : public Refusal {
public:
    using Refusal::Refusal;
};

// The system of a `units` argument: 'metric', 'si' or 'us'.
UnitSystem UnitSystemOf(const std::string& name);

// The decimal separator of a `decimal_separator` argument.
char SeparatorOf(const std::string& text);

// A box text from a Python value: a str as it is; an int as str() writes it;
// a float (or anything float() takes) with the shortest digits that read back
// to it, as repr() writes it, the decimal separator in place of the point.
// `what` names the value in an InputError.
std::string BoxText(pybind11::handle value, char decimalSeparator, std::string_view what);

// The 28 box texts as a dict by field name, in box order.
pybind11::dict TextsDict(const InputTexts& texts);

// A path from a str or an os.PathLike.
std::string PathOf(pybind11::handle path);

// A case as a run takes it: the box texts, the ranges its law was fitted on,
// the file it came from, its limits and the warnings it accepts.
struct CaseInput {
    InputTexts texts;
    FittedRanges viscosityRanges;
    std::string caseFile;  // the case file's path, or empty
    std::vector<Limit> limits = {};
    WarningKinds acceptedWarnings = {};
    std::string material = {};  // the grade the case names
};

// The case of a call (ComposeCaseWithGrade): the case file `casePath` when it
// is not None, the grade `material` names when it is not None, `texts` by
// field name over them, then the limits and accepted warnings given beside
// the file's.
CaseInput CaseOf(pybind11::handle casePath, const pybind11::dict& texts, char decimalSeparator,
                 std::span<const Limit> extraLimits = {}, WarningKinds extraAccepted = {},
                 pybind11::handle material = pybind11::none());

}  // namespace vortane::python
