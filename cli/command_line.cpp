#include "cli/command_line.h"

#include <algorithm>
#include <cctype>
#include <clocale>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "case/excerpt.h"
#include "case/number_text.h"
#include "result/limit_check.h"
#include "run/calculation_run.h"

namespace vortane::cli {

const std::string_view UsageText =
    "usage: vortane-calc [OPTION ...] [FIELD=TEXT ...]\n"
    "       vortane-calc --sweep FIELD=FROM:TO:STEP [--sweep ...] [OPTION ...]\n"
    "                    [FIELD=TEXT ...]\n"
    "       vortane-calc --compare A.vcase B.vcase [C.vcase ...] [--csv FILE]\n"
    "                    [--html FILE] [--plot FILE.svg] [FIELD=TEXT ...]\n"
    "\n"
    "Runs one calculation of the mixing section, as one press of OK in the window,\n"
    "and writes its report; or, with --sweep, one calculation per grid point.\n"
    "\n"
    "  -o FILE                  save-file name (default result.txt); a sweep writes\n"
    "                           a report per point only when FILE holds {n}, which\n"
    "                           becomes the point's number\n"
    "  --decimal-separator C    decimal separator of inputs and report\n"
    "                           (default: the locale's, LC_NUMERIC)\n"
    "  --case FILE              box texts from FILE, one FIELD = TEXT a line (#\n"
    "                           starts a comment); FIELD=TEXT arguments override\n"
    "  --write-case FILE        write the 28 texts of the case to FILE, then run it\n"
    "  --profile FILE           CSV of the flow fraction and the pressures along the\n"
    "                           channels, z from 0 to 1 in 100 steps (single run)\n"
    "  --plot FILE.svg          SVG chart: the profile of a single run, or the\n"
    "                           pressure drop, power and temperature rise of a sweep\n"
    "  --html FILE              the report to hand on as one HTML page: inputs,\n"
    "                           results, indicators, limits with their margins and\n"
    "                           whether feasible, warnings and the chart; with\n"
    "                           --sweep, the study's chart and table\n"
    "  --sweep FIELD=FROM:TO:STEP\n"
    "                           one calculation per value FROM, FROM+STEP, ... up to\n"
    "                           TO; given twice, the full grid of both fields\n"
    "  --csv FILE               the CSV to FILE (default standard output with\n"
    "                           --sweep): a row per point, or one for a single run\n"
    "  --units metric|si|us     units of the CSV, --profile and --html values\n"
    "                           (default metric, the report's); in si or us a\n"
    "                           column with a unit has it after its name: (MPa)\n"
    "  --limit 'QUANTITY<=VALUE'\n"
    "                           a limit the design must meet (or >=), added to\n"
    "                           those of --case: QUANTITY a numeric column of the\n"
    "                           CSV without its unit (TemperatureRise,\n"
    "                           Barrier1ShearStress), VALUE in its technical metric\n"
    "                           unit; the CSV gains Feasible and a margin per limit\n"
    "  --accept-warning KIND    count a design as feasible even when its run warns\n"
    "                           of KIND: sound-range, unmelted-feed,\n"
    "                           negative-pressure, negative-power or fitted-range.\n"
    "                           Otherwise a design is feasible only when its run is\n"
    "                           complete, raises no warning and meets every limit\n"
    "  FIELD=TEXT               the text of one input box; FIELD is a field name\n"
    "                           (OutputRate, ChannelAngle, A12, ...) or a box name\n"
    "                           (Edit1 ... Edit28). Other boxes keep their defaults.\n"
    "                           TEXT may end in a unit of the field's quantity\n"
    "                           (OutputRate=\"350 lb/hr\"); the run reads the number\n"
    "                           converted to the field's own unit.\n"
    "  --compare A.vcase B.vcase [...]\n"
    "                           run each case (without a report; FIELD=TEXT\n"
    "                           applies to every one) and print them side by side:\n"
    "                           every value, and against the first case the\n"
    "                           difference and percentage, each case's limits;\n"
    "                           --csv, --html and --plot write it to files\n"
    "  --solve FIELD=LOW:HIGH --target QUANTITY=VALUE\n"
    "                           goal seek: the text of FIELD within LOW:HIGH at\n"
    "                           which QUANTITY reaches VALUE; prints the text, the\n"
    "                           residual and the runs; --write-case saves the design\n"
    "  --optimise 'minimise QUANTITY' --vary FIELD=LOW:HIGH [--vary ...]\n"
    "                           the design within the bounds (up to six inputs)\n"
    "                           with the least (or, with maximise, the greatest)\n"
    "                           QUANTITY that meets every --limit and the case's\n"
    "                           limits; --write-case saves it\n"
    "  --help                   this text and the list of fields\n"
    "\n"
    "Messages go to standard error, each followed by a line saying why, and then\n"
    "the warnings (a sweep puts them in its CSV). Exit status: 0 complete (every\n"
    "point of a sweep), warnings or not; 1 a stage stopped the run (or a point);\n"
    "2 bad command line or case file; 3 arithmetic fault or I/O error; 4 a single\n"
    "run complete but, with limits or accepted warnings, not feasible (a limit\n"
    "fails or a warning not accepted stands; named on standard error); 130 a sweep\n"
    "interrupted (Ctrl+C), its CSV holding whole rows of the points done. With\n"
    "--solve or --optimise: 0 a design found; 1 none in the bounds (the reason\n"
    "follows); 130 interrupted.\n";

namespace {

// The unit inside a caption's last parentheses: "kg/hr" of "Output (kg/hr)".
std::string_view UnitOf(std::string_view caption) {
    const std::size_t open = caption.rfind('(');
    const std::size_t close = caption.rfind(')');
    if (open == std::string_view::npos || close == std::string_view::npos || close < open) return "-";
    return caption.substr(open + 1, close - open - 1);
}

// `text` and blanks up to `width` columns, one column a UTF-8 character.
std::string Padded(std::string_view text, std::size_t width) {
    const auto columns = static_cast<std::size_t>(std::count_if(
        text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
    return std::string(text) + std::string(columns < width ? width - columns : 1, ' ');
}

}  // namespace

std::string HelpText() {
    std::string text(UsageText);
    text += "\nFields, in box order (FIELD=TEXT), with their units and default texts:\n";
    for (const InputField& field : InputFields())
        text += "  " + Padded("Edit" + std::to_string(field.box), 8) + Padded(field.name, 23) +
                Padded(UnitOf(field.caption), 13) + std::string(field.defaultText) + '\n';
    return text;
}

std::string_view OptionValue(const std::vector<std::string_view>& arguments, std::size_t& i) {
    if (i + 1 >= arguments.size())
        throw MalformedCommandLine(std::string(arguments[i]) + " needs a value");
    return arguments[++i];
}

bool IsSvgName(std::string_view name) {
    constexpr std::string_view Svg = ".svg";
    if (name.size() <= Svg.size()) return false;
    const std::string_view end = name.substr(name.size() - Svg.size());
    return std::equal(end.begin(), end.end(), Svg.begin(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == b;
    });
}

std::string NotSvg(std::string_view name) {
    return "--plot " + std::string(name) + ": the chart is SVG; name a file ending in .svg";
}

char LocaleDecimalSeparator() {
    std::setlocale(LC_NUMERIC, "");
    const char* point = std::localeconv()->decimal_point;
    const char separator = std::strlen(point) == 1 && IsUsableDecimalSeparator(point[0]) ? point[0] : '.';
    std::setlocale(LC_NUMERIC, "C");
    return separator;
}

namespace {

char SeparatorOf(std::string_view text) {
    if (text.size() != 1 || !IsUsableDecimalSeparator(text[0]))
        throw UsageError("the decimal separator must be one character, not a digit, sign or E");
    return text[0];
}

UnitSystem UnitSystemOf(std::string_view name) {
    if (const std::optional<UnitSystem> system = UnitSystemNamed(name)) return *system;
    throw UsageError("--units " + Excerpt(name) + ": the systems are metric, si and us");
}

std::string UnknownField(std::string_view name) {
    std::string text = "unknown field " + Excerpt(name);
    if (const InputField* nearest = NearestInputField(name))
        text += " (did you mean " + std::string(nearest->name) + "?)";
    return text;
}

// --compare runs whole cases and writes no report; it takes no other case,
// grid, report or profile.
void CheckCompare(const Options& options) {
    if (options.compareFiles.empty()) return;
    if (options.compareFiles.size() < 2) throw UsageError("--compare needs two case files or more");
    const auto refuse = [](bool given, std::string_view option) {
        if (given) throw UsageError(std::string(option) + " does not go with --compare");
    };
    refuse(!options.sweeps.empty(), "--sweep");
    refuse(options.caseFile.has_value(), "--case");
    refuse(options.writeCaseFile.has_value(), "--write-case");
    refuse(options.resultFileName.has_value(), "-o");
    refuse(options.profileFile.has_value(), "--profile");
    refuse(options.unitsGiven, "--units");
    refuse(options.solve.has_value(), "--solve");
    refuse(options.optimise.has_value(), "--optimise");
}

// Whether an argument after --compare names a case file: not an option, and
// not FIELD=TEXT unless what stands before its "=" is no field and the
// argument names a file there is ("a=b.vcase").
bool IsCompareFile(std::string_view argument) {
    if (argument.starts_with('-')) return false;
    const std::size_t equals = argument.find('=');
    if (equals == std::string_view::npos) return true;
    std::error_code error;
    return FindInputField(argument.substr(0, equals)) == nullptr &&
           std::filesystem::is_regular_file(std::filesystem::path(argument), error);
}

// The case files after --compare: the arguments up to the next option or
// FIELD=TEXT.
void TakeCompareFiles(const std::vector<std::string_view>& arguments, std::size_t& i, Options& options) {
    const std::size_t first = i + 1;
    while (i + 1 < arguments.size() && IsCompareFile(arguments[i + 1]))
        options.compareFiles.emplace_back(arguments[++i]);
    if (i + 1 == first) throw MalformedCommandLine("--compare needs case files");
}

// Finding a design: --solve with --target, or --optimise with --vary.
void TakeDesignOption(Options& options, std::string_view option, std::string_view value) {
#ifdef VORTANE_DESIGN
    if (option == "--solve") options.solve = value;
    else if (option == "--target") options.target = value;
    else if (option == "--vary") options.varied.emplace_back(value);
    else options.optimise = value;
#else
    (void)options;
    (void)value;
    throw UsageError(std::string(option) + ": this build has no goal seek or optimisation");
#endif
}

void CheckDesignCombination(const Options& options) {
    const bool solve = options.solve.has_value();
    const bool optimise = options.optimise.has_value();
    if (solve != options.target.has_value()) throw UsageError("--solve and --target go together");
    if (!optimise && !options.varied.empty()) throw UsageError("--vary is for --optimise");
    if (!solve && !optimise) return;
    if (solve && optimise) throw UsageError("--solve and --optimise do not go together");
    if (optimise && options.varied.empty()) throw UsageError("--optimise needs at least one --vary FIELD=LOW:HIGH");
    if (options.varied.size() > 6) throw UsageError("at most six --vary options");
    const char* mode = solve ? "--solve" : "--optimise";
    if (!options.sweeps.empty()) throw UsageError(std::string("--sweep does not go with ") + mode);
    if (options.csvFile || options.profileFile || options.plotFile || options.htmlFile || options.resultFileName)
        throw UsageError(std::string(mode) + " prints the design found; --csv, --profile, --plot, --html and -o "
                         "are for a run or a sweep");
}

// --units sets the units of the tables and pages written: with none of them
// it would change nothing.
void CheckUnits(const Options& options) {
    if (!options.unitsGiven || !options.sweeps.empty() || options.csvFile || options.profileFile ||
        options.htmlFile)
        return;
    throw UsageError("--units sets the units of --csv, --profile, --html and a sweep's table; this command "
                     "line writes none of them");
}

// Options that make sense only together, or only apart.
void CheckCombination(const Options& options) {
    const bool sweep = !options.sweeps.empty();
    if (options.sweeps.size() > SweepAxisLimit) throw UsageError("at most two --sweep options");
    if (sweep && options.profileFile) throw UsageError("--profile is for a single run, not a sweep");
    if (options.plotFile && !IsSvgName(*options.plotFile))
        throw UsageError(NotSvg(*options.plotFile));
    if (sweep && options.resultFileName &&
        options.resultFileName->find("{n}") == std::string::npos)
        throw UsageError("with --sweep, -o needs {n} in the name, one report per point");
    if (!sweep && options.resultFileName) CheckResultFileName(*options.resultFileName);
    CheckCompare(options);
    CheckDesignCombination(options);
    CheckUnits(options);
}

}  // namespace

SweepAxis ParseSweepArgument(std::string_view argument, char decimalSeparator) {
    try {
        return ParseSweepAxis(argument, decimalSeparator);
    } catch (const SweepError& error) {
        throw UsageError("--sweep " + std::string(argument) + ": " + error.what());
    }
}

Limit ParseLimitArgument(std::string_view argument) {
    try {
        Limit limit = ParseLimit(argument);
        LimitColumns(std::span(&limit, 1));
        return limit;
    } catch (const LimitError& error) {
        throw UsageError("--" + std::string(error.what()));
    }
}

SweepPlan SweepPlanOf(InputTexts base, const std::vector<std::string>& arguments,
                      char decimalSeparator, std::optional<std::string> reportPattern) {
    std::vector<SweepAxis> axes;
    axes.reserve(arguments.size());
    for (const std::string& argument : arguments)
        axes.push_back(ParseSweepArgument(argument, decimalSeparator));
    try {
        return MakeSweepPlan(std::move(base), std::move(axes), decimalSeparator,
                             std::move(reportPattern));
    } catch (const SweepError& error) {
        throw UsageError(error.what());
    }
}

Options ParseCommandLine(const std::vector<std::string_view>& arguments) {
    Options options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (argument == "--help" || argument == "-h") {
            options.help = true;
        } else if (argument == "-o") {
            options.resultFileName = OptionValue(arguments, i);
        } else if (argument == "--decimal-separator") {
            options.decimalSeparator = SeparatorOf(OptionValue(arguments, i));
        } else if (argument == "--case") {
            options.caseFile = OptionValue(arguments, i);
        } else if (argument == "--write-case") {
            options.writeCaseFile = OptionValue(arguments, i);
        } else if (argument == "--sweep") {
            options.sweeps.emplace_back(OptionValue(arguments, i));
        } else if (argument == "--csv") {
            options.csvFile = OptionValue(arguments, i);
        } else if (argument == "--profile") {
            options.profileFile = OptionValue(arguments, i);
        } else if (argument == "--units") {
            options.units = UnitSystemOf(OptionValue(arguments, i));
            options.unitsGiven = true;
        } else if (argument == "--limit") {
            options.limits.push_back(ParseLimitArgument(OptionValue(arguments, i)));
        } else if (argument == "--accept-warning") {
            const std::string_view kind = OptionValue(arguments, i);
            try {
                options.acceptedWarnings.Add(ParseWarningKind(kind));
            } catch (const WarningKindError& error) {
                throw UsageError(std::string("--accept-warning: ") + error.what());
            }
        } else if (argument == "--plot") {
            options.plotFile = OptionValue(arguments, i);
        } else if (argument == "--html") {
            options.htmlFile = OptionValue(arguments, i);
        } else if (argument == "--compare") {
            TakeCompareFiles(arguments, i, options);
        } else if (argument == "--solve" || argument == "--target" || argument == "--optimise" ||
                   argument == "--optimize" || argument == "--vary") {
            TakeDesignOption(options, argument, OptionValue(arguments, i));
        } else if (const std::size_t equals = argument.find('='); equals != std::string_view::npos) {
            const std::string_view name = argument.substr(0, equals);
            const InputField* field = FindInputField(name);
            if (field == nullptr) throw UsageError(UnknownField(name));
            options.boxTexts.emplace_back(field, argument.substr(equals + 1));
        } else {
            throw MalformedCommandLine("unexpected argument " + std::string(argument));
        }
    }
    CheckCombination(options);
    return options;
}

}  // namespace vortane::cli
