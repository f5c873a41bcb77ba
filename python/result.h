#pragma once

#include <string>

#include "case/fitted_ranges.h"
#include "case/input_fields.h"
#include "run/calculation_run.h"

namespace vortane::python {

// A run and the case it read: vortane.Result.
struct Result {
    RunResult run;
    InputTexts texts;
    FittedRanges viscosityRanges;
    std::string caseFile;
    char separator;
};

}  // namespace vortane::python
