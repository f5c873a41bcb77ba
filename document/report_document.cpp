#include "document/report_document.h"

#include <algorithm>
#include <ctime>
#include <filesystem>

#include "case/number_format.h"
#include "material/grade_apply.h"
#include "report/report_layout.h"
#include "result/limit_check.h"
#include "result/profile_chart.h"
#include "result/run_summary.h"
#include "result/run_table.h"
#include "result/unit_caption.h"
#include "study/sweep_charts.h"

namespace vortane {

namespace {

using Rows = std::vector<std::vector<std::string>>;

std::string RangeText(const std::optional<ValueRange>& range) {
    return range ? ShortestText(range->low) + " to " + ShortestText(range->high) : "not given";
}

std::vector<std::vector<std::string>> About(const std::string& caseName, const DocumentSource& source) {
    Rows about{{"Case", caseName}};
    if (!source.caseFile.empty()) about.push_back({"Case file", source.caseFile});
    about.push_back({"Date and time", source.dateTime});
    about.push_back({"Program", "Vortane " + std::string(ProgramVersion())});
    return about;
}

std::string CaseName(const DocumentSource& source) {
    return source.caseFile.empty() ? "Untitled" : std::filesystem::path(source.caseFile).filename().string();
}

// An input as typed in its box, under its caption as the report writes it;
// where `system` has another unit, the value converted under the caption in
// that unit, then the text as typed with the box's unit.
std::vector<std::string> InputRow(const CaseData& data, const InputField& field, const std::string& typed, char sep,
                                  UnitSystem system) {
    const std::string_view caption = ReportCaption(field);
    if (!field.real || KeepsMetricUnit(field.quantity, system)) return {std::string(caption), typed};
    return {CaptionIn(caption, field.quantity, system), ValueTextIn(data.*field.real, field.quantity, system, sep),
            "as typed: " + typed + " " + std::string(UnitIn(field.quantity, UnitSystem::Metric).symbol)};
}

DocumentSection Inputs(const RunResult& run, const InputTexts& texts, char sep, UnitSystem system) {
    // A rejected text leaves the record unread: the texts are what there is.
    const bool read = run.outcome != RunOutcome::InputRejected;
    DocumentSection section{"Input data", {}, {}, {}};
    for (const InputField& field : InputFields()) {
        const std::string& typed = texts[field.box - 1];
        section.rows.push_back(read ? InputRow(run.data, field, typed, sep, system)
                                    : std::vector<std::string>{std::string(ReportCaption(field)), typed});
    }
    section.notes.emplace_back(read ? "The texts as typed in the boxes: a run of them gives these results."
                                    : "The texts as typed: one of them is not a proper input.");
    return section;
}

DocumentSection ViscosityLaw(const FittedRanges& ranges) {
    DocumentSection section{"Viscosity law", {}, {}, {}};
    section.rows.push_back({"Law", "ln η = A0 + A1 ln γ̇ + A11 (ln γ̇)² + A2 T + A22 T² + A12 T ln γ̇"});
    section.rows.push_back({"Units", "η in gf·s/cm², T in ℃, γ̇ in 1/s"});
    section.rows.push_back({"Fitted on temperatures (℃)", RangeText(ranges.temperature)});
    section.rows.push_back({"Fitted on shear rates (1/s)", RangeText(ranges.shearRate)});
    return section;
}

DocumentSection Material(const DocumentSource& source) {
    DocumentSection section{"Material", {}, {{"Grade", source.material}}, {}};
    const Grade* grade = source.grade;
    if (grade == nullptr) {
        section.notes.emplace_back("The grade is not in the material library here: its sources are not at hand.");
        return section;
    }
    section.rows.push_back({"Family", grade->family});
    if (!grade->description.empty()) section.rows.push_back({"Description", grade->description});
    if (!grade->notes.empty()) section.rows.push_back({"Notes", grade->notes});
    for (const auto& [caption, text] : grade->Sources()) section.rows.push_back({"Source: " + caption, text});
    if (grade->fitError)
        section.rows.push_back({"Fit of the viscosity law", "within " + SignificantText(*grade->fitError * 100, 3) +
                                                                " % of the printed law over its ranges"});
    if (const std::string missing = MissingValuesText(*grade); !missing.empty()) section.notes.push_back(missing + ".");
    section.notes.emplace_back("The material values come from the grade file " +
                               std::filesystem::path(grade->file).filename().string() +
                               " of the material library; cite the sources above.");
    return section;
}

DocumentSection Values(std::string title, const std::vector<SummaryValue>& values) {
    DocumentSection section{std::move(title), {}, {}, {}};
    for (const SummaryValue& value : values) section.rows.push_back({value.caption, value.text});
    return section;
}

DocumentSection Stopped(const RunSummary& summary) {
    DocumentSection section{"The run stopped", {}, {}, {}};
    section.rows.push_back({"Message", summary.stop});
    if (!summary.detail.empty()) section.rows.push_back({"Why", summary.detail});
    section.rows.push_back({"The report holds", summary.blocksHeld});
    return section;
}

DocumentSection Warnings(const std::vector<std::string>& warnings) {
    DocumentSection section{"Warnings", {}, {}, {}};
    if (warnings.empty()) section.notes.emplace_back("None: every input and result lies in its sound range.");
    for (const std::string& warning : warnings) section.notes.push_back(warning);
    return section;
}

// Each limit with the run's value, its margin and whether it is met; the
// accepted kinds of warning; then the verdict, as Feasible gives it. A run
// that stopped is judged by no limit.
DocumentSection Limits(const RunResult& run, const DocumentLimits& judged, char sep, UnitSystem system) {
    DocumentSection section{"Limits", {}, {}, {}};
    const bool complete = run.outcome == RunOutcome::Complete;
    std::vector<LimitMargin> margins;
    for (const Limit& limit : judged.limits) {
        const RunColumn* column = LimitColumn(limit.quantity);
        const LimitMargin& margin =
            margins.emplace_back(column != nullptr ? MarginOf(limit, ColumnNumber(*column, run)) : LimitMargin{});
        std::vector<std::string>& row = section.rows.emplace_back(std::vector<std::string>{LimitCaption(limit, system, sep)});
        if (column == nullptr) {
            row.emplace_back("no quantity of a run");
        } else if (!margin.value) {
            row.emplace_back("not computed");
        } else {
            row.push_back(QuantityText(*margin.value, column->quantity, system, sep));
            if (!complete) continue;
            row.push_back("margin " + QuantityText(*margin.margin, MarginQuantity(*column), system, sep));
            row.emplace_back(margin.holds ? "met" : "not met");
        }
    }
    section.rows.push_back({"Accepted warnings", judged.acceptedWarnings.Empty()
                                                     ? std::string("none")
                                                     : WarningKindsText(judged.acceptedWarnings)});
    if (Feasible(run.outcome, run.warningKinds, judged.acceptedWarnings, margins))
        section.notes.emplace_back("Feasible");
    else if (complete)
        section.notes.push_back("Not feasible: " + InfeasibleCaption(run.warningKinds, judged.acceptedWarnings,
                                                                    judged.limits, margins, system, sep));
    else
        section.notes.emplace_back("Not feasible: the run stopped; its limits are not judged.");
    return section;
}

std::string GridText(const SweepPlan& plan) {
    std::string text;
    for (const SweepAxis& axis : plan.axes) {
        if (!text.empty()) text += " by ";
        text += std::string(axis.field->name) + " " + axis.texts.front() + " to " + axis.texts.back() + " (" +
                std::to_string(axis.texts.size()) + " values)";
    }
    return text;
}

}  // namespace

std::string_view ProgramVersion() { return VORTANE_VERSION; }

std::string QuantityText(double metricValue, Quantity quantity, UnitSystem system, char decimalSeparator) {
    std::string text = ValueTextIn(metricValue, quantity, system, decimalSeparator);
    if (quantity != Quantity::Dimensionless) text += " " + std::string(UnitIn(quantity, system).symbol);
    return text;
}

std::string LocalDateTime() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#if defined(_WIN32)
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    char buffer[64];
    const std::size_t length = std::strftime(buffer, sizeof buffer, "%Y-%m-%d %H:%M %z", &local);
    return {buffer, length};
}

