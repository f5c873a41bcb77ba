#pragma once

#include <string>
#include <vector>

#include "case/fitted_ranges.h"
#include "case/input_fields.h"
#include "case/limit.h"
#include "case/units.h"
#include "document/report_document.h"
#include "result/limit_check.h"
#include "run/calculation_run.h"

namespace vortane::python {

// A run, the case it read, and the limits and accepted warnings it is judged
// by: vortane.Result.
struct Result {
    RunResult run;
    InputTexts texts;
    FittedRanges viscosityRanges;
    std::string caseFile;
    char separator;
    std::vector<Limit> limits = {};
    std::vector<LimitMargin> margins = {};
    WarningKinds acceptedWarnings = {};
    std::string material = {};  // the grade the case names
};

// The result's report to hand on in `system`, naming the grade its case names
// as the library holds it now.
ReportDocument ResultDocument(const Result& result, UnitSystem system);

}  // namespace vortane::python
