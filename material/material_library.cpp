#include "material/material_library.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <system_error>

#include "case/excerpt.h"
#include "case/file_read.h"
#include "case/file_write.h"
#include "case/number_format.h"
#include "case/number_text.h"
#include "material/grade_apply.h"
#include "material/grade_view.h"
#include "study/study_csv.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace vortane {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view GradeExtension = ".vgrade";

std::string Stem(const Grade& grade) { return fs::path(grade.file).stem().string(); }

// The grade files of a folder, by name; none when it does not exist.
std::vector<fs::path> GradeFiles(const fs::path& folder, std::vector<std::string>& errors) {
    std::vector<fs::path> files;
    std::error_code error;
    if (!fs::is_directory(folder, error)) return files;
    fs::directory_iterator entries(folder, error);
    if (error) {
        errors.push_back("cannot read the folder " + folder.string() + ": " + error.message());
        return files;
    }
    for (const fs::directory_entry& entry : entries)
        if (entry.path().extension() == GradeExtension) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

// The words of a name, in lower case: its runs of letters and digits.
std::vector<std::string> Words(std::string_view name) {
    std::vector<std::string> words(1);
    for (const char c : LowerCase(name)) {
        if (std::isalnum(static_cast<unsigned char>(c)) != 0 || static_cast<unsigned char>(c) >= 0x80)
            words.back() += c;
        else if (!words.back().empty())
            words.emplace_back();
    }
    if (words.back().empty()) words.pop_back();
    return words;
}

// The grades a mistyped name may have meant, at most three: those whose name
// holds every word typed, else the nearest by edit distance to a name or a
// file name.
std::vector<std::string_view> NearestNames(std::string_view typed, const std::vector<Grade>& grades) {
    std::vector<std::string_view> nearest;
    const std::vector<std::string> wanted = Words(typed);
    for (const Grade& grade : grades) {
        const std::vector<std::string> words = Words(grade.name);
        const bool holds = !wanted.empty() && std::all_of(wanted.begin(), wanted.end(), [&](const std::string& w) {
            return std::find(words.begin(), words.end(), w) != words.end();
        });
        if (holds && nearest.size() < 3) nearest.push_back(grade.name);
    }
    if (!nearest.empty()) return nearest;
    std::vector<std::string> stems;
    std::vector<std::string_view> candidates;
    stems.reserve(grades.size());
    for (const Grade& grade : grades) stems.push_back(Stem(grade));
    for (std::size_t i = 0; i < grades.size(); ++i) {
        candidates.push_back(grades[i].name);
        candidates.push_back(stems[i]);
    }
    if (const std::optional<std::string_view> name = NearestName(typed, candidates)) {
        const auto at = static_cast<std::size_t>(std::find(candidates.begin(), candidates.end(), *name) - candidates.begin());
        nearest.push_back(grades[at / 2].name);
    }
    return nearest;
}

std::string RangeOf(const ValueRange& range, std::string_view unit) {
    return ShortestText(range.low) + " to " + ShortestText(range.high) + " " + std::string(unit);
}

}  // namespace

fs::path RunningProgram() {
#ifdef _WIN32
    std::wstring path(32768, L'\0');
    const DWORD size = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (size == 0 || size >= path.size()) return {};
    path.resize(size);
    return fs::path(path);
#else
    std::error_code error;
    fs::path path = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::path() : path;
#endif
}

fs::path ShippedMaterialFolder(const fs::path& installedFile) {
    std::error_code error;
    if (!installedFile.empty()) {
        for (fs::path at = installedFile.parent_path(); !at.empty(); at = at.parent_path()) {
            fs::path folder = at / "share" / "vortane" / "materials";
            if (fs::is_directory(folder, error)) return folder;
            if (at == at.parent_path()) break;
        }
    }
    return fs::path(VORTANE_SOURCE_MATERIALS);
}

fs::path UserMaterialFolder() {
    if (const char* data = std::getenv("XDG_DATA_HOME"); data != nullptr && *data != '\0' && fs::path(data).is_absolute())
        return fs::path(data) / "vortane" / "materials";
#ifdef _WIN32
    if (const char* appData = std::getenv("APPDATA"); appData != nullptr && *appData != '\0')
        return fs::path(appData) / "vortane" / "materials";
#endif
    const char* home = std::getenv("HOME");
    return fs::path(home != nullptr ? home : "") / ".local" / "share" / "vortane" / "materials";
}

std::vector<MaterialFolder> MaterialFolders(const fs::path& installedFile) {
    return {{ShippedMaterialFolder(installedFile), false}, {UserMaterialFolder(), true}};
}

