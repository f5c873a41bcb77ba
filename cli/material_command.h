#pragma once

#include <iosfwd>
#include <string_view>
#include <vector>

namespace vortane {
struct MaterialLibrary;
}

namespace vortane::cli {

// vortane-calc --list-materials [--csv FILE] and --fit-grade FILE ...: the
// material library listed, and grade files given their fits.

extern const std::string_view MaterialUsageText;

// Which of the two commands `arguments` ask for, if either.
bool IsMaterialCommand(const std::vector<std::string_view>& arguments);

// Runs the command and returns the exit status. --list-materials: the grades
// one a line on `out` (or the CSV to FILE), the files that could not be
// taken one a line on `err` and then status 2. --fit-grade: each file's law
// fitted over its ranges and the six coefficients and FitError written into
// it, the rest of the file byte for byte; a file that cannot be taken is 2,
// one that cannot be written 3.
int MaterialCommand(const std::vector<std::string_view>& arguments, std::ostream& out, std::ostream& err);

// The library of the running program: the shipped folder and the user's.
MaterialLibrary ProgramLibrary();

}  // namespace vortane::cli
