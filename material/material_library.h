#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "case/error.h"
#include "case/fitted_ranges.h"
#include "material/grade.h"
#include "result/compose_case.h"

namespace vortane {

// The material library: the grades shipped with the program and those the
// user saved, listed side by side.

// A folder of grade files, and whether it is the user's.
struct MaterialFolder {
    std::filesystem::path path;
    bool user = false;
};

// The shipped folder: share/vortane/materials under the nearest ancestor of
// `installedFile` (the running program, the Python module) that holds one,
// as the package installs it; else, in a build tree, the source tree's
// materials/.
std::filesystem::path ShippedMaterialFolder(const std::filesystem::path& installedFile);

// The running program's file; empty where the system does not say.
std::filesystem::path RunningProgram();

// The user's folder: $XDG_DATA_HOME/vortane/materials, else
// ~/.local/share/vortane/materials (made when a grade is saved).
std::filesystem::path UserMaterialFolder();

// The shipped folder for `installedFile`, then the user's.
std::vector<MaterialFolder> MaterialFolders(const std::filesystem::path& installedFile);

// A name no grade of the library has: "unknown material NAME (did you mean
// A, B?)", the nearest names after it.
class UnknownGradeError : public Refusal {
public:
    using Refusal::Refusal;
};

struct MaterialLibrary {
    std::vector<Grade> grades;        // by file name within each folder, shipped first
    std::vector<std::string> errors;  // one line for each file that could not be taken

    // The grade named `name` (its Name, or its file's name with or without
    // .vgrade), ignoring case; an UnknownGradeError otherwise.
    const Grade& Find(std::string_view name) const;
    // Null where there is none.
    const Grade* FindOrNull(std::string_view name) const;
};

// Every *.vgrade file in the folders; a file that cannot be read or taken,
// and a grade whose name an earlier one has, goes to the errors and the rest
// are read. A folder that does not exist holds no grades.
MaterialLibrary ReadMaterialLibrary(std::span<const MaterialFolder> folders);

// One line of a listing, and the columns of its CSV: Name, Family, Source,
// TemperatureRange, ShearRateRange, FitError.
inline constexpr std::array<std::string_view, 6> GradeColumns{"Name", "Family", "Source", "TemperatureRange",
                                                              "ShearRateRange", "FitError"};
std::array<std::string, 6> GradeRow(const Grade& grade);

// The library as lines: "NAME | FAMILY | SOURCE | T RANGE | RATE RANGE | fit
// error PERCENT", the user's marked "(yours)".
std::string MaterialListText(const MaterialLibrary& library);

// The library as CSV, the columns of GradeColumns, texts quoted where needed.
std::string MaterialListCsv(const MaterialLibrary& library);

// A case composed as ComposeCase composes it, with `grade` (when given)
// applied over the file's texts before the overrides: its coefficients,
// thermal values, ranges and name.
ComposedCase ComposeCaseWithGrade(const std::optional<std::string>& caseFile, const Grade* grade,
                                  std::span<const BoxOverride> overrides, char decimalSeparator,
                                  std::span<const Limit> extraLimits = {}, WarningKinds extraAccepted = {});

// A grade of the user's own: measured and fitted in the program.
struct UserGrade {
    std::string name;
    std::string family;  // "User" when empty
    std::string notes;
    std::string date;    // of the measurements, as the user writes it
    std::array<std::string, 6> coefficientTexts;  // with a point
    ValueRange temperatureRange;  // degC
    ValueRange shearRateRange;    // 1/s
    std::vector<std::pair<std::string, std::string>> thermal;  // field name and text with its unit
    bool rangesStated = true;  // false where the data the law was fitted on are not known
};

// The grade file of `grade`: the six coefficients as the law (Law = Six),
// each value's source "own measurements, DATE". A grade without a name or a
// date, or one that would not read back, is a GradeFileError.
std::string UserGradeText(const UserGrade& grade);

// The user's grade of a law a front end holds: `texts` (A0 first) in the
// notation of `decimalSeparator`, written with a point; the ranges stated
// when both are known; no thermal value, the measurements being of the
// viscosity alone.
UserGrade UserGradeOfLaw(std::string name, std::string notes, std::string date, const std::array<std::string, 6>& texts,
                         char decimalSeparator, const FittedRanges& ranges);

// FAMILY-slug.vgrade for a grade's family and name: ASCII letters and digits
// kept, lower case, runs of anything else one "-".
std::string GradeFileName(std::string_view family, std::string_view name);

// Writes the grade in `folder` (made when missing) as GradeFileName names it,
// replacing the file of that name; returns its path.
std::filesystem::path SaveUserGrade(const UserGrade& grade, const std::filesystem::path& folder);

// A grade saved from a front end whose name a grade of the library has, or
// whose file name a file of the folder has.
class GradeNameClashError : public Refusal {
public:
    using Refusal::Refusal;
};

// SaveUserGrade for a new grade: one whose name no grade of `library` has
// (ignoring case) and whose file is not yet in `folder`, else a
// GradeNameClashError naming the grade or file it meets, and nothing is
// written.
std::filesystem::path SaveNewUserGrade(const UserGrade& grade, const std::filesystem::path& folder,
                                       const MaterialLibrary& library);

// What a front end says once a grade is saved: "NAME is saved in the
// material library as PATH".
std::string SavedGradeText(const UserGrade& grade, const std::filesystem::path& path);

// Copies a grade file, whole, to `to` once it reads as a grade; a file that
// does not is refused as ReadGrade refuses it and nothing is written.
void ExportGrade(const std::filesystem::path& from, const std::filesystem::path& to);

// Copies a grade file into `folder` (made when missing) under its own file
// name once it reads as a grade; returns the new path.
std::filesystem::path ImportGrade(const std::filesystem::path& from, const std::filesystem::path& folder);

}  // namespace vortane