DocumentSection LimitsSection(const RunResult& run, const DocumentLimits& judged, char decimalSeparator,
                              UnitSystem system) {
    return Limits(run, judged, decimalSeparator, system);
}

ReportDocument RunDocument(const RunResult& run, const InputTexts& texts, const FittedRanges& ranges,
                           const DocumentSource& source, char decimalSeparator, UnitSystem system,
                           const DocumentLimits& judged) {
    const RunSummary summary = SummarizeRun(run, decimalSeparator, system);
    const std::string caseName = CaseName(source);
    ReportDocument document{"Mixing section: " + caseName, About(caseName, source), {}, {}};
    document.sections.push_back(Inputs(run, texts, decimalSeparator, system));
    document.sections.push_back(ViscosityLaw(ranges));
    if (!source.material.empty()) document.sections.push_back(Material(source));
    if (!summary.stop.empty()) document.sections.push_back(Stopped(summary));
    if (!summary.channel.empty())
        document.sections.push_back(Values("Channel characteristics", summary.channel));
    if (!summary.results.empty()) document.sections.push_back(Values("Results", summary.results));
    if (!summary.indicators.empty())
        document.sections.push_back(Values("Design indicators", summary.indicators));
    document.chartPosition = document.sections.size();
    if (!summary.profile.empty()) document.chart = ProfileChart(summary.profile, system);
    if (!judged.limits.empty() || !judged.acceptedWarnings.Empty())
        document.sections.push_back(Limits(run, judged, decimalSeparator, system));
    document.sections.push_back(Warnings(summary.warnings));
    if (!summary.profileFault.empty())
        document.sections.push_back({"Profile along the channels", {}, {}, {summary.profileFault}});
    return document;
}

