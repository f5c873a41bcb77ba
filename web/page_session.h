#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "case/case_file.h"
#include "case/input_fields.h"
#include "comparison/comparison.h"
#include "material/material_library.h"
#include "run/calculation_run.h"
#include "web/page_study.h"

namespace vortane::web {

// The page's view of the core: plain values a binding hands to JavaScript as
// they are. Every text is the core's: captions, messages, warnings, values,
// the report and the documents. A refusal of a call itself (28 texts expected,
// an unknown unit system) is its `error`, never an exception across the binding.

// One input box: its number, field name, caption, default text and page.
struct PageField {
    int box = 0;
    std::string name;
    std::string caption;
    std::string defaultText;
    int page = 0;
    bool integer = false;
};

// The 28 boxes in box order; the pages' titles.
std::vector<PageField> PageFields(char decimalSeparator);
std::vector<std::string> PageTitles();

// A value the run found, as the Results window shows it.
struct PageValue {
    std::string caption;
    std::string text;
    friend bool operator==(const PageValue&, const PageValue&) = default;
};

// A row of a table the core composed, its cells as texts.
struct PageRow {
    std::vector<std::string> cells;
    friend bool operator==(const PageRow&, const PageRow&) = default;
};

// A quantity of a run, as studies chart it and limits and searches name it:
// its name ("TemperatureRise") and its caption with the unit.
struct PageQuantity {
    std::string name;
    std::string caption;
};
std::vector<PageQuantity> PageQuantities();

// What a run (or the last run in another unit system) shows.
struct PageRun {
    std::string error;
    std::string outcome;                // "complete", "input", "channel", ...
    std::vector<std::string> messages;  // the message boxes, in the order the window shows them
    std::string completion;             // the completion dialog's text, for a complete run
    int focusBox = 0;                   // the box to focus: rejected, or the fault follows from it
    std::string detail;                 // why it stopped, beyond its message
    std::vector<std::string> warnings;  // in the chosen unit system
    std::vector<PageValue> channel, results, indicators;
    std::string blocksHeld;    // the report's blocks, for a run that stopped
    std::string chart;         // the profile chart as an SVG element, for a complete run
    std::string profileFault;  // why a complete run has no profile
    bool hasReport = false;    // whether the run wrote a report file
    // With limits or accepted warnings: each limit with the run's value, its
    // margin and whether it is met, then the accepted warnings; and the
    // verdict, "Feasible" or "Not feasible: " and why.
    std::vector<PageRow> limits;
    std::string verdict;
};

// A text, or why there is none.
struct PageText {
    std::string error;
    std::string text;
};

// A case opened: the 28 texts, or why it was refused.
struct PageCase {
    std::string error;
    std::vector<std::string> texts;
    std::string limits;  // its limits, a line each
};

// The pinned baseline and the last run side by side: the grid's header and
// rows (value, difference and percentage against the baseline), each
// design's warnings, and the table as vortane-calc --compare --csv writes it.
struct PageComparison {
    std::string error;
    std::vector<std::string> header;
    std::vector<PageRow> rows;
    std::vector<std::string> warnings;
    std::string csv;
};

// One input a study sweeps: its field name and FROM, TO and STEP as typed.
struct PageStudyAxis {
    std::string field;
    std::string from, to, step;
};

// How far a study has come, or why it cannot start.
struct PageProgress {
    std::string error;
    int done = 0;
    int total = 0;
};

// A goal seek or an optimisation ended: whether it found a design, its end
// ("Found", "Not found: ..."), the lines vortane-calc prints for it (the design
// found, or why none was), the found design's warnings, its 28 texts, the
// history chart and the runs made.
struct PageSearch {
    std::string error;
    bool found = false;
    std::string end;
    std::string text;
    std::vector<std::string> warnings;
    std::vector<std::string> texts;
    std::string chart;
    int runs = 0;
};
// A front found: its outcome (FrontOutcomeText: "Found: 12 designs on the
// front, the knee at Point 5", why it holds none, the runs made), its charts (SVG elements, the
// knee ringed), the table of its designs as the report has it (the knee's row
// `knee`, -1 for none), each design's 28 texts, and the CSV vortane-calc
// --front --csv writes; the table and the CSV in the units asked.
struct PageFront {
    std::string error;
    std::string outcome;
    std::vector<std::string> charts;
    std::vector<std::string> header;
    std::vector<PageRow> rows;
    int knee = -1;
    std::vector<PageRow> designs;
    std::string csv;
};

// A grade of the material library as its list shows it: its name and its
// line (GradeColumns' cells).
struct PageGrade {
    std::string name;
    std::vector<std::string> cells;
};

// A grade shown: its values, each a row of caption, text and source, and its
// viscosity curves (an SVG element).
struct PageGradeView {
    std::string error;
    std::vector<PageRow> details;
    std::string chart;
};

// A grade put into the boxes: the 28 texts, the grade's name as the case
// records it, and what is said of the fields it does not give.
struct PageApplied {
    std::string error;
    std::vector<std::string> texts;
    std::string material;
    std::string missing;
};

// Called after each run of a search with the runs made so far.
using SearchProgress = std::function<void(int runs)>;

// One page's state between calls: the last run, and what the case opened
// holds beside its boxes (fitted ranges, limits, accepted warnings), kept for
// the runs, the documents and Save case.
class PageSession {
public:
    // The report of each run goes to `reportPath` (in the page, a file of the
    // module's own memory) and is read back from it.
    // The material library is the grade files of `materialFolder` (none
    // without one).
    explicit PageSession(std::string reportPath, char decimalSeparator = '.', const std::string& materialFolder = {});
    PageSession(std::string reportPath, const std::string& materialFolder)
        : PageSession(std::move(reportPath), '.', materialFolder) {}

