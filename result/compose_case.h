#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

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
// viscosity ranges and its material go with its coefficients: an override
// giving another coefficient text drops them. The limits: the file's, then `extraLimits`;
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

// `composed` with each override in order, as ComposeCase puts them over a
// file: the fitted ranges and the material's name go with the coefficient
// texts they came with, and are dropped once an override gives another.
// An override whose unit its box does not take is a CaseFileError.
ComposedCase WithOverrides(ComposedCase composed, std::span<const BoxOverride> overrides, char decimalSeparator);

// The largest case file taken whole from a user's upload (a page has no file
// system to read it from): 1 MB, where a case of 28 boxes and its limits is a
// few kB.
inline constexpr std::size_t CaseFileSizeLimit = std::size_t{1024} * 1024;

// A case file's content handed over whole (a page's upload), composed as
// ComposeCase composes the file `fileName` without overrides. One over
// CaseFileSizeLimit is a CaseFileError naming it, its size and the limit.
ComposedCase ComposeUploadedCase(std::string_view content, const std::string& fileName, char decimalSeparator);

}  // namespace vortane
