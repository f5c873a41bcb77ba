#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "case/units.h"
#include "chart/chart.h"
#include "material/grade.h"

namespace vortane {

// A grade as a front end shows it: its line in a list, whether a search finds
// it, its values captioned, each with its source, and its viscosity curves.

// The grade's name, the user's marked "(yours)".
std::string GradeListName(const Grade& grade);

// Whether every word of `query` (runs between blanks, ASCII letters in either
// case) stands in the grade's name, family, description, notes or one of its
// sources; an empty query finds every grade.
bool GradeMatches(const Grade& grade, std::string_view query);

// A value of the grade, captioned, as its file gives it, and where it comes
// from (empty where the value is the file's own: name, family, notes).
struct GradeDetail {
    std::string caption;
    std::string text;
    std::string source;
};

// Name, family, description and notes (where given), the law with its
// parameters, its check value, the ranges ("not stated" where the source
// states none), the largest relative error of the stored fit, each thermal
// value the grade gives (captioned as its box, without the box's unit), and
// why the default geometry does not run it.
std::vector<GradeDetail> GradeDetails(const Grade& grade);

// The temperatures the grade's curves are drawn at.
inline constexpr int GradeChartTemperatures = 5;

// The grade's printed law, η in Pa.s against shear rate on log-log axes, at
// GradeChartTemperatures temperatures evenly spaced over its range (for a
// grade that states none, over the ranges its fit takes, SampleGrade's), each
// named in the temperature unit of `system` (the title names the ranges
// drawn where the grade states none); where the grade holds a fit of a law of
// another form, the fit dashed beside it; the printed check value as a point.
Chart GradeChart(const Grade& grade, char decimalSeparator, UnitSystem system = UnitSystem::Metric);

}  // namespace vortane
