#include "cli/exit_status.h"

#include <gtest/gtest.h>

#include <sstream>

#include "case/case_file.h"
#include "case/limit.h"
#include "case/warning_kind.h"
#include "cli/command_line.h"
#include "measurement/measurement_file.h"
#include "model/arithmetic.h"
#include "report/report_writer.h"
#include "study/sweep_plan.h"

namespace vortane::cli {
namespace {

// The status and the text on standard error for `raised`, thrown.
template <class Raised>
std::pair<int, std::string> Reported(const Raised& raised, std::string_view usage = "USAGE\n") {
    std::ostringstream err;
    try {
        throw raised;
    } catch (...) {
        const int status = ReportFailure(err, usage);
        return {status, err.str()};
    }
}

TEST(ExitStatus, RefusedInputIsAUsageError) {
    EXPECT_EQ(Reported(UsageError("at most two --sweep options")),
              std::pair(2, std::string("vortane-calc: at most two --sweep options\n")));
    EXPECT_EQ(Reported(CaseFileError("c.case:2: unknown field Speed")),
              std::pair(2, std::string("vortane-calc: c.case:2: unknown field Speed\n")));
    EXPECT_EQ(Reported(MeasurementError("m.csv: no header")).first, 2);
    EXPECT_EQ(Reported(SweepError("STEP must not be zero")).first, 2);
    EXPECT_EQ(Reported(LimitError("limit \"x\" is not QUANTITY<=VALUE or QUANTITY>=VALUE")).first, 2);
    // By the base alone: a refusal no list names is one still.
    EXPECT_EQ(Reported(WarningKindError("\"x\" is no kind of warning")).first, 2);
    EXPECT_EQ(Reported(Refusal("refused")).first, 2);
    EXPECT_EQ(Reported(Error("failed")).first, 3);
}

// The usage text follows only a command line that cannot be read at all.
TEST(ExitStatus, MalformedCommandLineShowsTheUsage) {
    EXPECT_EQ(Reported(MalformedCommandLine("unknown option --x")),
              std::pair(2, std::string("vortane-calc: unknown option --x\n\nUSAGE\n")));
    EXPECT_EQ(Reported(MalformedCommandLine("-o needs a value"), ""),
              std::pair(2, std::string("vortane-calc: -o needs a value\n")));
}

TEST(ExitStatus, FailuresThatEndTheRunAreFaults) {
    EXPECT_EQ(Reported(OutputError("cannot write a.csv: No space left on device")),
              std::pair(3, std::string("vortane-calc: cannot write a.csv: No space left on device\n")));
    EXPECT_EQ(Reported(ArithmeticFault("Floating point overflow")).first, 3);
    EXPECT_EQ(Reported(ReportIoError("I/O error while writing the report")).first, 3);
    EXPECT_EQ(Reported(std::bad_alloc()), std::pair(3, std::string("vortane-calc: std::bad_alloc\n")));
    EXPECT_EQ(Reported(42), std::pair(3, std::string("vortane-calc: unexpected failure\n")));
}

}  // namespace
}  // namespace vortane::cli
