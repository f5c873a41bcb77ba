#pragma once

#include <optional>
#include <span>
#include <string>

#include "case/case_file.h"
#include "case/input_fields.h"
#include "case/limit.h"
#include "case/warning_kind.h"

namespace vortane {

// One box's text given over the case: a field and its text, which may end in
// a unit of the field's quantity ("350 lb/hr").
struct BoxOverride {
    const InputField* field;
    std::string text;
};

// A case as a run takes it: the 28 texts in the user's notation and what
// stands beside them.
struct ComposedCase {
    InputTexts texts;
    CaseExtras extras;
};

// The one way every front end composes a case. The texts: the defaults, then
// the case file's entries when `caseFile` is given, then each override in
// order, converted to its box's unit (TextInBoxUnit). The file's fitted
// viscosity ranges go with its coefficients: an override giving another
// coefficient text drops them. The limits: the file's, then `extraLimits`;
// the accepted warnings: the file's and `extraAccepted`. Every limit must
// name a column of the table of runs.
//
// Anything it cannot take is one CaseFileError: a file that cannot be read or
// parsed, a file's limit naming no quantity ("c.vcase:7: limit ...", with the
// file and line in its context), an extra limit naming none, an override
// whose unit the box does not take (its field in the context).
ComposedCase ComposeCase(const std::optional<std::string>& caseFile, std::span<const BoxOverride> overrides,
                         char decimalSeparator, std::span<const Limit> extraLimits = {},
                         WarningKinds extraAccepted = {});

}  // namespace vortane