    PageRun Run(const std::vector<std::string>& texts, const std::string& units);
    PageRun LastRun(const std::string& units) const;
    // The last run's report file, byte for byte; empty when it wrote none.
    const std::string& Report() const { return report_; }
    // The last run's document as a page of HTML, in `units`.
    PageText Html(const std::string& units) const;

    // A case file's content, refused with the core's message naming `fileName`.
    PageCase OpenCase(const std::string& fileName, const std::string& content);
    // The texts as a case file, with what the opened case holds beside them.
    PageText SaveCase(const std::vector<std::string>& texts) const;
    // A box text typed with a unit as the plain number in the box's unit; a
    // unit the box does not take is refused naming its caption.
    PageText TypedText(int box, const std::string& text) const;

    // The case's limits from lines "QUANTITY <= VALUE" (or >=), blank lines
    // skipped; one that does not read, or names no quantity, is refused naming
    // its line and nothing changes. The text is the limits as kept, a line each.
    PageText SetLimits(const std::string& lines);

    // The last run pinned as the baseline later runs are compared with.
    PageText Pin();
    void Unpin() { baseline_.reset(); }
    // The baseline and the last run, in `units`.
    PageComparison Compare(const std::string& units) const;

    // A study of one or two inputs around `texts`, with the case's limits; the
    // CSV in `units`. Refused with the core's message (an unknown field, a
    // step leading away) and the study before it kept.
    // FROM, TO and STEP of an input newly chosen for a study: the range the
    // core suggests around the number in its box text, else around its default.
    PageStudyAxis StudyRange(int box, const std::string& text) const;
    PageProgress StartStudy(const std::vector<std::string>& texts, const std::vector<PageStudyAxis>& axes,
                            const std::string& units);
    PageProgress StepStudy(int points);
    PageText StudyCsv() const;
    // The chart of PageQuantities()[quantity] with the map, in `units`.
    PageText StudyChart(int quantity, const std::string& units) const;
    std::vector<std::string> StudyStops() const;

    // Goal seek as vortane-calc --solve VARIED --target TARGET and
    // optimisation as --optimise OBJECTIVE --vary ... with the case's limits:
    // the same notations, refusals and answers.
    PageSearch GoalSeek(const std::vector<std::string>& texts, const std::string& varied,
                        const std::string& target, const SearchProgress& progress) const;
    PageSearch Optimise(const std::vector<std::string>& texts, const std::string& objective,
                        const std::vector<std::string>& varied, const SearchProgress& progress) const;

    // The Pareto front as vortane-calc --front OBJECTIVE ... --vary ... with
    // the case's limits: the same notations, refusals, designs and CSV.
    PageFront Front(const std::vector<std::string>& texts, const std::vector<std::string>& objectives,
                    const std::vector<std::string>& varied, const std::string& units,
                    const SearchProgress& progress) const;

    // The library's grades in its order, and the files it could not take, a
    // line each.
    std::vector<PageGrade> Grades() const;
    std::vector<std::string> MaterialErrors() const { return library_.errors; }
    // The indices of the grades a search finds (GradeMatches).
    std::vector<int> FindGrades(const std::string& query) const;
    // The grade at `index`, its chart in `units`.
    PageGradeView GradeView(int index, const std::string& units) const;
    // The grade at `index` put into `texts` as the window's Apply puts it:
    // its coefficients, thermal values, fitted ranges and name, kept for the
    // runs, the documents and Save case.
    PageApplied ApplyGrade(int index, const std::vector<std::string>& texts);

private:
    struct LastRunState {
        RunResult result;
        InputTexts texts;
        FittedRanges ranges;
    };
    FittedRanges RangesFor(const InputTexts& texts) const;

    std::string reportPath_;
    char separator_;
    std::string caseName_;
    InputTexts caseTexts_;
    CaseExtras extras_;
    MaterialLibrary library_;
    const Grade* GradeAt(int index, std::string& error) const;
    // The unit system named and the last run, or why either is missing.
    const LastRunState* LastRunIn(const std::string& units, std::string& error, UnitSystem& system) const;
    PageRun Shown(const LastRunState& last, UnitSystem system) const;

    std::optional<LastRunState> last_;
    std::string report_;
    std::optional<ComparedDesign> baseline_;
    std::unique_ptr<PageStudy> study_;
};

}  // namespace vortane::web