namespace {

DocumentSection SweepPoints(const SweepTable& table, std::size_t rowLimit, UnitSystem system) {
    DocumentSection section{"Points", {}, {}, {}};
    for (std::size_t c = 0; c < table.CsvColumnCount(); ++c)
        section.columns.push_back(table.CsvColumnName(c, system));
    const std::size_t shown = std::min(table.Size(), rowLimit);
    for (std::size_t point = 0; point < shown; ++point) {
        std::vector<std::string>& row = section.rows.emplace_back();
        for (std::size_t c = 0; c < table.CsvColumnCount(); ++c) row.push_back(table.CsvCell(point, c, system));
    }
    if (shown < table.Size())
        section.notes.push_back("The first " + std::to_string(shown) + " of " + std::to_string(table.Size()) +
                                " points; the CSV holds them all.");
    return section;
}

}  // namespace

ReportDocument SweepDocument(const SweepTable& table, const SweepCurves& curves, const DocumentSource& source,
                             std::size_t rowLimit, UnitSystem system) {
    const SweepPlan& plan = table.Plan();
    const std::string caseName = CaseName(source);
    ReportDocument document{"Study of " + caseName + ": " + GridText(plan), About(caseName, source), {}, {}};
    document.chart = StudyChart(table, curves, system);
    document.sections.push_back(SweepPoints(table, rowLimit, system));
    return document;
}

namespace {

// The designs' table, titled `title`, and what its differences are taken against.
DocumentSection SideBySide(std::string title, const Comparison& comparison, char decimalSeparator) {
    ComparisonGrid grid = ComparisonCells(comparison, decimalSeparator);
    DocumentSection table{std::move(title), std::move(grid.header), std::move(grid.rows), {}};
    if (comparison.designs.size() > 1)
        table.notes.push_back("Δ and Δ %: against " + comparison.designs.front() + ".");
    return table;
}

// The warnings of the designs from `first` up to `end`, a section each.
void AppendDesignWarnings(ReportDocument& document, const Comparison& comparison, std::size_t first,
                          std::size_t end) {
    for (std::size_t d = first; d < end; ++d) {
        DocumentSection section = Warnings(comparison.warnings[d]);
        section.title += " of " + comparison.designs[d];
        document.sections.push_back(std::move(section));
    }
}

}  // namespace

ReportDocument ComparisonDocument(const Comparison& comparison, const std::optional<Chart>& chart,
                                  const std::string& dateTime, char decimalSeparator) {
    std::string names;
    for (const std::string& design : comparison.designs) names += (names.empty() ? "" : ", ") + design;
    ReportDocument document{"Designs compared: " + names,
                            {{"Designs", names},
                             {"Date and time", dateTime},
                             {"Program", "Vortane " + std::string(ProgramVersion())}},
                            {},
                            chart};
    document.sections.push_back(SideBySide("Side by side", comparison, decimalSeparator));
    document.chartPosition = 1;
    AppendDesignWarnings(document, comparison, 0, comparison.designs.size());
    return document;
}

void AppendComparison(ReportDocument& document, const Comparison& comparison, const std::optional<Chart>& chart,
                      char decimalSeparator) {
    if (comparison.designs.empty()) return;
    document.sections.push_back(
        SideBySide("Compared with " + comparison.designs.front(), comparison, decimalSeparator));
    if (chart) document.moreCharts.push_back({*chart, document.sections.size()});
    AppendDesignWarnings(document, comparison, 0, comparison.designs.size() - 1);
}

}  // namespace vortane
