#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "case/error.h"
#include "case/limit.h"
#include "case/units.h"
#include "case/warning_kind.h"
#include "result/compose_case.h"
#include "study/sweep_plan.h"

namespace CLI {
class App;
}

namespace vortane::cli {

struct Options {
    std::optional<std::string> resultFileName;  // -o; result.txt for a single run
    std::optional<char> decimalSeparator;       // the locale's when not given
    std::optional<std::string> caseFile;        // --case
    std::optional<std::string> material;        // --material, a grade's name
    std::optional<std::string> writeCaseFile;   // --write-case
    std::vector<std::string> sweeps;            // --sweep FIELD=FROM:TO:STEP, as given
    std::optional<std::string> csvFile;         // --csv; standard output when not given
    std::optional<std::string> profileFile;     // --profile
    std::optional<std::string> plotFile;        // --plot
    std::optional<std::string> htmlFile;        // --html
    std::vector<std::string> compareFiles;      // --compare A.vcase B.vcase ...
    std::vector<BoxOverride> boxTexts;          // FIELD=TEXT, in order
    UnitSystem units = UnitSystem::Metric;       // --units, of the CSV and profile
    bool unitsGiven = false;                     // whether --units was given
    std::vector<Limit> limits;                   // --limit, in order; quantities checked
    WarningKinds acceptedWarnings;               // --accept-warning
    // Finding a design, the notations as given.
    std::optional<std::string> solve;     // --solve FIELD=LOW:HIGH
    std::optional<std::string> target;    // --target QUANTITY=VALUE
    std::optional<std::string> optimise;  // --optimise 'minimise QUANTITY'
    std::vector<std::string> varied;      // --vary FIELD=LOW:HIGH, in order
    std::vector<std::string> fronts;      // --front 'minimise QUANTITY', one per objective
    std::optional<std::string> scaleTo;   // --scale-to BarrelDiameter=NEW
    std::optional<std::string> output;    // --output RATE, kg/hr
    std::vector<std::string> keep;        // --keep COLUMN, in order
    std::vector<std::string> watch;       // --watch COLUMN, in order
    bool help = false;
};

// An option or argument the program cannot take: one line, exit status 2.
class UsageError : public Refusal {
public:
    using Refusal::Refusal;
};

// A command line that cannot be read at all (an unknown option, an option
// without its value): the usage text follows the line.
class MalformedCommandLine : public UsageError {
public:
    using UsageError::UsageError;
};

// What `parse` gives; an error of the core becomes a refusal of the command
// line, its text after `option` and ": ".
template <typename Parse>
auto Refused(std::string_view option, Parse parse) -> decltype(parse()) {
    try {
        return parse();
    } catch (const Error& error) {
        throw UsageError(std::string(option) + ": " + error.what());
    }
}

// Throws a Refusal (a UsageError, or the core's own) for anything it cannot
// take, and for options that do not go together.
Options ParseCommandLine(const std::vector<std::string_view>& arguments);

// Parses `arguments` with `app` (which allows extras); returns the arguments
// it does not know, in order. An option without its value is a
// MalformedCommandLine naming it.
std::vector<std::string> ParseWith(CLI::App& app, const std::vector<std::string_view>& arguments);

// The axis of one --sweep argument, FIELD=FROM:TO:STEP. Anything it cannot
// take is a UsageError naming the argument.
SweepAxis ParseSweepArgument(std::string_view argument, char decimalSeparator);

// The plan of the --sweep arguments over `base`; a Refusal when it has none.
SweepPlan SweepPlanOf(InputTexts base, const std::vector<std::string>& arguments,
                      char decimalSeparator, std::optional<std::string> reportPattern);

// The refusal of a --plot name that does not end in .svg.
std::string NotSvg(std::string_view name);

// The usage lines that follow a command line that cannot be read.
extern const std::string_view UsageText;

// --help: every option with its description, the 28 fields with their boxes,
// units and default texts, and the exit statuses.
std::string HelpText();

}  // namespace vortane::cli