const Grade* MaterialLibrary::FindOrNull(std::string_view name) const {
    std::string wanted = LowerCase(name);
    for (const Grade& grade : grades)
        if (LowerCase(grade.name) == wanted) return &grade;
    if (wanted.ends_with(GradeExtension)) wanted.resize(wanted.size() - GradeExtension.size());
    for (const Grade& grade : grades)
        if (LowerCase(Stem(grade)) == wanted) return &grade;
    return nullptr;
}

const Grade& MaterialLibrary::Find(std::string_view name) const {
    if (const Grade* grade = FindOrNull(name)) return *grade;
    std::string text = "unknown material " + Excerpt(name);
    const std::vector<std::string_view> nearest = NearestNames(name, grades);
    for (std::size_t i = 0; i < nearest.size(); ++i)
        text += (i == 0 ? " (did you mean " : ", ") + std::string(nearest[i]);
    if (!nearest.empty()) text += "?)";
    if (grades.empty()) text += "; the library holds no grades";
    throw UnknownGradeError(text);
}

MaterialLibrary ReadMaterialLibrary(std::span<const MaterialFolder> folders) {
    MaterialLibrary library;
    for (const MaterialFolder& folder : folders) {
        for (const fs::path& path : GradeFiles(folder.path, library.errors)) {
            try {
                Grade grade = ReadGrade(path.string());
                grade.user = folder.user;
                if (const Grade* earlier = library.FindOrNull(grade.name); earlier && LowerCase(earlier->name) == LowerCase(grade.name)) {
                    library.errors.push_back(path.string() + ": the name " + grade.name + " is already the grade of " +
                                             earlier->file);
                    continue;
                }
                library.grades.push_back(std::move(grade));
            } catch (const GradeFileError& error) {
                library.errors.emplace_back(error.what());
            }
        }
    }
    return library;
}

std::array<std::string, 6> GradeRow(const Grade& grade) {
    return {grade.name,
            grade.family,
            grade.lawSource,
            grade.rangesStated ? RangeOf(grade.temperatureRange, "degC") : "not stated",
            grade.rangesStated ? RangeOf(grade.shearRateRange, "1/s") : "not stated",
            grade.fitError ? SignificantText(*grade.fitError, 3) : std::string()};
}

std::string MaterialListText(const MaterialLibrary& library) {
    std::string text;
    for (const Grade& grade : library.grades) {
        const std::array<std::string, 6> row = GradeRow(grade);
        text += GradeListName(grade) + " | " + row[1] + " | " + row[2] + " | " + row[3] + " | " +
                row[4] + " | " +
                (grade.fitError ? "fit within " + SignificantText(*grade.fitError * 100, 3) + " %" : "not fitted") +
                "\n";
    }
    return text;
}

std::string MaterialListCsv(const MaterialLibrary& library) {
    std::string csv;
    for (std::size_t c = 0; c < GradeColumns.size(); ++c) csv += (c == 0 ? "" : ",") + std::string(GradeColumns[c]);
    csv += "\n";
    for (const Grade& grade : library.grades) {
        const std::array<std::string, 6> row = GradeRow(grade);
        for (std::size_t c = 0; c < row.size(); ++c) csv += (c == 0 ? "" : ",") + CsvField(row[c]);
        csv += "\n";
    }
    return csv;
}

ComposedCase ComposeCaseWithGrade(const std::optional<std::string>& caseFile, const Grade* grade,
                                  std::span<const BoxOverride> overrides, char decimalSeparator,
                                  std::span<const Limit> extraLimits, WarningKinds extraAccepted) {
    ComposedCase composed = ComposeCase(caseFile, {}, decimalSeparator, extraLimits, extraAccepted);
    if (grade != nullptr) {
        AppliedGrade applied = ApplyGrade(*grade, std::move(composed.texts), decimalSeparator);
        composed.texts = std::move(applied.texts);
        composed.extras.viscosityRanges = applied.ranges;
        composed.extras.material = std::move(applied.material);
    }
    return WithOverrides(std::move(composed), overrides, decimalSeparator);
}

std::string GradeFileName(std::string_view family, std::string_view name) {
    const auto slug = [](std::string_view text) {
        std::string slug;
        for (const char c : text) {
            if (std::isalnum(static_cast<unsigned char>(c)) != 0 && static_cast<unsigned char>(c) < 0x80)
                slug += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            else if (!slug.empty() && slug.back() != '-')
                slug += '-';
        }
        while (!slug.empty() && slug.back() == '-') slug.pop_back();
        return slug.empty() ? std::string("grade") : slug;
    };
    std::string familyPart(family.empty() ? "User" : family);
    std::replace_if(familyPart.begin(), familyPart.end(),
                    [](char c) { return std::isalnum(static_cast<unsigned char>(c)) == 0; }, '_');
    return familyPart + "-" + slug(name) + std::string(GradeExtension);
}

