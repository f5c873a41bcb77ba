#pragma once

#include <optional>
#include <string>
#include <vector>

#include "case/case_file.h"
#include "case/input_fields.h"
#include "run/calculation_run.h"

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
};

// One page's state between calls: the last run, and what the case opened
// holds beside its boxes (fitted ranges, limits, accepted warnings), kept for
// the runs, the documents and Save case.
class PageSession {
public:
    // The report of each run goes to `reportPath` (in the page, a file of the
    // module's own memory) and is read back from it.
    explicit PageSession(std::string reportPath, char decimalSeparator = '.');

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
    std::optional<LastRunState> last_;
    std::string report_;
};

}  // namespace vortane::web
