#include "web/page_session.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <system_error>
#include <utility>

#include "case/file_read.h"
#include "case/input_pages.h"
#include "case/number_text.h"
#include "case/unit_text.h"
#include "design/design_notation.h"
#include "design/end_text.h"
#include "design/front_chart.h"
#include "design/goal_seek.h"
#include "design/history_chart.h"
#include "design/optimisation.h"
#include "design_document/front_document.h"
#include "design_document/front_table.h"
#include "document/html_document.h"
#include "document/report_document.h"
#include "document/svg_chart.h"
#include "material/grade_apply.h"
#include "material/grade_view.h"
#include "result/compose_case.h"
#include "result/profile_chart.h"
#include "result/run_summary.h"
#include "result/limit_check.h"
#include "result/run_table.h"
#include "study/design_rows.h"
#include "study/sweep_curves.h"

namespace vortane::web {

namespace {

// The unit system a page names ("metric", "si", "us"); none for another name.
std::optional<UnitSystem> SystemOf(const std::string& units, std::string& error) {
    const std::optional<UnitSystem> system = UnitSystemNamed(units);
    if (!system) error = "units '" + units + "': the systems are 'metric', 'si' and 'us'";
    return system;
}

// The 28 box texts a page hands over; none when it hands another count.
std::optional<InputTexts> BoxTexts(const std::vector<std::string>& texts, std::string& error) {
    if (texts.size() != InputCount) {
        error = std::to_string(texts.size()) + " box texts given where the case has " + std::to_string(InputCount);
        return std::nullopt;
    }
    InputTexts boxes;
    std::copy(texts.begin(), texts.end(), boxes.begin());
    return boxes;
}

std::vector<PageValue> Values(const std::vector<SummaryValue>& values) {
    std::vector<PageValue> shown;
    shown.reserve(values.size());
    for (const SummaryValue& value : values) shown.push_back({value.caption, value.text});
    return shown;
}

PageRun ShownRun(const RunResult& run, UnitSystem system, char separator, bool hasReport) {
    const RunSummary summary = SummarizeRun(run, separator, system);
    PageRun shown;
    shown.outcome = OutcomeName(run.outcome);
    shown.messages = run.messages;
    if (run.outcome == RunOutcome::Fault) shown.messages.push_back(run.fault);
    if (run.outcome == RunOutcome::Complete) shown.completion = CalculationFinished;
    shown.focusBox = run.rejectedBox != 0 ? run.rejectedBox : run.faultBox;
    shown.detail = summary.detail;
    shown.warnings = summary.warnings;
    shown.channel = Values(summary.channel);
    shown.results = Values(summary.results);
    shown.indicators = Values(summary.indicators);
    if (run.outcome != RunOutcome::Complete) shown.blocksHeld = summary.blocksHeld;
    if (!summary.profile.empty()) shown.chart = SvgElement(ProfileChart(summary.profile, system));
    shown.profileFault = summary.profileFault;
    shown.hasReport = hasReport;
    return shown;
}

std::vector<PageRow> Rows(const std::vector<std::vector<std::string>>& rows) {
    std::vector<PageRow> shown;
    shown.reserve(rows.size());
    for (const std::vector<std::string>& cells : rows) shown.push_back({cells});
    return shown;
}

std::string LimitLines(const std::vector<Limit>& limits) {
    std::string lines;
    for (const Limit& limit : limits) lines += LimitText(limit) + '\n';
    return lines;
}

// A refusal's text, or the search's answer.
template <class Search>
auto Searched(Search search) -> decltype(search()) {
    try {
        return search();
    } catch (const Refusal& refusal) {
        decltype(search()) refused;
        refused.error = refusal.what();
        return refused;
    }
}

// Counts the runs of a search for the page.
std::function<void(const Evaluation&)> RunCounter(const SearchProgress& progress) {
    if (!progress) return {};
    return [progress, runs = 0](const Evaluation&) mutable { progress(++runs); };
}

}  // namespace

std::vector<PageQuantity> PageQuantities() {
    std::vector<PageQuantity> quantities;
    for (const SweepQuantity& quantity : ChartableQuantities()) quantities.push_back({quantity.name, quantity.caption});
    return quantities;
}

std::vector<PageField> PageFields(char decimalSeparator) {
    std::vector<PageField> fields;
    fields.reserve(InputFields().size());
    for (const InputField& field : InputFields())
        fields.push_back({field.box, std::string(field.name), std::string(field.caption),
                          DefaultText(field, decimalSeparator), InputPage(field),
                          field.conversion == InputField::Conversion::Integer});
    return fields;
}

std::vector<std::string> PageTitles() {
    std::vector<std::string> titles;
    titles.reserve(InputPageCount);
    for (int page = 0; page < InputPageCount; ++page) titles.push_back(InputPageTitle(page));
    return titles;
}

PageSession::PageSession(std::string reportPath, char decimalSeparator, const std::string& materialFolder)
    : reportPath_(std::move(reportPath)),
      separator_(decimalSeparator),
      caseTexts_(DefaultTexts(decimalSeparator)) {
    if (!materialFolder.empty()) {
        const std::vector<MaterialFolder> folders{{materialFolder, false}};
        library_ = ReadMaterialLibrary(folders);
    }
}

FittedRanges PageSession::RangesFor(const InputTexts& texts) const {
    return RangesOfLaw(extras_.viscosityRanges, caseTexts_, texts);
}

PageRun PageSession::Run(const std::vector<std::string>& texts, const std::string& units) {
    PageRun refused;
    const std::optional<UnitSystem> system = SystemOf(units, refused.error);
    const std::optional<InputTexts> boxes = BoxTexts(texts, refused.error);
    if (!system || !boxes) return refused;
    // A report left by an earlier run is never taken for this one's.
    std::error_code ignored;
    std::filesystem::remove(reportPath_, ignored);
    report_.clear();
    const FittedRanges ranges = RangesFor(*boxes);
    RunResult result = RunCalculation({*boxes, reportPath_, separator_, ReportTarget::File, ranges});
    const bool written = std::filesystem::is_regular_file(reportPath_, ignored);
    if (written) {
        try {
            report_ = ReadWholeFile(reportPath_, "the report");
        } catch (const FileReadError& error) {
            result.outcome = RunOutcome::Fault;
            result.fault = error.what();
        }
    }
    last_ = LastRunState{std::move(result), *boxes, ranges};
    return Shown(*last_, *system);
}

PageRun PageSession::Shown(const LastRunState& last, UnitSystem system) const {
    PageRun shown = ShownRun(last.result, system, separator_, !report_.empty());
    if (!extras_.limits.empty() || !extras_.acceptedWarnings.Empty()) {
        DocumentSection section =
            LimitsSection(last.result, {extras_.limits, extras_.acceptedWarnings}, separator_, system);
        shown.limits = Rows(section.rows);
        if (!section.notes.empty()) shown.verdict = section.notes.front();
    }
    return shown;
}

const PageSession::LastRunState* PageSession::LastRunIn(const std::string& units, std::string& error,
                                                        UnitSystem& system) const {
    const std::optional<UnitSystem> named = SystemOf(units, error);
    if (!named) return nullptr;
    if (!last_) {
        error = "no run yet";
        return nullptr;
    }
    system = *named;
    return &*last_;
}

PageRun PageSession::LastRun(const std::string& units) const {
    PageRun refused;
    UnitSystem system{};
    const LastRunState* last = LastRunIn(units, refused.error, system);
    return last != nullptr ? Shown(*last, system) : refused;
}

PageText PageSession::Html(const std::string& units) const {
    PageText page;
    UnitSystem system{};
    if (const LastRunState* last = LastRunIn(units, page.error, system))
    {
        // The grade the case names, with its values where the library holds it.
        const std::string& material = extras_.material;
        const Grade* grade = material.empty() ? nullptr : library_.FindOrNull(material);
        page.text = HtmlDocument(RunDocument(last->result, last->texts, last->ranges,
                                             {caseName_, LocalDateTime(), material, grade}, separator_, system,
                                             {extras_.limits, extras_.acceptedWarnings}));
    }
    return page;
}

PageCase PageSession::OpenCase(const std::string& fileName, const std::string& content) {
    PageCase opened;
    try {
        ComposedCase composed = ComposeUploadedCase(content, fileName, separator_);
        caseName_ = fileName;
        caseTexts_ = composed.texts;
        extras_ = std::move(composed.extras);
        opened.texts.assign(composed.texts.begin(), composed.texts.end());
        opened.limits = LimitLines(extras_.limits);
    } catch (const CaseFileError& error) {
        opened.error = error.what();
    }
    return opened;
}

PageText PageSession::SaveCase(const std::vector<std::string>& texts) const {
    PageText saved;
    const std::optional<InputTexts> boxes = BoxTexts(texts, saved.error);
    if (!boxes) return saved;
    try {
        CaseExtras extras = extras_;
        extras.viscosityRanges = RangesFor(*boxes);
        saved.text = CaseFileText(*boxes, extras, separator_);
    } catch (const CaseFileError& error) {
        saved.error = error.what();
    }
    return saved;
}

PageText PageSession::TypedText(int box, const std::string& text) const {
    PageText typed;
    if (box < 1 || box > InputCount) {
        typed.error = "no box Edit" + std::to_string(box);
        return typed;
    }
    const InputField& field = InputFields()[box - 1];
    try {
        typed.text = TextInBoxUnit(field, text, separator_);
    } catch (const UnitError& error) {
        // As the window says it: the caption without its mark, then the refusal.
        std::string caption(field.caption);
        if (caption.starts_with("* ")) caption.erase(0, 2);
        while (!caption.empty() && caption.back() == ' ') caption.pop_back();
        typed.error = caption + '\n' + error.what();
    }
    return typed;
}

PageText PageSession::SetLimits(const std::string& lines) {
    PageText kept;
    std::vector<Limit> limits;
    std::size_t start = 0;
    for (int number = 1; start <= lines.size(); ++number) {
        std::size_t end = lines.find('\n', start);
        if (end == std::string::npos) end = lines.size();
        const std::string line = lines.substr(start, end - start);
        start = end + 1;
        if (line.find_first_not_of(" \t\r") == std::string::npos) continue;
        try {
            limits.push_back(ParseLimit(line));
            LimitColumns(std::span(&limits.back(), 1));
        } catch (const LimitError& error) {
            kept.error = "Limit line " + std::to_string(number) + ": " + error.what();
            return kept;
        }
    }
    extras_.limits = std::move(limits);
    kept.text = LimitLines(extras_.limits);
    return kept;
}

PageText PageSession::Pin() {
    PageText pinned;
    if (!last_) {
        pinned.error = "no run yet";
        return pinned;
    }
    baseline_ = ComparedDesign{"Baseline", last_->texts, last_->result, extras_.limits, extras_.acceptedWarnings};
    return pinned;
}

PageComparison PageSession::Compare(const std::string& units) const {
    PageComparison compared;
    UnitSystem system{};
    const LastRunState* last = LastRunIn(units, compared.error, system);
    if (last == nullptr) return compared;
    if (!baseline_) {
        compared.error = "no baseline pinned";
        return compared;
    }
    const std::vector<ComparedDesign> designs{
        *baseline_, {"Current", last->texts, last->result, extras_.limits, extras_.acceptedWarnings}};
    const Comparison comparison = CompareDesigns(designs, system, separator_);
    ComparisonGrid grid = ComparisonCells(comparison, separator_);
    compared.header = std::move(grid.header);
    compared.rows = Rows(grid.rows);
    for (std::size_t d = 0; d < comparison.designs.size(); ++d)
        for (const std::string& warning : comparison.warnings[d])
            compared.warnings.push_back(comparison.designs[d] + ": " + warning);
    compared.csv = ComparisonCsv(CompareDesigns(designs, system));
    return compared;
}

PageStudyAxis PageSession::StudyRange(int box, const std::string& text) const {
    if (box < 1 || box > InputCount) return {};
    const InputField& field = InputFields()[static_cast<std::size_t>(box - 1)];
    const std::optional<double> value = ConvertReal(text, separator_);
    const SweepRange range = value && std::isfinite(*value) ? SuggestedRange(field, *value, separator_)
                                                            : SuggestedRange(field, separator_);
    return {std::string(field.name), range.from, range.to, range.step};
}

PageProgress PageSession::StartStudy(const std::vector<std::string>& texts, const std::vector<PageStudyAxis>& axes,
                                     const std::string& units) {
    PageProgress started;
    const std::optional<UnitSystem> system = SystemOf(units, started.error);
    const std::optional<InputTexts> boxes = BoxTexts(texts, started.error);
    if (!system || !boxes) return started;
    try {
        std::vector<SweepAxis> swept;
        swept.reserve(axes.size());
        for (const PageStudyAxis& axis : axes)
            swept.push_back(MakeSweepAxis(InputFieldNamed(axis.field), axis.from, axis.to, axis.step, separator_));
        SweepPlan plan = MakeSweepPlan(*boxes, std::move(swept), separator_, std::nullopt);
        plan.viscosityRanges = RangesFor(*boxes);
        plan.limits = extras_.limits;
        plan.acceptedWarnings = extras_.acceptedWarnings;
        study_ = std::make_unique<PageStudy>(std::move(plan), *system);
    } catch (const Refusal& refusal) {
        started.error = refusal.what();
        return started;
    }
    started.total = static_cast<int>(study_->Total());
    return started;
}

PageProgress PageSession::StepStudy(int points) {
    PageProgress progress;
    if (!study_) {
        progress.error = "no study started";
        return progress;
    }
    progress.done = static_cast<int>(study_->Step(static_cast<std::size_t>(std::max(points, 0))));
    progress.total = static_cast<int>(study_->Total());
    return progress;
}

PageText PageSession::StudyCsv() const {
    PageText csv;
    if (study_) csv.text = study_->Csv();
    else csv.error = "no study started";
    return csv;
}

PageText PageSession::StudyChart(int quantity, const std::string& units) const {
    PageText chart;
    const std::optional<UnitSystem> system = SystemOf(units, chart.error);
    if (!system) return chart;
    if (!study_) chart.error = "no study started";
    else if (quantity < 0 || static_cast<std::size_t>(quantity) >= ChartableQuantities().size())
        chart.error = "no quantity " + std::to_string(quantity);
    else chart.text = study_->Chart(static_cast<std::size_t>(quantity), *system);
    return chart;
}

std::vector<std::string> PageSession::StudyStops() const {
    return study_ ? study_->Stops() : std::vector<std::string>{};
}

PageSearch PageSession::GoalSeek(const std::vector<std::string>& texts, const std::string& varied,
                                 const std::string& target, const SearchProgress& progress) const {
    return Searched([&] {
        PageSearch searched;
        const std::optional<InputTexts> boxes = BoxTexts(texts, searched.error);
        if (!boxes) return searched;
        const VariedInput input = ParseVariedInput(varied, separator_);
        const Target goal = ParseTarget(target);
        const GoalSeekRequest request = GoalSeekRequestOf(
            {*boxes, {}, separator_, ReportTarget::None, RangesFor(*boxes)}, input, goal, extras_.acceptedWarnings);
        const GoalSeekResult result = vortane::GoalSeek(request, nullptr, RunCounter(progress));
        InputTexts found = *boxes;
        found[input.field->box - 1] = result.text;
        searched.found = result.end == GoalSeekEnd::Found;
        searched.end = GoalSeekEndText(result.end);
        searched.text = searched.found ? GoalSeekFoundText(request, result)
                                       : GoalSeekNotFoundText(varied, result) + '\n';
        if (searched.found) {
            searched.warnings = FoundWarningLines(result.run, extras_.acceptedWarnings);
            searched.texts.assign(found.begin(), found.end());
        }
        searched.chart = SvgElement(GoalSeekChart(result.history, request.quantity, request.target));
        searched.runs = static_cast<int>(result.history.size());
        return searched;
    });
}

PageSearch PageSession::Optimise(const std::vector<std::string>& texts, const std::string& objective,
                                 const std::vector<std::string>& varied, const SearchProgress& progress) const {
    return Searched([&] {
        PageSearch searched;
        const std::optional<InputTexts> boxes = BoxTexts(texts, searched.error);
        if (!boxes) return searched;
        const Objective goal = ParseObjective(objective);
        OptimisationRequest request;
        request.base = {*boxes, {}, separator_, ReportTarget::None, RangesFor(*boxes)};
        for (const std::string& input : varied) request.inputs.push_back(ParseVariedInput(input, separator_));
        request.objective = goal.quantity;
        request.maximise = goal.maximise;
        request.limits = extras_.limits;
        request.acceptedWarnings = extras_.acceptedWarnings;
        request.threads = 1;  // a Web Worker has no threads
        const OptimisationResult result = vortane::Optimise(request, nullptr, RunCounter(progress));
        const bool limitsSet = !request.limits.empty();
        searched.found = result.found;
        searched.end = OptimisationEndText(result.end, limitsSet);
        searched.text = result.found ? OptimisationFoundText(request, result)
                                     : OptimisationNotFoundText(result) + '\n';
        if (result.found) {
            searched.warnings = FoundWarningLines(result.run, extras_.acceptedWarnings);
            searched.texts.assign(result.texts.begin(), result.texts.end());
        }
        searched.chart = SvgElement(
            OptimisationChart(result.history, request.objective, request.maximise, request.limits,
                              request.acceptedWarnings));
        searched.runs = static_cast<int>(result.history.size());
        return searched;
    });
}

PageFront PageSession::Front(const std::vector<std::string>& texts, const std::vector<std::string>& objectives,
                             const std::vector<std::string>& varied, const std::string& units,
                             const SearchProgress& progress) const {
    return Searched([&] {
        PageFront front;
        const std::optional<UnitSystem> system = SystemOf(units, front.error);
        const std::optional<InputTexts> boxes = BoxTexts(texts, front.error);
        if (!system || !boxes) return front;
        FrontRequest request;
        request.base = {*boxes, {}, separator_, ReportTarget::None, RangesFor(*boxes)};
        for (const std::string& objective : objectives) request.objectives.push_back(ParseObjective(objective));
        for (const std::string& input : varied) request.inputs.push_back(ParseVariedInput(input, separator_));
        request.limits = extras_.limits;
        request.acceptedWarnings = extras_.acceptedWarnings;
        request.threads = 1;  // a Web Worker has no threads
        const FrontResult result = ParetoFront(request, nullptr, RunCounter(progress));
        front.outcome = FrontOutcomeText(result);
        if (result.designs.empty()) return front;
        for (const Chart& chart : FrontCharts(result, request.objectives)) front.charts.push_back(SvgElement(chart));
        DocumentSection designs = FrontDesignsSection(request, result, std::nullopt, separator_, *system);
        front.header = std::move(designs.columns);
        front.rows = Rows(designs.rows);
        if (result.knee) front.knee = static_cast<int>(*result.knee);
        for (const FrontDesign& design : result.designs)
            front.designs.push_back({{design.texts.begin(), design.texts.end()}});
        front.csv = DesignTableCsv(FrontTable(request, result, separator_), *system);
        return front;
    });
}

std::vector<PageGrade> PageSession::Grades() const {
    std::vector<PageGrade> grades;
    grades.reserve(library_.grades.size());
    for (const Grade& grade : library_.grades) {
        const std::array<std::string, 6> row = GradeRow(grade);
        grades.push_back({GradeListName(grade), {row.begin(), row.end()}});
    }
    return grades;
}

std::vector<int> PageSession::FindGrades(const std::string& query) const {
    std::vector<int> found;
    for (std::size_t i = 0; i < library_.grades.size(); ++i)
        if (GradeMatches(library_.grades[i], query)) found.push_back(static_cast<int>(i));
    return found;
}

const Grade* PageSession::GradeAt(int index, std::string& error) const {
    if (index < 0 || static_cast<std::size_t>(index) >= library_.grades.size()) {
        error = "no grade " + std::to_string(index);
        return nullptr;
    }
    return &library_.grades[static_cast<std::size_t>(index)];
}

PageGradeView PageSession::GradeView(int index, const std::string& units) const {
    PageGradeView view;
    const std::optional<UnitSystem> system = SystemOf(units, view.error);
    const Grade* grade = GradeAt(index, view.error);
    if (!system || grade == nullptr) return view;
    for (const GradeDetail& detail : GradeDetails(*grade))
        view.details.push_back({{detail.caption, detail.text, detail.source}});
    view.chart = SvgElement(GradeChart(*grade, separator_, *system));
    return view;
}

PageApplied PageSession::ApplyGrade(int index, const std::vector<std::string>& texts) {
    PageApplied applied;
    const Grade* grade = GradeAt(index, applied.error);
    const std::optional<InputTexts> boxes = BoxTexts(texts, applied.error);
    if (grade == nullptr || !boxes) return applied;
    try {
        AppliedGrade put = vortane::ApplyGrade(*grade, *boxes, separator_);
        // The ranges belong to the grade's coefficients while the boxes hold them.
        caseTexts_ = put.texts;
        extras_.viscosityRanges = put.ranges;
        extras_.material = std::move(put.material);
        applied.texts.assign(put.texts.begin(), put.texts.end());
        applied.material = extras_.material;
        applied.missing = MissingValuesText(*grade);
    } catch (const GradeFileError& error) {
        applied.error = error.what();
    }
    return applied;
}

}  // namespace vortane::web
