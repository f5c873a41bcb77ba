#pragma once

#include <string>
#include <vector>

#include "case/case_file.h"
#include "case/fitted_ranges.h"
#include "case/input_fields.h"
#include "material/grade.h"

namespace vortane {

// A grade put into a case: what every front end calls.

struct AppliedGrade {
    InputTexts texts;
    FittedRanges ranges;       // the grade's, for its coefficients
    std::string material;      // the grade's name, as the case records it
    std::vector<std::string> missing;  // the thermal fields the grade does not give, whose boxes keep their texts
};

// `texts` with the grade's six coefficients (the stored fit, or a fit made
// now when the file holds none) and its thermal values, each converted into
// its box's unit, in the notation of `decimalSeparator`; the grade's ranges
// (when it states them) and name. A grade that holds no fit and cannot be
// fitted is a GradeFileError (FitGrade).
AppliedGrade ApplyGrade(const Grade& grade, InputTexts texts, char decimalSeparator);

// What a front end says of the fields the grade does not give: "GRADE gives
// no MeltDensity, HeatOfFusion: their boxes keep their texts"; empty when it
// gives all.
std::string MissingValuesText(const Grade& grade);

// The fields ApplyGrade sets: the six coefficients and the thermal fields the
// grade gives.
std::vector<const InputField*> GradeFields(const Grade& grade);

}  // namespace vortane
