#include "cli/design_command.h"

#include <ostream>

#include "case/number_text.h"
#include "cli/exit_status.h"
#include "cli/interrupt.h"
#include "cli/terminal_progress.h"
#include "case/file_write.h"
#include "design/design_notation.h"
#include "design/end_text.h"
#include "design/front_chart.h"
#include "design/goal_seek.h"
#include "design/optimisation.h"
#include "design/pareto_front.h"
#include "design/scale_up.h"
#include "document/svg_chart.h"
#include "design_document/front_document.h"
#include "design_document/front_table.h"
#include "design_document/scale_up_table.h"
#include "document/html_document.h"
#include "study/design_rows.h"
#include "result/limit_check.h"

namespace vortane::cli {

namespace {

// How a search ended, as both searches tell it.
struct SearchEnd {
    bool cancelled = false;
    bool found = false;
    std::string foundText;       // the design found, a line each
    std::string notFound;        // "no solution in …: " and why
    const RunResult* run = nullptr;
    InputTexts texts;            // the design's boxes
    std::size_t runs = 0;
};

// The search `search(cancel, progress)` under Ctrl+C, counting its runs on the terminal.
template <class Search>
auto Searched(Search search, std::ostream& err) {
    const StopOnInterrupt interrupt;
    TerminalProgress progress(err);
    std::size_t made = 0;
    return search(interrupt.Flag(), [&](const Evaluation&) { progress.Runs(++made); });
}

// The design found on `out`, its warnings on `err` and the case in --write-case's file; or why none was.
int Shown(const SearchEnd& end, const Options& options, const CaseExtras& extras, char separator,
          std::ostream& out, std::ostream& err) {
    if (end.cancelled) {
        err << "vortane-calc: interrupted after " << end.runs << " runs\n";
        return Interrupted;
    }
    if (!end.found) {
        err << "vortane-calc: " << end.notFound << "\nruns: " << end.runs << '\n';
        return Stopped;
    }
    out << end.foundText;
    for (const std::string& line : FoundWarningLines(*end.run, extras.acceptedWarnings))
        err << "vortane-calc: " << line << '\n';
    if (options.writeCaseFile) WriteWholeFile(*options.writeCaseFile, CaseFileText(end.texts, extras, separator));
    return Complete;
}

int Solve(const Options& options, InputTexts texts, const CaseExtras& extras, char separator,
          std::ostream& out, std::ostream& err) {
    const VariedInput input = Refused("--solve", [&] { return ParseVariedInput(*options.solve, separator); });
    const Target target = Refused("--target", [&] { return ParseTarget(*options.target); });
    const GoalSeekRequest request = GoalSeekRequestOf({texts, {}, separator, ReportTarget::None, extras.viscosityRanges},
                                                      input, target, extras.acceptedWarnings);
    const GoalSeekResult result =
        Searched([&](auto cancel, auto progress) { return GoalSeek(request, cancel, progress); }, err);
    const bool found = result.end == GoalSeekEnd::Found;
    texts[input.field->box - 1] = result.text;
    return Shown({result.end == GoalSeekEnd::Cancelled, found, found ? GoalSeekFoundText(request, result) : "",
                  GoalSeekNotFoundText(*options.solve, result),
                  &result.run, texts, result.history.size()},
                 options, extras, separator, out, err);
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
    const OptimisationResult result = Refused("--optimise", [&] {
        return Searched([&](auto cancel, auto progress) { return vortane::Optimise(request, cancel, progress); },
                        err);
    });
    return Shown({result.end == OptimisationEnd::Cancelled, result.found,
                  result.found ? OptimisationFoundText(request, result) : "",
                  OptimisationNotFoundText(result), &result.run, result.texts,
                  result.history.size()},
                 options, extras, separator, out, err);
}

// The front as CSV on standard output or in --csv's file, its chart in
// --plot's; on `err` how many designs it holds, the knee and the runs made.
int Front(const Options& options, const InputTexts& texts, const CaseExtras& extras, char separator,
          const DocumentSource& source, std::ostream& err) {
    FrontRequest request;
    request.base = {texts, {}, separator, ReportTarget::None, extras.viscosityRanges};
    for (const std::string& objective : options.fronts)
        request.objectives.push_back(Refused("--front", [&] { return ParseObjective(objective); }));
    for (const std::string& varied : options.varied)
        request.inputs.push_back(Refused("--vary", [&] { return ParseVariedInput(varied, separator); }));
    request.limits = extras.limits;
    request.acceptedWarnings = extras.acceptedWarnings;
    const FrontResult front = Refused("--front", [&] {
        return Searched([&](auto cancel, auto progress) { return ParetoFront(request, cancel, progress); }, err);
    });
    if (front.end == FrontEnd::Cancelled) {
        err << "vortane-calc: interrupted after " << front.runs << " runs\n";
        return Interrupted;
    }
    if (front.designs.empty()) {
        err << "vortane-calc: no feasible design in the bounds: " << front.reason << "\nruns: " << front.runs << '\n';
        return Stopped;
    }
    const std::string csv = DesignTableCsv(FrontTable(request, front, separator), options.units);
    if (options.csvFile)
        WriteWholeFile(*options.csvFile, csv);
    else
        WriteStandardOutput(csv);
    if (options.plotFile) WriteWholeFile(*options.plotFile, SvgDocument(FrontCharts(front, request.objectives)));
    if (options.htmlFile && front.knee) {
        const FrontDesign& knee = front.designs[*front.knee];
        ReportDocument document = RunDocument(knee.run, knee.texts, extras.viscosityRanges, source, separator,
                                              options.units, {extras.limits, extras.acceptedWarnings});
        AppendFront(document, request, front, front.knee, separator, options.units);
        WriteWholeFile(*options.htmlFile, HtmlDocument(document));
    }
    err << "vortane-calc: " << front.designs.size() << " designs on the front";
    if (front.knee) err << ", the knee at Point " << *front.knee + 1;
    err << "\nruns: " << front.runs << '\n';
    return Complete;
}

// The table on standard output, or as CSV in --csv's file with the verdict on
// `err`; the Kept design in --write-case's file.
int ScaleUp(const Options& options, const InputTexts& texts, const CaseExtras& extras, char separator,
            std::ostream& err) {
    ScaleUpRequest request;
    request.base = {texts, {}, separator, ReportTarget::None, extras.viscosityRanges};
    request.barrelDiameter = Refused("--scale-to", [&] { return ParseScaleTo(*options.scaleTo, separator); });
    request.outputRate = Refused("--output", [&] { return ParseScaleOutput(*options.output, separator); });
    request.keep = options.keep;
    request.watch = options.watch;
    for (const std::string& varied : options.varied)
        request.inputs.push_back(Refused("--vary", [&] { return ParseVariedInput(varied, separator); }));
    request.limits = extras.limits;
    request.acceptedWarnings = extras.acceptedWarnings;
    const ScaleUpResult result = Refused("--scale-to", [&] {
        return Searched([&](auto cancel, auto progress) { return vortane::ScaleUp(request, cancel, progress); }, err);
    });
    if (result.end == OptimisationEnd::Cancelled) {
        err << "vortane-calc: interrupted after " << result.runs << " runs\n";
        return Interrupted;
    }
    if (options.csvFile) {
        WriteWholeFile(*options.csvFile, CaseTableCsv(ScaleUpTable(result, separator), options.units));
        if (!result.verdict.empty()) err << "vortane-calc: " << result.verdict << '\n';
        err << "runs: " << result.runs << '\n';
    } else {
        WriteStandardOutput(ScaleUpTableText(result));
    }
    const ScaleUpRow* kept = ScaleUpRowNamed(result, KeptRowName);
    if (kept == nullptr) return Stopped;
    for (const std::string& line : FoundWarningLines(kept->run, extras.acceptedWarnings))
        err << "vortane-calc: " << line << '\n';
    if (options.writeCaseFile) WriteWholeFile(*options.writeCaseFile, CaseFileText(kept->texts, extras, separator));
    return Complete;
}

}  // namespace

int DesignCommand(const Options& options, const InputTexts& texts, const CaseExtras& extras, char separator,
                  const DocumentSource& source,
                  std::ostream& out, std::ostream& err) {
    if (options.solve) return Solve(options, texts, extras, separator, out, err);
    if (!options.fronts.empty()) return Front(options, texts, extras, separator, source, err);
    if (options.scaleTo) return ScaleUp(options, texts, extras, separator, err);
    return Optimise(options, texts, extras, separator, out, err);
}

}  // namespace vortane::cli
