#include <iostream>
#include <thread>

#include "cli/case_file.h"
#include "cli/command_line.h"
#include "cli/output_file.h"
#include "cli/study_csv.h"
#include "cli/study_plots.h"
#include "cli/sweep.h"
#include "cli/terminal_host.h"
#include "model/arithmetic.h"
#include "model/profile_along_channels.h"
#include "run/calculation_run.h"

namespace {

using namespace vortane;

enum ExitStatus { Complete = 0, Stopped = 1, Usage = 2, Fault = 3 };

int ExitStatusOf(RunOutcome outcome) {
    switch (outcome) {
        case RunOutcome::Complete: return Complete;
        case RunOutcome::Fault: return Fault;
        default: return Stopped;
    }
}

void WriteFile(const std::string& path, std::string_view content) {
    cli::OutputFile file(path);
    file.Write(content);
    file.Close();
}

// The box texts: defaults, then the case file, then FIELD=TEXT arguments.
InputTexts CaseTexts(const cli::Options& options, char separator) {
    InputTexts texts = DefaultTexts(separator);
    if (options.caseFile) {
        for (const cli::CaseEntry& entry : cli::ReadCaseFile(*options.caseFile))
            texts[entry.field->box - 1] = entry.text;
    }
    for (const auto& [field, text] : options.boxTexts) texts[field->box - 1] = text;
    return texts;
}

int SingleRun(const cli::Options& options, InputTexts texts, char separator) {
    cli::TerminalHost host(std::move(texts), options.resultFileName.value_or("result.txt"), separator);
    const RunResult result = RunCalculation(host);
    if (!options.profileFile && !options.plotFile) return ExitStatusOf(result.outcome);
    if (result.outcome != RunOutcome::Complete) {
        std::cerr << "vortane-calc: no profile: the run did not complete\n";
        return ExitStatusOf(result.outcome);
    }
    ClearArithmeticFaults();  // faults of the profile's own arithmetic only
    const std::vector<ChannelPoint> profile = ProfileAlongChannels(result.data, 100);
    if (options.profileFile) WriteFile(*options.profileFile, cli::ProfileCsv(profile));
    if (options.plotFile) WriteFile(*options.plotFile, cli::RenderSvg(cli::ProfileChart(profile)));
    return Complete;
}

int Sweep(const cli::Options& options, InputTexts texts, char separator) {
    const cli::SweepPlan plan =
        cli::MakeSweepPlan(std::move(texts), options.sweeps, separator, options.resultFileName);
    cli::OutputFile csv =
        options.csvFile ? cli::OutputFile(*options.csvFile) : cli::OutputFile::StandardOutput();
    cli::SweepChartData chart(plan);
    int status = Complete;
    csv.Write(cli::SweepHeader(plan));
    cli::RunSweep(plan, std::max(std::thread::hardware_concurrency(), 1u),
                  [&](const cli::PointResult& point) {
                      csv.Write(cli::SweepRow(plan, point));
                      chart.Add(point);
                      status = std::max(status, ExitStatusOf(point.run.outcome));
                  });
    csv.Close();
    if (options.plotFile) WriteFile(*options.plotFile, cli::RenderSvg(chart.Build()));
    return status;
}

int Run(const cli::Options& options) {
    const char separator = options.decimalSeparator.value_or(cli::LocaleDecimalSeparator());
    InputTexts texts = CaseTexts(options, separator);
    if (options.writeCaseFile) cli::WriteCaseFile(*options.writeCaseFile, texts);
    return options.sweeps.empty() ? SingleRun(options, std::move(texts), separator)
                                  : Sweep(options, std::move(texts), separator);
}

}  // namespace

int main(int argc, char** argv) {
    try {
        const cli::Options options = cli::ParseCommandLine({argv + 1, argv + argc});
        if (options.help) {
            std::cout << cli::UsageText;
            return Complete;
        }
        return Run(options);
    } catch (const cli::UsageError& error) {
        std::cerr << "vortane-calc: " << error.what() << "\n\n" << cli::UsageText;
        return Usage;
    } catch (const cli::OutputError& error) {
        std::cerr << "vortane-calc: " << error.what() << '\n';
        return Fault;
    } catch (const ArithmeticFault& error) {
        std::cerr << "vortane-calc: " << error.what() << '\n';
        return Fault;
    }
}