std::string UserGradeText(const UserGrade& grade) {
    const std::string source = "own measurements, " + grade.date;
    const auto line = [](std::string_view key, const std::string& value) {
        if (value.find_first_of("\r\n") != std::string::npos)
            throw GradeFileError(std::string(key) + " holds a line break, which a grade file cannot keep");
        return std::string(key) + " = " + value + "\n";
    };
    const auto blank = [](const std::string& value) {
        return value.find_first_not_of(" \t") == std::string::npos;
    };
    if (blank(grade.name)) throw GradeFileError("a grade needs a name");
    if (blank(grade.date)) throw GradeFileError("give the date of the measurements, the source of the grade's values");
    std::string text = "# A grade of the user's own, saved by Vortane\n";
    text += line("Name", grade.name);
    text += line("Family", grade.family.empty() ? "User" : grade.family);
    if (!grade.notes.empty()) text += line("Notes", grade.notes);
    text += line("Law", "Six");
    text += line("Law.Source", source);
    if (grade.rangesStated) {
        text += line("TemperatureRange", RangeOf(grade.temperatureRange, "degC"));
        text += line("ShearRateRange", RangeOf(grade.shearRateRange, "1/s"));
        text += line("Range.Source", source);
    }
    for (const auto& [field, value] : grade.thermal) {
        text += line(field, value);
        text += line(field + ".Source", source);
    }
    for (std::size_t j = 0; j < ViscosityTermNames.size(); ++j)
        text += line(ViscosityTermNames[j], grade.coefficientTexts[j]);
    text += "FitError = 0\n";
    ParseGrade(text, grade.name);  // what it writes reads back, or nothing is written
    return text;
}

fs::path SaveUserGrade(const UserGrade& grade, const fs::path& folder) {
    const std::string text = UserGradeText(grade);
    std::error_code error;
    fs::create_directories(folder, error);
    if (error) throw FileWriteError("cannot write " + folder.string() + ": " + error.message(), {folder.string(), {}, nullptr});
    fs::path path = folder / GradeFileName(grade.family, grade.name);
    WriteWholeFile(path.string(), text);
    return path;
}

UserGrade UserGradeOfLaw(std::string name, std::string notes, std::string date, const std::array<std::string, 6>& texts,
                         char decimalSeparator, const FittedRanges& ranges) {
    UserGrade grade{std::move(name), {}, std::move(notes), std::move(date), texts, {}, {}, {}, false};
    for (std::string& text : grade.coefficientTexts)
        if (decimalSeparator != '.' && ConvertReal(text, decimalSeparator))
            std::replace(text.begin(), text.end(), decimalSeparator, '.');
    if (ranges.temperature && ranges.shearRate) {
        grade.temperatureRange = *ranges.temperature;
        grade.shearRateRange = *ranges.shearRate;
        grade.rangesStated = true;
    }
    return grade;
}

fs::path SaveNewUserGrade(const UserGrade& grade, const fs::path& folder, const MaterialLibrary& library) {
    const std::string text = UserGradeText(grade);
    if (const Grade* same = library.FindOrNull(grade.name); same != nullptr && LowerCase(same->name) == LowerCase(grade.name))
        throw GradeNameClashError("the material library already has a grade named " + same->name + " (" + same->file +
                                  "): choose another name");
    const fs::path path = folder / GradeFileName(grade.family, grade.name);
    std::error_code error;
    if (fs::exists(fs::symlink_status(path, error)))
        throw GradeNameClashError(path.string() + " already exists: choose another name",
                                  {path.string(), std::nullopt, nullptr});
    return SaveUserGrade(grade, folder);
}

std::string SavedGradeText(const UserGrade& grade, const fs::path& path) {
    return grade.name + " is saved in the material library as " + path.string();
}

void ExportGrade(const fs::path& from, const fs::path& to) {
    const std::string content = ReadGradeFile(from.string());
    ParseGrade(content, from.string());
    WriteWholeFile(to.string(), content);
}

fs::path ImportGrade(const fs::path& from, const fs::path& folder) {
    if (from.extension() != GradeExtension)
        throw GradeFileError(from.string() + ": a grade file's name ends in .vgrade", {from.string(), {}, nullptr});
    std::error_code error;
    fs::create_directories(folder, error);
    if (error) throw FileWriteError("cannot write " + folder.string() + ": " + error.message(), {folder.string(), {}, nullptr});
    fs::path to = folder / from.filename();
    ExportGrade(from, to);
    return to;
}

}  // namespace vortane
