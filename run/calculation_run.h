#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "case/case_data.h"
#include "case/error.h"
#include "case/fitted_ranges.h"
#include "case/input_fields.h"
#include "case/messages.h"
#include "case/warning_kind.h"
#include "model/design_indicators.h"
#include "run/warning_text.h"

namespace vortane {

// Where a run's report goes: the file the save-file name names, or nowhere
// (each block counts as written; for studies that keep only the result).
enum class ReportTarget { File, None };

// One press of OK: the texts of the 28 input boxes and of the save-file-name
// box, and the decimal separator they and the report are written with; beside
// them, the data the viscosity law was fitted on, where the case knows it.
struct RunRequest {
    InputTexts texts;            // Edit1 ... Edit28
    std::string resultFileName;  // the save-file-name box; not read without a report
    char decimalSeparator = '.';
    ReportTarget report = ReportTarget::File;
    FittedRanges viscosityRanges = {};  // only warned about
};

// How a run ended: complete, or the stage that stopped it.
enum class RunOutcome {
    Complete,
    InputRejected,    // a box text did not convert
    FileNotOpened,    // a report writer could not open the file
    ChannelRejected,  // width or cross-section failed
    PressureTooLow,   // a pass failed the inlet pressure test
    NotConverged,     // the pass limit was reached
    Fault,            // arithmetic fault or I/O error
};

// Whether a run that ended so got as far as the channel block: its report
// holds it, and its record the channel's values.
constexpr bool HoldsChannelBlock(RunOutcome outcome) {
    return outcome == RunOutcome::Complete || outcome == RunOutcome::PressureTooLow ||
           outcome == RunOutcome::NotConverged;
}

// What a run leaves for its front end to show: the messages the stages raised,
// then the fault that ended the run, if any, then (when complete) the
// completion dialog. Beside them, and never in place of them: a line that says
// why the run stopped, the warnings, and the design indicators.
struct RunResult {
    RunOutcome outcome = RunOutcome::InputRejected;
    Messages messages;      // in the order the stages raised them
    std::string fault;      // the error box's text when the outcome is Fault
    int passes = 0;         // passes of the temperature iteration made
    int blocksWritten = 0;  // report blocks written to the file, 0 to 3
    int rejectedBox = 0;    // the box whose text did not convert (Edit1 ... Edit28), or 0
    // After an arithmetic fault: the box of the first input outside its sound
    // range, which the fault follows from; 0 when every input lies in it.
    int faultBox = 0;
    CaseData data;
    std::string detail;                 // why it stopped, beyond the message; or empty
    std::vector<std::string> warnings;  // inputs and results that mean nothing physically
    WarningKinds warningKinds;          // the kinds of those warnings
    std::vector<RunWarning> warningData;  // the same warnings as data, for another unit system
    std::optional<DesignIndicators> indicators;  // of a complete run
    // kgf/cm2: every pass of the case passes the inlet pressure test above it;
    // known once a pass has run.
    std::optional<double> leastInletPressure;
};

// Passes after which an iteration that still swings is given up; every
// converging case known takes far fewer.
inline constexpr int PassLimit = 10000;

// ResultFileName's longest length in bytes.
inline constexpr std::size_t ResultFileNameLimit = 255;

// The save-file name cut to its first 255 bytes, never inside a UTF-8
// character.
std::string CutResultFileName(std::string_view text);

// A report's name longer than ResultFileNameLimit bytes, which a run would cut
// (and with it, for a long path, the folder it names). The window's box holds
// no more; every other front end refuses the name.
class ResultFileNameError : public Refusal {
public:
    using Refusal::Refusal;
};

// Refuses a name the run would cut.
void CheckResultFileName(std::string_view name);

// One press of OK: reads the texts, writes the report stage by stage and stops
// at the first stage that fails (it has raised its message). An arithmetic
// fault or an I/O error ends the run at once with its text in `fault`. Calls
// nothing outside the core and may run on any thread.
RunResult RunCalculation(const RunRequest& request);

}  // namespace vortane
