#pragma once

#include <map>
#include <string>

#include "case/case_data.h"
#include "case/input_fields.h"
#include "run/calculation_run.h"

namespace vortane::testing {

using Texts = std::map<std::string, std::string>;

// The default case's request: the default texts, some overridden by field or
// box name, the report written to `resultFileName`.
RunRequest CaseRequest(std::string resultFileName = "result.txt", const Texts& texts = {},
                       char separator = '.');

// The same request without a report.
RunRequest UnreportedRequest(const Texts& texts = {});

// The default case read from the default texts, with optional overrides.
CaseData DefaultInputs(const Texts& overrides = {});

// The default case (with overrides) prepared for its first pass: inputs read,
// channel prepared, arithmetic flags cleared.
CaseData PreparedCase(const Texts& overrides = {});

}  // namespace vortane::testing
