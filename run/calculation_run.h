#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "run/case_data.h"
#include "run/messages.h"

namespace vortane {

// What a front end offers a run: the texts of the boxes, the modal boxes and
// the completion step.
class RunHost : public MessageSink {
public:
    virtual std::string BoxText(int box) const = 0;  // Edit1 ... Edit28
    virtual std::string ResultFileText() const = 0;  // the save-file-name box
    virtual char DecimalSeparator() const = 0;

    // The error box for an arithmetic fault or a failed write: the run has ended.
    virtual void ShowFault(std::string_view text) = 0;

    // The report is complete: the completion dialog, then the file list re-read.
    virtual void RunCompleted() = 0;

protected:
    ~RunHost() = default;
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

struct RunResult {
    RunOutcome outcome = RunOutcome::InputRejected;
    int passes = 0;  // passes of the temperature iteration made
    CaseData data;
};

// Passes after which an iteration that still swings is given up; every
// converging case known takes far fewer.
inline constexpr int PassLimit = 10000;

// ResultFileName's longest length in bytes.
inline constexpr std::size_t ResultFileNameLimit = 255;

// The save-file name cut to its first 255 bytes, never inside a UTF-8
// character.
std::string CutResultFileName(std::string_view text);

// Where a run's report goes: the file the save-file-name box names, or nowhere
// (each block counts as written; for studies that keep only the RunResult).
enum class ReportTarget { File, None };

// One press of OK: reads the boxes, writes the report stage by stage and stops
// at the first stage that fails (it has shown its message). Arithmetic faults
// and I/O errors end the run at once through ShowFault.
RunResult RunCalculation(RunHost& host);

// The same run with its report sent to `target`; with ReportTarget::None the
// save-file name is not read and the writers are not called.
RunResult RunCalculation(RunHost& host, ReportTarget target);

}  // namespace vortane
