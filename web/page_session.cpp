#include "web/page_session.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <utility>

#include "case/file_read.h"
#include "case/input_pages.h"
#include "case/unit_text.h"
#include "document/html_document.h"
#include "document/report_document.h"
#include "document/svg_chart.h"
#include "result/compose_case.h"
#include "result/profile_chart.h"
#include "result/run_summary.h"
#include "result/run_table.h"

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

PageRun Shown(const RunResult& run, UnitSystem system, char separator, bool hasReport) {
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

}  // namespace

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

PageSession::PageSession(std::string reportPath, char decimalSeparator)
    : reportPath_(std::move(reportPath)),
      separator_(decimalSeparator),
      caseTexts_(DefaultTexts(decimalSeparator)) {}

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
    return Shown(last_->result, *system, separator_, !report_.empty());
}

PageRun PageSession::LastRun(const std::string& units) const {
    PageRun refused;
    const std::optional<UnitSystem> system = SystemOf(units, refused.error);
    if (!system) return refused;
    if (!last_) {
        refused.error = "no run yet";
        return refused;
    }
    return Shown(last_->result, *system, separator_, !report_.empty());
}

PageText PageSession::Html(const std::string& units) const {
    PageText page;
    const std::optional<UnitSystem> system = SystemOf(units, page.error);
    if (!system) return page;
    if (!last_) {
        page.error = "no run yet";
        return page;
    }
    page.text = HtmlDocument(RunDocument(last_->result, last_->texts, last_->ranges, {caseName_, LocalDateTime()},
                                         separator_, *system, {extras_.limits, extras_.acceptedWarnings}));
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

}  // namespace vortane::web
