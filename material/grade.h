#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "case/error.h"
#include "case/fitted_ranges.h"
#include "material/source_law.h"
#include "model/viscosity_fit.h"

namespace vortane {

// A grade of the material library: one text file, materials/FAMILY-slug.vgrade,
// of `Key = value` lines (UTF-8; blank lines and lines starting with # are
// left out). It names the grade, the printed law its viscosity comes from
// with the law's parameters, a value printed beside the law to check it
// against, the temperatures and shear rates the law holds over, the five
// thermal inputs, each with its source, and the six coefficients of the
// program's own law fitted to the printed one over those ranges.

// A grade file that cannot be taken: "FILE:LINE: what is wrong", or
// "FILE: what is wrong" for a key that is missing; the context holds the
// file and the line.
class GradeFileError : public Refusal {
public:
    using Refusal::Refusal;
};

// A value as the file gives it, and the line it stands on.
struct GradeText {
    std::string text;
    int line = 0;
};

// A value printed beside the law: η (Pa.s) at a temperature and shear rate.
struct GradeCheck {
    double temperature = 0;  // degC
    double shearRate = 0;    // 1/s
    double viscosity = 0;    // Pa.s
    std::string viscosityText;  // as printed, for its digits
    std::string source;
};

// One of the thermal inputs (MeltDensity, SolidSpecificHeat, HeatOfFusion,
// MeltSpecificHeat, MeltingPoint): its text with its unit, any unit its box
// takes ("0.7 g/cm3", "2.3 kJ/kg.K"), and its source.
struct ThermalValue {
    std::string field;  // the box's field name
    std::string text;
    std::string source;
};

// The thermal fields a grade may give, in the order of their boxes.
inline constexpr std::array<std::string_view, 5> ThermalFieldNames{
    "MeltingPoint", "MeltDensity", "SolidSpecificHeat", "HeatOfFusion", "MeltSpecificHeat"};

struct Grade {
    std::string name;
    std::string family;
    std::string description;
    std::string notes;
    std::string file;  // the path it was read from; empty for a text read alone

    SourceLaw law;
    std::vector<std::string> lawTexts;  // the parameters as written, in the family's order
    std::string lawSource;

    std::optional<GradeCheck> check;

    // The temperatures and shear rates the law holds over, when the file
    // states them; a law without them cannot be fitted.
    bool rangesStated = false;
    ValueRange temperatureRange;  // degC
    ValueRange shearRateRange;    // 1/s
    std::string temperatureRangeText, shearRateRangeText;  // as written
    std::string rangeSource;

    std::vector<ThermalValue> thermal;  // those the file gives, in box order

    // The fit stored in the file, when it holds one: the six texts as
    // written, their values, and the largest relative error it states.
    std::optional<std::array<std::string, 6>> coefficientTexts;
    std::optional<ViscosityCoefficients> coefficients;
    std::optional<double> fitError;

    std::string runNote;  // why the default geometry does not run it, when it does not

    bool user = false;  // from the user's folder, not the shipped one

    // The sources of the grade's values, captioned: the law, its check, its
    // ranges and each thermal value given, in that order.
    std::vector<std::pair<std::string, std::string>> Sources() const;
};

// The grade `content` holds; `fileName` names it in errors and becomes its
// `file`. A line that is not `Key = value`, an unknown or repeated key, a
// number that does not read, a unit other than the key's, a range whose low
// end is not below its high, a missing key the grade needs (Name, Family,
// Law and its parameters and source), one range without the other, a value
// without its source, or a fit given in part is a GradeFileError. A grade
// may state no ranges (where its source gives none): it is listed, but its
// law cannot be fitted.
Grade ParseGrade(std::string_view content, const std::string& fileName);

// The text of the grade file at `path`; one that cannot be read is a
// GradeFileError naming it.
std::string ReadGradeFile(const std::string& path);

// The grade of the file at `path`; one that cannot be read is a
// GradeFileError naming it.
Grade ReadGrade(const std::string& path);

// Half a unit in the last digit a number is printed with, relative to it:
// "373.1" 0.05/373.1, "1.2e5" 0.05e5/1.2e5.
double PrintedTolerance(std::string_view number);

}  // namespace vortane
