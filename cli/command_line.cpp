#include "cli/command_line.h"

#include <clocale>
#include <cstring>

#include "case/number_text.h"

namespace vortane::cli {

const std::string_view UsageText =
    "usage: vortane-calc [OPTION ...] [FIELD=TEXT ...]\n"
    "       vortane-calc --sweep FIELD=FROM:TO:STEP [--sweep ...] [OPTION ...]\n"
    "                    [FIELD=TEXT ...]\n"
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
    "  --sweep FIELD=FROM:TO:STEP\n"
    "                           one calculation per value FROM, FROM+STEP, ... up to\n"
    "                           TO; given twice, the full grid of both fields\n"
    "  --csv FILE               the sweep's CSV to FILE (default standard output)\n"
    "  FIELD=TEXT               the text of one input box; FIELD is a field name\n"
    "                           (OutputRate, ChannelAngle, A12, ...) or a box name\n"
    "                           (Edit1 ... Edit28). Other boxes keep their defaults.\n"
    "  --help                   this text\n"
    "\n"
    "Messages go to standard error (a sweep puts them in its CSV). Exit status:\n"
    "0 complete (every point of a sweep); 1 a stage stopped the run (or a point);\n"
    "2 bad command line or case file; 3 arithmetic fault or I/O error; 130 a sweep\n"
    "interrupted (Ctrl+C), its CSV holding whole rows of the points done.\n";

char LocaleDecimalSeparator() {
    std::setlocale(LC_NUMERIC, "");
    const char* point = std::localeconv()->decimal_point;
    const char separator = std::strlen(point) == 1 && IsUsableDecimalSeparator(point[0]) ? point[0] : '.';
    std::setlocale(LC_NUMERIC, "C");
    return separator;
}

namespace {

std::string_view ValueOf(const std::vector<std::string_view>& arguments, std::size_t& i) {
    if (i + 1 >= arguments.size()) throw UsageError(std::string(arguments[i]) + " needs a value");
    return arguments[++i];
}

char SeparatorOf(std::string_view text) {
    if (text.size() != 1 || !IsUsableDecimalSeparator(text[0]))
        throw UsageError("the decimal separator must be one character, not a digit, sign or E");
    return text[0];
}

// Options that make sense only together, or only apart.
void CheckCombination(const Options& options) {
    const bool sweep = !options.sweeps.empty();
    if (options.sweeps.size() > SweepAxisLimit) throw UsageError("at most two --sweep options");
    if (sweep && options.profileFile) throw UsageError("--profile is for a single run, not a sweep");
    if (!sweep && options.csvFile) throw UsageError("--csv needs --sweep");
    if (sweep && options.resultFileName &&
        options.resultFileName->find("{n}") == std::string::npos)
        throw UsageError("with --sweep, -o needs {n} in the name, one report per point");
}

}  // namespace

SweepAxis ParseSweepArgument(std::string_view argument, char decimalSeparator) {
    try {
        return ParseSweepAxis(argument, decimalSeparator);
    } catch (const SweepError& error) {
        throw UsageError("--sweep " + std::string(argument) + ": " + error.what());
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
            options.resultFileName = ValueOf(arguments, i);
        } else if (argument == "--decimal-separator") {
            options.decimalSeparator = SeparatorOf(ValueOf(arguments, i));
        } else if (argument == "--case") {
            options.caseFile = ValueOf(arguments, i);
        } else if (argument == "--write-case") {
            options.writeCaseFile = ValueOf(arguments, i);
        } else if (argument == "--sweep") {
            options.sweeps.emplace_back(ValueOf(arguments, i));
        } else if (argument == "--csv") {
            options.csvFile = ValueOf(arguments, i);
        } else if (argument == "--profile") {
            options.profileFile = ValueOf(arguments, i);
        } else if (argument == "--plot") {
            options.plotFile = ValueOf(arguments, i);
        } else if (const std::size_t equals = argument.find('='); equals != std::string_view::npos) {
            const std::string_view name = argument.substr(0, equals);
            const InputField* field = FindInputField(name);
            if (field == nullptr) throw UsageError("unknown field " + std::string(name));
            options.boxTexts.emplace_back(field, argument.substr(equals + 1));
        } else {
            throw UsageError("unexpected argument " + std::string(argument));
        }
    }
    CheckCombination(options);
    return options;
}

}  // namespace vortane::cli
