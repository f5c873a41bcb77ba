#include "cli/design_command.h"

#include <ostream>
#include <stop_token>

#include "cli/exit_status.h"
#include "cli/interrupt.h"
#include "cli/output_file.h"
#include "cli/terminal_progress.h"
#include "design/design_notation.h"
#include "design/design_point.h"
#include "design/end_text.h"
#include "design/goal_seek.h"
#include "design/optimisation.h"
#include "result/limit_check.h"

namespace vortane::cli {

namespace {

void WriteDesign(const Options& options, InputTexts texts, std::span<const InputField* const> fields,
                 std::span<const std::string> found, const CaseExtras& extras, char separator) {
    if (!options.writeCaseFile) return;
    for (std::size_t i = 0; i < fields.size(); ++i) texts[fields[i]->box - 1] = found[i];
    OutputFile file(*options.writeCaseFile);
    file.Write(CaseFileText(texts, extras, separator));
    file.Close();
}

// The found design's warnings, each a line on `err`, after the acceptance
// they stand by.
void ShowWarnings(const RunResult& run, WarningKinds accepted, std::ostream& err) {
    for (const std::string& line : FoundWarningLines(run, accepted)) err << "vortane-calc: " << line << '\n';
}

int Solve(const Options& options, const InputTexts& texts, const CaseExtras& extras, char separator,
          std::ostream& out, std::ostream& err) {
    const VariedInput input = Refused("--solve", [&] { return ParseVariedInput(*options.solve, separator); });
    const Target target = Refused("--target", [&] { return ParseTarget(*options.target); });
    GoalSeekRequest request;
    request.base = {texts, {}, separator, ReportTarget::None, extras.viscosityRanges};
    request.field = input.field;
    request.low = input.low;
    request.high = input.high;
    request.quantity = target.quantity;
    request.target = target.value;
    request.acceptedWarnings = extras.acceptedWarnings;
    const StopOnInterrupt interrupt;
    GoalSeekResult result;
    {
        TerminalProgress progress(err);
        result = GoalSeek(request, interrupt.Flag(), [&progress, made = std::size_t{0}](const Evaluation&) mutable {
            progress.Runs(++made);
        });
    }
    const std::string runs = "runs: " + std::to_string(result.history.size()) + '\n';
    if (result.end == GoalSeekEnd::Cancelled) {
        err << "vortane-calc: interrupted after " << result.history.size() << " runs\n";
        return Interrupted;
    }
    if (result.end != GoalSeekEnd::Found) {
        err << "vortane-calc: no solution in " << *options.solve << ": " << result.reason << '\n' << runs;
        return Stopped;
    }
    out << GoalSeekFoundText(request, result);
    ShowWarnings(result.run, request.acceptedWarnings, err);
    const InputField* fields[] = {input.field};
    WriteDesign(options, texts, fields, {&result.text, 1}, extras, separator);
    return Complete;
}

int Optimise(const Options& options, const InputTexts& texts, const CaseExtras& extras, char separator,
             std::ostream& out, std::ostream& err) {
    const Objective objective = Refused("--optimise", [&] { return ParseObjective(*options.optimise); });
    OptimisationRequest request;
    request.base = {texts, {}, separator, ReportTarget::None, extras.viscosityRanges};
    for (const std::string& varied : options.varied)
        request.inputs.push_back(Refused("--vary", [&] { return ParseVariedInput(varied, separator); }));
    request.objective = objective.quantity;
    request.maximise = objective.maximise;
    request.limits = extras.limits;
    request.acceptedWarnings = extras.acceptedWarnings;
    const StopOnInterrupt interrupt;
    OptimisationResult result;
    {
        // Runs report one at a time, from the thread that made them.
        TerminalProgress progress(err);
        std::size_t made = 0;
        result = Refused("--optimise", [&] {
            return vortane::Optimise(request, interrupt.Flag(), [&](const Evaluation&) { progress.Runs(++made); });
        });
    }
    const std::string runs = "runs: " + std::to_string(result.history.size()) + '\n';
    if (result.end == OptimisationEnd::Cancelled) {
        err << "vortane-calc: interrupted after " << result.history.size() << " runs\n";
        return Interrupted;
    }
    if (!result.found) {
        err << "vortane-calc: no feasible design in the bounds: " << result.reason << '\n' << runs;
        return Stopped;
    }
    out << OptimisationFoundText(request, result);
    std::vector<const InputField*> fields;
    for (const VariedInput& input : request.inputs) fields.push_back(input.field);
    ShowWarnings(result.run, request.acceptedWarnings, err);
    WriteDesign(options, texts, fields, result.inputTexts, extras, separator);
    return Complete;
}

}  // namespace

int DesignCommand(const Options& options, const InputTexts& texts, const CaseExtras& extras, char separator,
                  std::ostream& out, std::ostream& err) {
    if (options.solve) return Solve(options, texts, extras, separator, out, err);
    return Optimise(options, texts, extras, separator, out, err);
}

}  // namespace vortane::cli
