#include "cli/command_line.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "case/excerpt.h"
#include "case/field_table.h"
#include "case/number_text.h"
#include "document/svg_chart.h"
#include "result/limit_check.h"
#include "run/calculation_run.h"

namespace vortane::cli {

const std::string_view UsageText =
    "usage: vortane-calc [OPTION ...] [FIELD=TEXT ...]\n"
    "       vortane-calc --sweep FIELD=FROM:TO:STEP [--sweep ...] [OPTION ...] [FIELD=TEXT ...]\n"
    "       vortane-calc --compare A.vcase B.vcase [C.vcase ...] [OPTION ...] [FIELD=TEXT ...]\n"
    "       vortane-calc --fit-viscosity DATA.csv [--viscosity-unit U] [--plot FIT.svg]\n"
    "       vortane-calc --list-materials [--csv FILE] | --fit-grade FILE.vgrade ...\n"
    "vortane-calc --help lists the options and fields.\n";

namespace {

constexpr std::string_view ExitText =
    "Messages go to standard error, each followed by a line saying why, and then\n"
    "the warnings (a sweep puts them in its CSV). Exit status: 0 complete (every\n"
    "point of a sweep), warnings or not; 1 a stage stopped the run (or a point);\n"
    "2 bad command line or case file; 3 arithmetic fault or I/O error; 4 a single\n"
    "run complete but, with limits or accepted warnings, not feasible (a limit\n"
    "fails or a warning not accepted stands; named on standard error); 130 a sweep\n"
    "interrupted (Ctrl+C), its CSV holding whole rows of the points done. With\n"
    "--solve or --optimise: 0 a design found; 1 none in the bounds (the reason\n"
    "follows); 130 interrupted. With --front: 0 the front written; 1 no feasible\n"
    "design in the bounds; 130 interrupted, nothing written. With --scale-to: 0\n"
    "the table written; 1 no feasible Kept design (the table of the rules is\n"
    "written); 130 interrupted, nothing written.\n";

// The options as given, before they are read.
struct Given {
    std::optional<std::string> separator, units;
    std::vector<std::string> limits, accepted, texts;
};

// Whether an argument after --compare names a case file: not FIELD=TEXT
// unless what stands before its "=" is no field and the argument names a
// file there is ("a=b.vcase").
bool IsCompareFile(std::string_view argument) {
    const std::size_t equals = argument.find('=');
    if (equals == std::string_view::npos) return true;
    std::error_code error;
    return FindInputField(argument.substr(0, equals)) == nullptr &&
           std::filesystem::is_regular_file(std::filesystem::path(argument), error);
}

// Every option of a run, a sweep, a comparison and a search, with its text
// for --help; each taken once unless it says it may be repeated.
void Declare(CLI::App& app, Options& options, Given& given) {
    app.set_help_flag();
    app.allow_extras();
    app.get_formatter()->column_width(27);
    const auto file = [&](const char* name, std::optional<std::string>& to, const char* type, const char* text) {
        return app.add_option(name, to, text)->type_name(type);
    };
    const auto each = [&](const char* name, std::vector<std::string>& to, const char* type, const char* text) {
        return app.add_option(name, to, text)->type_name(type)->allow_extra_args(false)->take_all();
    };
    file("-o", options.resultFileName, "FILE",
         "save-file name (default result.txt); a sweep writes a report per\n"
         "point only when FILE holds {n}, which becomes the point's number");
    file("--decimal-separator", given.separator, "C",
         "decimal separator of inputs and report (default: the locale's, LC_NUMERIC)");
    file("--case", options.caseFile, "FILE",
         "box texts from FILE, one FIELD = TEXT a line (# starts a comment);\n"
         "FIELD=TEXT arguments override");
    file("--material", options.material, "NAME",
         "the material values of the library's grade NAME (its name or file\n"
         "name) in the boxes: the six coefficients and the thermal values it\n"
         "gives, over --case and before FIELD=TEXT; --list-materials lists them");
    file("--write-case", options.writeCaseFile, "FILE", "write the 28 texts of the case to FILE, then run it");
    file("--profile", options.profileFile, "FILE",
         "CSV of the flow fraction and the pressures along the channels, z\n"
         "from 0 to 1 in 100 steps (single run)");
    file("--plot", options.plotFile, "FILE.svg",
         "SVG chart: the profile of a single run, or the pressure drop, power\n"
         "and temperature rise of a sweep");
    file("--html", options.htmlFile, "FILE",
         "the report to hand on as one HTML page: inputs, results, indicators,\n"
         "limits with their margins and whether feasible, warnings and the\n"
         "chart; with --sweep, the study's chart and table; with --front, the\n"
         "knee design's report carrying the front");
    each("--sweep", options.sweeps, "FIELD=FROM:TO:STEP",
         "one calculation per value FROM, FROM+STEP, ... up to TO; given\n"
         "twice, the full grid of both fields");
    file("--csv", options.csvFile, "FILE",
         "the CSV to FILE (default standard output with --sweep): a row per\n"
         "point, or one for a single run");
    file("--units", given.units, "metric|si|us",
         "units of the CSV, --profile, --html and --compare values (default\n"
         "metric, the report's); in si or us a unit follows its column's name");
    each("--limit", given.limits, "'QUANTITY<=VALUE'",
         "a limit the design must meet (or >=), added to those of --case:\n"
         "QUANTITY a numeric column of the CSV without its unit\n"
         "(TemperatureRise, Barrier1ShearStress), VALUE in its technical\n"
         "metric unit; the CSV gains Feasible and a margin per limit");
    each("--accept-warning", given.accepted, "KIND",
         "count a design as feasible even when its run warns of KIND:\n"
         "sound-range, unmelted-feed, negative-pressure, negative-power or\n"
         "fitted-range. Otherwise a design is feasible only when its run is\n"
         "complete, raises no warning and meets every limit");
    app.add_option("--compare", options.compareFiles,
                   "run each case (without a report; FIELD=TEXT applies to every one)\n"
                   "and print them side by side: every value, and against the first\n"
                   "case the difference and percentage, each case's limits; --csv,\n"
                   "--html and --plot write it to files")
        ->type_name("A.vcase B.vcase");
    file("--solve", options.solve, "FIELD=LOW:HIGH",
         "goal seek, with --target QUANTITY=VALUE: the text of FIELD within\n"
         "LOW:HIGH at which QUANTITY reaches VALUE; prints the text, the\n"
         "residual and the runs; --write-case saves the design");
    file("--target", options.target, "QUANTITY=VALUE", "the quantity and value --solve seeks");
    file("--optimise,--optimize", options.optimise, "'minimise QUANTITY'",
         "with --vary: the design within the bounds (up to six inputs) with\n"
         "the least (or, with maximise, the greatest) QUANTITY that meets\n"
         "every --limit and the case's limits; --write-case saves it");
    each("--front", options.fronts, "'minimise QUANTITY'",
         "given two or three times, with --vary: the Pareto front of the\n"
         "objectives within the bounds, meeting every --limit and the case's\n"
         "limits, as CSV (to --csv FILE or standard output): a row per design\n"
         "along the front, its columns as a sweep's, Feasible and Knee (the\n"
         "balanced design); --plot draws the front");
    each("--vary", options.varied, "FIELD=LOW:HIGH",
         "an input --optimise, --front or --scale-to varies within LOW:HIGH;\n"
         "repeated for each");
    file("--scale-to", options.scaleTo, "BarrelDiameter=NEW",
         "with --output: the case carried to the barrel diameter NEW (cm) by\n"
         "geometric similarity, each classic rule setting the speed (constant\n"
         "speed, peripheral speed, shear rate, residence time, specific\n"
         "energy) and a Kept design at RATE holding --keep's columns; prints\n"
         "the table (--csv FILE: as CSV); --write-case saves the Kept design");
    file("--output", options.output, "RATE", "the output (kg/hr) of --scale-to's Kept design");
    each("--keep", options.keep, "COLUMN",
         "a column --scale-to holds at the reference's value by least squares\n"
         "over --vary's inputs (default: ScrewSpeed, ChannelDepth and the\n"
         "barrier clearances around their similar values); repeated for each");
    each("--watch", options.watch, "COLUMN",
         "a column --scale-to shows with its deviation (default\n"
         "Barrier1ShearStress, TemperatureRise, ResidenceTime, SpecificEnergy,\n"
         "TotalPressureDrop)");
    app.add_flag("-h,--help", options.help, "this text and the list of fields");
    app.add_option("FIELD=TEXT", given.texts,
                   "the text of one input box; FIELD is a field name (OutputRate,\n"
                   "ChannelAngle, A12, ...) or a box name (Edit1 ... Edit28). Other\n"
                   "boxes keep their defaults. TEXT may end in a unit of the field's\n"
                   "quantity (OutputRate=\"350 lb/hr\"); the run reads the number\n"
                   "converted to the field's own unit")
        ->type_name("");
    // What goes only together, or only apart.
    const auto option = [&app](const char* name) { return app.get_option(name); };
    for (const char* name :
         {"--sweep", "--case", "--material", "--write-case", "-o", "--profile", "--solve", "--optimise", "--front"})
        option("--compare")->excludes(option(name));
    for (const char* name : {"--sweep", "--profile", "-o", "--write-case", "--solve", "--optimise"})
        option("--front")->excludes(option(name));
    for (const char* mode : {"--solve", "--optimise"})
        for (const char* name : {"--sweep", "--csv", "--profile", "--plot", "--html", "-o"})
            option(mode)->excludes(option(name));
    option("--solve")->excludes(option("--optimise"))->needs(option("--target"));
    option("--target")->needs(option("--solve"));
    option("--optimise")->needs(option("--vary"));
    option("--front")->needs(option("--vary"));
    option("--sweep")->excludes(option("--profile"));
    for (const char* name : {"--compare", "--sweep", "--profile", "--plot", "--html", "-o", "--solve", "--optimise",
                             "--front"})
        option("--scale-to")->excludes(option(name));
    option("--scale-to")->needs(option("--output"));
    for (const char* name : {"--output", "--keep", "--watch"}) option(name)->needs(option("--scale-to"));
}

char SeparatorOf(std::string_view text) {
    if (text.size() != 1 || !IsUsableDecimalSeparator(text[0]))
        throw UsageError("the decimal separator must be one character, not a digit, sign or E");
    return text[0];
}

UnitSystem UnitSystemOf(std::string_view name) {
    if (const std::optional<UnitSystem> system = UnitSystemNamed(name)) return *system;
    throw UsageError("--units " + Excerpt(name) + ": the systems are metric, si and us");
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

// The options given as they are read, in the order given.
void Read(Options& options, const Given& given) {
    if (given.separator) options.decimalSeparator = SeparatorOf(*given.separator);
    if (given.units) options.units = UnitSystemOf(*given.units);
    options.unitsGiven = given.units.has_value();
    for (const std::string& limit : given.limits) options.limits.push_back(ParseLimitArgument(limit));
    for (const std::string& kind : given.accepted)
        options.acceptedWarnings.Add(Refused("--accept-warning", [&kind] { return ParseWarningKind(kind); }));
#ifndef VORTANE_DESIGN
    for (const auto& [option, asked] : {std::pair{"--solve", options.solve.has_value()},
                                        {"--target", options.target.has_value()},
                                        {"--optimise", options.optimise.has_value()},
                                        {"--vary", !options.varied.empty()},
                                        {"--front", !options.fronts.empty()},
                                        {"--scale-to", options.scaleTo.has_value()}})
        if (asked) throw UsageError(std::string(option) + ": this build has no goal seek or optimisation");
#endif
    // The case files of --compare end at the first FIELD=TEXT; what follows is taken as such.
    const auto files = std::find_if_not(options.compareFiles.begin(), options.compareFiles.end(), IsCompareFile);
    std::vector<std::string> texts = given.texts;
    texts.insert(texts.end(), files, options.compareFiles.end());
    options.compareFiles.erase(files, options.compareFiles.end());
    for (const std::string& argument : texts) {
        const std::size_t equals = argument.find('=');
        if (equals == std::string::npos) throw MalformedCommandLine("unexpected argument " + argument);
        options.boxTexts.push_back({&InputFieldNamed(argument.substr(0, equals)), argument.substr(equals + 1)});
    }
}

// What CLI11 cannot say of the options: counts, names and what they apply to.
void CheckCombination(const Options& options, bool compare) {
    const bool sweep = !options.sweeps.empty();
    if (compare && options.compareFiles.empty()) throw MalformedCommandLine("--compare needs case files");
    if (compare && options.compareFiles.size() < 2) throw UsageError("--compare needs two case files or more");
    if (options.plotFile && !IsSvgName(*options.plotFile)) throw UsageError(NotSvg(*options.plotFile));
    if (!options.varied.empty() && !options.optimise && options.fronts.empty() && !options.scaleTo)
        throw UsageError("--vary needs --optimise, --front or --scale-to");
    if (options.fronts.size() == 1 || options.fronts.size() > 3)
        throw UsageError("--front is given two or three times, once per objective, not " +
                         std::to_string(options.fronts.size()));
    if (sweep && options.resultFileName && options.resultFileName->find("{n}") == std::string::npos)
        throw UsageError("with --sweep, -o needs {n} in the name, one report per point");
    if (!sweep && options.resultFileName) CheckResultFileName(*options.resultFileName);
    // --units sets the units of the tables and pages written: with none of them it would change nothing.
    if (options.unitsGiven && !sweep && !compare && options.fronts.empty() && !options.csvFile &&
        !options.profileFile && !options.htmlFile)
        throw UsageError("--units sets the units of --csv, --profile, --html and a sweep's or comparison's table; "
                         "this command line writes none of them");
}

}  // namespace

std::vector<std::string> ParseWith(CLI::App& app, const std::vector<std::string_view>& arguments) {
    std::vector<std::string> reversed(arguments.rbegin(), arguments.rend());
    try {
        app.parse(reversed);
    } catch (const CLI::ArgumentMismatch& error) {
        const std::string text = error.what();
        throw MalformedCommandLine(text.substr(0, text.find(':')) + " needs a value");
    } catch (const CLI::ParseError& error) {  // options that go only together, or only apart, are known
        if (dynamic_cast<const CLI::ExcludesError*>(&error) || dynamic_cast<const CLI::RequiresError*>(&error))
            throw UsageError(error.what());
        throw MalformedCommandLine(error.what());
    }
    return app.remaining();
}

std::string HelpText() {
    CLI::App app("Runs one calculation of the mixing section, as one press of OK in the window,\n"
                 "and writes its report; or, with --sweep, one calculation per grid point.",
                 "vortane-calc");
    Options options;
    Given given;
    Declare(app, options, given);
    return app.help() + "\nFields, in box order (FIELD=TEXT), with their units and default texts:\n" +
           FieldTableText() + '\n' + std::string(ExitText);
}

std::string NotSvg(std::string_view name) {
    return "--plot " + std::string(name) + ": the chart is SVG; name a file ending in .svg";
}

SweepAxis ParseSweepArgument(std::string_view argument, char decimalSeparator) {
    return Refused("--sweep " + std::string(argument), [&] { return ParseSweepAxis(argument, decimalSeparator); });
}

SweepPlan SweepPlanOf(InputTexts base, const std::vector<std::string>& arguments, char decimalSeparator,
                      std::optional<std::string> reportPattern) {
    std::vector<SweepAxis> axes;
    axes.reserve(arguments.size());
    for (const std::string& argument : arguments) axes.push_back(ParseSweepArgument(argument, decimalSeparator));
    return MakeSweepPlan(std::move(base), std::move(axes), decimalSeparator, std::move(reportPattern));
}

Options ParseCommandLine(const std::vector<std::string_view>& arguments) {
    Options options;
    Given given;
    CLI::App app;
    Declare(app, options, given);
    if (std::any_of(arguments.begin(), arguments.end(), [](std::string_view a) { return a == "-h" || a == "--help"; })) {
        options.help = true;
        return options;
    }
    if (const std::vector<std::string> extra = ParseWith(app, arguments); !extra.empty())
        throw MalformedCommandLine("unexpected argument " + extra.front());
    Read(options, given);
    CheckCombination(options, app.count("--compare") > 0);
    return options;
}

}  // namespace vortane::cli
