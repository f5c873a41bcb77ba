#include "cli/command_line.h"

#include <clocale>
#include <cstring>

#include "run/input_reading.h"

namespace vortane::cli {

const std::string_view UsageText =
    "usage: vortane-calc [-o FILE] [--decimal-separator C] [FIELD=TEXT ...]\n"
    "\n"
    "Runs one calculation of the mixing section, as one press of OK in the window,\n"
    "and writes its report.\n"
    "\n"
    "  -o FILE                  save-file name (default result.txt)\n"
    "  --decimal-separator C    decimal separator of inputs and report\n"
    "                           (default: the locale's, LC_NUMERIC)\n"
    "  FIELD=TEXT               the text of one input box; FIELD is a field name\n"
    "                           (OutputRate, ChannelAngle, A12, ...) or a box name\n"
    "                           (Edit1 ... Edit28). Other boxes keep their defaults.\n"
    "  --help                   this text\n"
    "\n"
    "Messages go to standard error. Exit status: 0 complete report; 1 a stage\n"
    "stopped the run; 2 bad command line; 3 arithmetic fault or I/O error.\n";

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

}  // namespace

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
        } else if (const std::size_t equals = argument.find('='); equals != std::string_view::npos) {
            const std::string_view name = argument.substr(0, equals);
            const InputField* field = FindInputField(name);
            if (field == nullptr) throw UsageError("unknown field " + std::string(name));
            options.boxTexts.emplace_back(field, argument.substr(equals + 1));
        } else {
            throw UsageError("unexpected argument " + std::string(argument));
        }
    }
    return options;
}

}  // namespace vortane::cli
