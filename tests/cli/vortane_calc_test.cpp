#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "support/scratch_dir.h"

namespace vortane {
namespace {

using testing::ReadBytes;
using testing::ScratchDir;

struct Outcome {
    int status;
    std::string stderrText;
};

// Runs vortane-calc in `dir` with a shell command line of arguments.
Outcome RunCalc(const ScratchDir& dir, const std::string& arguments,
                const std::string& environment = "LC_ALL=C") {
    const std::string errors = dir.Path("stderr.txt").string();
    const std::string command = "cd '" + dir.Root().string() + "' && " + environment + " " +
                                VORTANE_CALC + " " + arguments + " >/dev/null 2>'" + errors + "'";
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadBytes(errors)};
}

std::size_t Lines(const std::string& bytes) {
    return static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n'));
}

TEST(VortaneCalc, DefaultCaseWritesTheFullReport) {
    ScratchDir dir;
    const Outcome outcome = RunCalc(dir, "");
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.stderrText, "");
    const std::string report = ReadBytes(dir.Path("result.txt"));
    EXPECT_EQ(Lines(report), 49u);
    EXPECT_NE(report.find("    Temperature Difference (\x81\x8E)                   =  29.55\r\n"),
              std::string::npos);
}

TEST(VortaneCalc, StageMessagesAndExitStatus) {
    ScratchDir dir;
    Outcome outcome = RunCalc(dir, "-o low.txt InletPressure=21");
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.stderrText, "Assumed inlet pressure is too low!\n");
    EXPECT_EQ(Lines(ReadBytes(dir.Path("low.txt"))), 38u);

    outcome = RunCalc(dir, "Edit10=0.3 BarrierWidth1=7");
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.stderrText,
              "Input condition is not proper! Calculated width becomes minus.\n"
              "Channel dimensions are not proper! Corner radius is larger than width/2\n");

    outcome = RunCalc(dir, "OutputRate=10");
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.stderrText, "Temperature iteration does not converge!\n");
}

TEST(VortaneCalc, FaultsExitWithThree) {
    ScratchDir dir;
    Outcome outcome = RunCalc(dir, "ScrewSpeed=0");
    EXPECT_EQ(outcome.status, 3);
    EXPECT_EQ(outcome.stderrText, "Floating point division by zero\n");

    outcome = RunCalc(dir, "-o /dev/full");
    EXPECT_EQ(outcome.status, 3);
    EXPECT_EQ(outcome.stderrText, "I/O error while writing the report: No space left on device\n");
}

TEST(VortaneCalc, UsageErrorsExitWithTwo) {
    ScratchDir dir;
    const Outcome outcome = RunCalc(dir, "Speed=80");
    EXPECT_EQ(outcome.status, 2);
    EXPECT_NE(outcome.stderrText.find("unknown field Speed"), std::string::npos);
    EXPECT_NE(outcome.stderrText.find("usage: vortane-calc"), std::string::npos);
    EXPECT_EQ(RunCalc(dir, "--help").status, 0);
}

TEST(VortaneCalc, DecimalSeparatorFromTheOptionOrTheLocale) {
    ScratchDir dir;
    Outcome outcome = RunCalc(dir, "--decimal-separator , OutputRate=30,0");
    EXPECT_EQ(outcome.status, 0) << outcome.stderrText;
    EXPECT_NE(ReadBytes(dir.Path("result.txt")).find("=  30,0\r\n"), std::string::npos);

    // A point where the separator is a comma is bad text.
    outcome = RunCalc(dir, "--decimal-separator , OutputRate=30.0");
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.stderrText, "Input data is not proper, change and try again!\n");
}

}  // namespace
}  // namespace vortane
