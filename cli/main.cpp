#include <algorithm>
#include <functional>
#include <iostream>
#include <optional>
#include <span>

#include "case/file_write.h"
#include "case/number_text.h"
#include "cli/command_line.h"
#ifdef VORTANE_DESIGN
#include "cli/design_command.h"
#endif
#include "cli/exit_status.h"
#include "cli/fit_command.h"
#include "cli/interrupt.h"
#include "cli/material_command.h"
#include "cli/terminal_progress.h"
#include "comparison/comparison.h"
#include "comparison/comparison_chart.h"
#include "document/html_document.h"
#include "document/report_document.h"
#include "document/svg_chart.h"
#include "material/grade_apply.h"
#include "material/material_library.h"
#include "result/channel_profile.h"
#include "result/limit_check.h"
#include "result/profile_chart.h"
#include "study/study_csv.h"
#include "study/sweep_charts.h"
#include "study/sweep_curves.h"
#include "study/sweep_run.h"

namespace {

using namespace vortane;

using enum cli::ExitStatus;

int ExitStatusOf(RunOutcome outcome) {
    switch (outcome) {
        case RunOutcome::Complete: return Complete;
        case RunOutcome::Fault: return Fault;
        default: return Stopped;
    }
}

// What the run showed, one line each on standard error: its messages, its
// fault, the detail of why it stopped, then its warnings.
void ShowOnTerminal(const RunResult& result) {
    for (const std::string& message : result.messages) std::cerr << message << '\n';
    if (result.outcome == RunOutcome::Fault) std::cerr << result.fault << '\n';
    if (!result.detail.empty()) std::cerr << "vortane-calc: " << result.detail << '\n';
    for (const std::string& warning : result.warnings)
        std::cerr << "vortane-calc: warning: " << warning << '\n';
}

// Where the case came from, and the grade it names as the library holds it.
DocumentSource SourceOf(const cli::Options& options, const ComposedCase& given, const MaterialLibrary* library) {
    const std::string& material = given.extras.material;
    const Grade* grade = library != nullptr && !material.empty() ? library->FindOrNull(material) : nullptr;
    return {options.caseFile.value_or(""), LocalDateTime(), material, grade};
}

// After the run's own output, for a case with limits or accepted warnings: a
// complete run that is not feasible says why in one line, as the report's page
// does, and ends with LimitFails unless `status` says worse.
int JudgedByLimits(const RunResult& result, const CaseExtras& extras, int status) {
    const std::vector<Limit>& limits = extras.limits;
    const WarningKinds accepted = extras.acceptedWarnings;
    if ((limits.empty() && accepted.Empty()) || result.outcome != RunOutcome::Complete) return status;
    const std::vector<LimitMargin> margins = LimitMargins(limits, LimitColumns(limits), result);
    if (Feasible(result.outcome, result.warningKinds, accepted, margins)) return status;
    std::cerr << "vortane-calc: not feasible: "
              << InfeasibleText(result.warningKinds, accepted, limits, margins) << '\n';
    return status == Complete ? LimitFails : status;
}

// The files a single run writes beside its report; the status they leave.
int WriteRunFiles(const cli::Options& options, const ComposedCase& given, const RunResult& result,
                  char separator, const DocumentSource& source) {
    if (options.csvFile)
        WriteWholeFile(*options.csvFile,
                  SingleRunCsv(result, options.units, given.extras.limits, given.extras.acceptedWarnings));
    if (options.htmlFile)
        WriteWholeFile(*options.htmlFile,
                  HtmlDocument(RunDocument(result, given.texts, given.extras.viscosityRanges, source,
                                           separator, options.units,
                                           {given.extras.limits, given.extras.acceptedWarnings})));
    if (!options.profileFile && !options.plotFile) return ExitStatusOf(result.outcome);
    const ChannelProfile profile = ProfileOfRun(result, 100);
    if (!profile.fault.empty()) {  // a run that stopped keeps its status; a profile that faults is a fault
        std::cerr << "vortane-calc: no profile: " << profile.fault << '\n';
        return result.outcome == RunOutcome::Complete ? Fault : ExitStatusOf(result.outcome);
    }
    if (options.profileFile) WriteWholeFile(*options.profileFile, ProfileCsv(profile.points, options.units));
    if (options.plotFile)
        WriteWholeFile(*options.plotFile, SvgDocument(ProfileChart(profile.points)));
    return Complete;
}

int SingleRun(const cli::Options& options, const ComposedCase& given, char separator, const DocumentSource& source) {
    const RunResult result =
        RunCalculation({given.texts, options.resultFileName.value_or("result.txt"), separator,
                        ReportTarget::File, given.extras.viscosityRanges});
    ShowOnTerminal(result);
    return JudgedByLimits(result, given.extras, WriteRunFiles(options, given, result, separator, source));
}

int Sweep(const cli::Options& options, const SweepPlan& plan, const DocumentSource& source) {
    // The CSV to its file, or row by row on standard output.
    std::optional<FileWriter> file;
    if (options.csvFile) file.emplace(*options.csvFile);
    const auto write = [&file](std::string_view text) { file ? file->Write(text) : cli::WriteStandardOutput(text); };
    // Only for a chart or the document.
    std::optional<SweepTable> table;
    std::optional<SweepCurves> curves;
    if (options.plotFile || options.htmlFile) {
        table.emplace(plan);
        curves.emplace(*table, MainSweepQuantities());
    }
    int status = Complete;
    write(SweepHeader(plan, options.units));
    std::stop_source stop;
    const cli::StopOnInterrupt interrupt(stop);
    SweepEnd end;
    {
        cli::TerminalProgress progress;
        const auto row = [&](const PointResult& point) { return SweepRow(plan, point, options.units); };
        end = RunSweep(plan, {0, std::ref(progress), stop.get_token()}, row,
                       [&](const PointResult& point, const std::string& text) {
            write(text);
            if (table) table->Add(point);
            status = std::max(status, ExitStatusOf(point.run.outcome));
        });
    }
    if (file) file->Commit();
    if (end == SweepEnd::Stopped) {
        std::cerr << "vortane-calc: interrupted; the CSV holds the points done\n";
        return Interrupted;
    }
    if (options.plotFile)
        WriteWholeFile(*options.plotFile, SvgDocument(StudyChart(*table, *curves)));
    if (options.htmlFile)
        WriteWholeFile(*options.htmlFile, HtmlDocument(SweepDocument(*table, *curves, source,
                                                                        SweepDocumentRowLimit, options.units)));
    return status;
}

// The table on standard output, or as CSV with --csv; the exit status the
// worst of the runs'.
int Compare(const cli::Options& options, char separator) {
    std::vector<ComparedDesign> designs;
    // Each case, with the FIELD=TEXT arguments, run without a report.
    for (const std::string& path : options.compareFiles)
        designs.push_back(
            RunCaseDesign(path, options.boxTexts, separator, options.limits, options.acceptedWarnings));
    // The CSV's numbers and texts take the point; the table and the page the separator.
    const Comparison comparison = CompareDesigns(designs, options.units, separator);
    if (options.csvFile)
        WriteWholeFile(*options.csvFile, ComparisonCsv(CompareDesigns(designs, options.units)));
    else
        cli::WriteStandardOutput(ComparisonText(comparison, separator));
    std::optional<Chart> chart;
    if (options.plotFile || options.htmlFile) chart = ProfileComparisonChart(designs, options.units);
    if (options.plotFile) WriteWholeFile(*options.plotFile, SvgDocument(*chart));
    if (options.htmlFile)
        WriteWholeFile(*options.htmlFile, HtmlDocument(ComparisonDocument(comparison, chart, LocalDateTime(), separator)));
    int status = Complete;
    for (const ComparedDesign& design : designs) status = std::max(status, ExitStatusOf(design.run.outcome));
    return status;
}

int Run(const cli::Options& options) {
    const char separator = options.decimalSeparator.value_or(LocaleDecimalSeparator());
    if (!options.compareFiles.empty()) return Compare(options, separator);
    // The library, for a grade to apply or one the case names in its document.
    std::optional<MaterialLibrary> library;
    const Grade* grade = nullptr;
    if (options.material || options.htmlFile) library = cli::ProgramLibrary();
    if (options.material) {
        grade = &library->Find(*options.material);
        for (const std::string& error : library->errors) std::cerr << "vortane-calc: warning: " << error << '\n';
    }
    // Defaults, then the case file, then the grade, then FIELD=TEXT; the file's limits, then --limit's.
    const ComposedCase given = ComposeCaseWithGrade(options.caseFile, grade, options.boxTexts, separator,
                                                    options.limits, options.acceptedWarnings);
    if (grade != nullptr)
        if (const std::string missing = MissingValuesText(*grade); !missing.empty())
            std::cerr << "vortane-calc: " << missing << '\n';
    const DocumentSource source = SourceOf(options, given, library ? &*library : nullptr);
#ifdef VORTANE_DESIGN
    // Finding a design: --write-case saves the design found.
    if (options.solve || options.optimise || !options.fronts.empty() || options.scaleTo)
        return cli::DesignCommand(options, given.texts, given.extras, separator, source, std::cout, std::cerr);
#endif
    // Everything refused is refused before anything is written.
    std::optional<SweepPlan> plan;
    if (!options.sweeps.empty()) {
        plan = cli::SweepPlanOf(given.texts, options.sweeps, separator, options.resultFileName);
        plan->viscosityRanges = given.extras.viscosityRanges;
        plan->limits = given.extras.limits;
        plan->acceptedWarnings = given.extras.acceptedWarnings;
    }
    if (options.writeCaseFile)
        WriteWholeFile(*options.writeCaseFile, CaseFileText(given.texts, given.extras, separator));
    return plan ? Sweep(options, *plan, source) : SingleRun(options, given, separator, source);
}

}  // namespace

int main(int argc, char** argv) {
    // --fit-viscosity anywhere asks for a fit rather than a run; --list-materials
    // and --fit-grade for the material library.
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    if (std::find(arguments.begin(), arguments.end(), "--fit-viscosity") != arguments.end())
        return cli::FitCommand(arguments, std::cout, std::cerr);
    if (cli::IsMaterialCommand(arguments)) return cli::MaterialCommand(arguments, std::cout, std::cerr);
    try {
        const cli::Options options = cli::ParseCommandLine({argv + 1, argv + argc});
        if (options.help) {
            std::cout << cli::HelpText() << '\n' << cli::FitUsageText << '\n' << cli::MaterialUsageText;
            return Complete;
        }
        return Run(options);
    } catch (...) {
        return cli::ReportFailure(std::cerr, cli::UsageText);
    }
}
