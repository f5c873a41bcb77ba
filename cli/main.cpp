#include <iostream>

#include "cli/command_line.h"
#include "run/calculation_run.h"

namespace {

using namespace vortane;

// The command line's host: box texts from the arguments, messages to standard
// error, one line each.
class TerminalHost final : public RunHost {
public:
    TerminalHost(InputTexts texts, std::string fileName, char separator)
        : texts_(std::move(texts)), fileName_(std::move(fileName)), separator_(separator) {}

    std::string BoxText(int box) const override { return texts_[box - 1]; }
    std::string ResultFileText() const override { return fileName_; }
    char DecimalSeparator() const override { return separator_; }
    void ShowMessage(std::string_view text) override { std::cerr << text << '\n'; }
    void ShowFault(std::string_view text) override { std::cerr << text << '\n'; }
    void RunCompleted() override {}

private:
    InputTexts texts_;
    std::string fileName_;
    char separator_;
};

enum ExitStatus { Complete = 0, Stopped = 1, Usage = 2, Fault = 3 };

int ExitStatusOf(RunOutcome outcome) {
    switch (outcome) {
        case RunOutcome::Complete: return Complete;
        case RunOutcome::Fault: return Fault;
        default: return Stopped;
    }
}

}  // namespace

int main(int argc, char** argv) {
    cli::Options options;
    try {
        options = cli::ParseCommandLine({argv + 1, argv + argc});
    } catch (const cli::UsageError& error) {
        std::cerr << "vortane-calc: " << error.what() << "\n\n" << cli::UsageText;
        return Usage;
    }
    if (options.help) {
        std::cout << cli::UsageText;
        return Complete;
    }
    const char separator = options.decimalSeparator.value_or(cli::LocaleDecimalSeparator());
    InputTexts texts = DefaultTexts(separator);
    for (const auto& [field, text] : options.boxTexts) texts[field->box - 1] = text;

    TerminalHost host(std::move(texts), options.resultFileName, separator);
    return ExitStatusOf(RunCalculation(host).outcome);
}
