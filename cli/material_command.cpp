#include "cli/material_command.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <optional>
#include <ostream>
#include <string>

#include "case/file_read.h"
#include "case/file_write.h"
#include "case/number_format.h"
#include "cli/command_line.h"
#include "cli/exit_status.h"
#include "material/grade_fit.h"
#include "material/material_library.h"

namespace vortane::cli {

const std::string_view MaterialUsageText =
    "usage: vortane-calc --list-materials [--csv FILE]\n"
    "       vortane-calc --fit-grade FILE.vgrade [FILE.vgrade ...]\n"
    "\n"
    "  --list-materials         the grades of the material library, one a line:\n"
    "                           name, family, source, ranges, fit error; the\n"
    "                           user's own marked (yours). With --csv FILE, a CSV\n"
    "                           of Name, Family, Source, TemperatureRange,\n"
    "                           ShearRateRange and FitError\n"
    "  --fit-grade FILE         fits the six coefficients to the file's printed\n"
    "                           law over its ranges and writes them and FitError\n"
    "                           into the file, every other line as it was\n"
    "  --material NAME          (with a run) the grade's values in the boxes,\n"
    "                           before FIELD=TEXT\n"
    "\n"
    "Exit status: 0 done; 2 bad arguments or a grade file that cannot be taken;\n"
    "3 a file that cannot be written.\n";

namespace {

int ListMaterials(const std::optional<std::string>& csvFile, std::ostream& out, std::ostream& err) {
    const MaterialLibrary library = ProgramLibrary();
    if (csvFile) {
        WriteWholeFile(*csvFile, MaterialListCsv(library));
    } else {
        out << MaterialListText(library) << std::flush;
        if (!out) throw OutputError("cannot write the list of materials to standard output");
    }
    for (const std::string& error : library.errors) err << "vortane-calc: " << error << '\n';
    return library.errors.empty() ? Complete : Usage;
}

int FitGrades(const std::vector<std::string>& files, std::ostream& out) {
    // Every file is read and fitted before any is written.
    std::vector<std::pair<std::string, std::string>> fitted;
    for (const std::string& path : files) {
        const std::string content = ReadGradeFile(path);
        const GradeFit fit = FitGrade(ParseGrade(content, path));
        fitted.emplace_back(path, WithFit(content, fit));
        out << path << ": FitError = " << SignificantText(fit.fitError, 3) << '\n';
    }
    for (const auto& [path, content] : fitted) WriteWholeFile(path, content);
    return Complete;
}

}  // namespace

bool IsMaterialCommand(const std::vector<std::string_view>& arguments) {
    return std::any_of(arguments.begin(), arguments.end(),
                       [](std::string_view a) { return a == "--list-materials" || a == "--fit-grade"; });
}

MaterialLibrary ProgramLibrary() {
    const std::vector<MaterialFolder> folders = MaterialFolders(RunningProgram());
    return ReadMaterialLibrary(folders);
}

int MaterialCommand(const std::vector<std::string_view>& arguments, std::ostream& out, std::ostream& err) {
    try {
        if (std::any_of(arguments.begin(), arguments.end(), [](std::string_view a) { return a == "--help" || a == "-h"; })) {
            out << MaterialUsageText;
            return Complete;
        }
        bool list = false;
        std::optional<std::string> csvFile;
        std::vector<std::string> gradeFiles;
        CLI::App app;
        app.set_help_flag();
        app.allow_extras();
        app.add_flag("--list-materials", list);
        app.add_option("--csv", csvFile);
        app.add_option("--fit-grade", gradeFiles)->allow_extra_args(true);
        if (const std::vector<std::string> extra = ParseWith(app, arguments); !extra.empty())
            throw UsageError("--list-materials takes --csv, --fit-grade takes grade files, not " + extra.front());
        if (list && !gradeFiles.empty()) throw UsageError("--list-materials and --fit-grade go apart");
        if (!list && csvFile) throw UsageError("--fit-grade takes no --csv");
        if (!list && gradeFiles.empty()) throw MalformedCommandLine("--fit-grade needs a grade file");
        if (list) return ListMaterials(csvFile, out, err);
        return FitGrades(gradeFiles, out);
    } catch (...) {
        return ReportFailure(err, {});
    }
}

}  // namespace vortane::cli
