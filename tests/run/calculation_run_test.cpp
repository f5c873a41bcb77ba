#include "run/calculation_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/recording_host.h"
#include "support/same_case.h"
#include "support/scratch_dir.h"
#include "support/significant.h"

namespace vortane {
namespace {

using testing::ReadBytes;
using testing::RecordingHost;
using testing::ScratchDir;

std::size_t LineCount(const std::string& bytes) {
    return static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n'));
}

class Run : public ::testing::Test {
protected:
    ScratchDir dir;
    std::string report = dir.Path("result.txt").string();
    RecordingHost host{report};

    RunResult RunWith(std::map<std::string, std::string> texts) {
        for (const auto& [field, text] : texts) host.Set(field, text);
        return RunCalculation(host);
    }
};

TEST_F(Run, BadTextShowsOnlyTheInputMessageAndLeavesTheReport) {
    {
        std::ofstream(report) << "earlier report";
    }
    const RunResult result = RunWith({{"ChannelLength", "21.6cm"}});
    EXPECT_EQ(result.outcome, RunOutcome::InputRejected);
    EXPECT_EQ(host.messages,
              std::vector<std::string>{"Input data is not proper, change and try again!"});
    EXPECT_EQ(ReadBytes(report), "earlier report");
    EXPECT_EQ(host.completions, 0);
}

TEST_F(Run, NegativeWidthShowsBothGeometryMessagesAndKeepsTheInputBlock) {
    const RunResult result = RunWith({{"BarrierWidth1", "7"}});
    EXPECT_EQ(result.outcome, RunOutcome::ChannelRejected);
    EXPECT_EQ(host.messages, (std::vector<std::string>{
                                 "Input condition is not proper! Calculated width becomes minus.",
                                 "Channel dimensions are not proper!"}));
    EXPECT_EQ(LineCount(ReadBytes(report)), 31u);
    EXPECT_EQ(result.passes, 0);
}

TEST_F(Run, LowInletPressureShowsItsMessageOnce) {
    const RunResult result = RunWith({{"InletPressure", "21"}});
    EXPECT_EQ(result.outcome, RunOutcome::PressureTooLow);
    EXPECT_EQ(host.messages, std::vector<std::string>{"Assumed inlet pressure is too low!"});
    EXPECT_EQ(result.passes, 1);
    EXPECT_EQ(host.completions, 0);
}

TEST_F(Run, ConvergingSmallThroughputsKeepTheirPassCounts) {
    const std::pair<const char*, int> cases[] = {{"267.0", 3}, {"30", 17}, {"20", 44}, {"17", 104}};
    for (const auto& [rate, passes] : cases) {
        RecordingHost h(report);
        h.Set("OutputRate", rate);
        const RunResult result = RunCalculation(h);
        EXPECT_EQ(result.outcome, RunOutcome::Complete) << rate;
        EXPECT_EQ(result.passes, passes) << rate;
        EXPECT_EQ(h.completions, 1);
        EXPECT_EQ(LineCount(ReadBytes(report)), 49u);
    }
}

TEST_F(Run, ThirtyKilogramsPerHourReportsItsSeventeenthPass) {
    const RunResult result = RunWith({{"OutputRate", "30"}});
    EXPECT_SIGNIFICANT(result.data.TemperatureRise, 157.4514, 7);
    const std::string bytes = ReadBytes(report);
    EXPECT_NE(bytes.find("    Total Pressure Drop (kgf/cm2)                 =  -96.93\r\n"),
              std::string::npos);
    EXPECT_NE(bytes.find("    Power Consumption at Mix. Part (kW)           =  3.408317\r\n"),
              std::string::npos);
}

TEST_F(Run, NonConvergingIterationStopsAtThePassLimit) {
    const RunResult result = RunWith({{"OutputRate", "10"}});
    EXPECT_EQ(result.outcome, RunOutcome::NotConverged);
    EXPECT_EQ(result.passes, PassLimit);
    EXPECT_EQ(host.messages, std::vector<std::string>{"Temperature iteration does not converge!"});
    EXPECT_EQ(host.completions, 0);
    EXPECT_EQ(LineCount(ReadBytes(report)), 38u);
}

// Inputs whose arithmetic fails: the run ends at once with the fault named,
// no later message or stage, and the report as far as it was written.
struct FaultCase {
    const char* field;
    const char* text;
    const char* fault;
    std::size_t reportLines;
};

TEST_F(Run, ArithmeticFaultsEndTheRunAtOnce) {
    const FaultCase cases[] = {
        {"InletChannelCount", "0", "Floating point division by zero", 31},
        {"ChannelDepth", "0", "Invalid floating point operation", 31},
        {"ChannelDepth", "-0.62", "Invalid floating point operation", 31},
        {"MeltSpecificHeat", "0", "Floating point division by zero", 31},
        {"EffectiveChannelCount", "0", "Floating point division by zero", 38},
        {"MeltDensity", "0", "Floating point division by zero", 38},
        {"BarrierClearance1", "0", "Floating point division by zero", 38},
        {"BarrierClearance2", "0", "Floating point division by zero", 38},
        {"ScrewSpeed", "0", "Floating point division by zero", 38},
        {"ScrewSpeed", "-80", "Invalid floating point operation", 38},
        {"OutputRate", "0", "Floating point division by zero", 38},
        {"InletPressure", "0", "Floating point division by zero", 38},
    };
    for (const FaultCase& c : cases) {
        SCOPED_TRACE(std::string(c.field) + " = " + c.text);
        RecordingHost h(report);
        h.Set(c.field, c.text);
        const RunResult result = RunCalculation(h);
        EXPECT_EQ(result.outcome, RunOutcome::Fault);
        EXPECT_TRUE(h.messages.empty());
        EXPECT_EQ(h.faults, std::vector<std::string>{c.fault});
        EXPECT_EQ(h.completions, 0);
        EXPECT_EQ(LineCount(ReadBytes(report)), c.reportLines);
    }
}

TEST_F(Run, MessageBeforeAFaultIsStillShown) {
    const RunResult result = RunWith({{"BarrierWidth1", "7"}, {"ChannelDepth", "-0.62"}});
    EXPECT_EQ(result.outcome, RunOutcome::Fault);
    EXPECT_EQ(host.messages,
              std::vector<std::string>{
                  "Input condition is not proper! Calculated width becomes minus."});
    EXPECT_EQ(host.faults, std::vector<std::string>{"Invalid floating point operation"});
}

TEST_F(Run, AFaultDoesNotLeakIntoTheNextRun) {
    RunWith({{"OutputRate", "0"}});
    RecordingHost next(report);
    EXPECT_EQ(RunCalculation(next).outcome, RunOutcome::Complete);
    EXPECT_TRUE(next.faults.empty());
}

TEST(ResultFileName, CutToWholeCharactersWithin255Bytes) {
    EXPECT_EQ(CutResultFileName("result.txt"), "result.txt");
    const std::string exact(255, 'a');
    EXPECT_EQ(CutResultFileName(exact), exact);
    EXPECT_EQ(CutResultFileName(std::string(300, 'a')), exact);
    // "é" is two bytes, "℃" three: a character across byte 255 is dropped.
    EXPECT_EQ(CutResultFileName(std::string(254, 'a') + "é"), std::string(254, 'a'));
    EXPECT_EQ(CutResultFileName(std::string(253, 'a') + "℃b"), std::string(253, 'a'));
    EXPECT_EQ(CutResultFileName(std::string(252, 'a') + "℃b"), std::string(252, 'a') + "℃");
}

TEST_F(Run, LongNamesAreCutBeforeUse) {
    const std::string longName = dir.Root().string() + "/" + std::string(300, 'y');
    RecordingHost h(longName);
    EXPECT_EQ(RunCalculation(h).outcome, RunOutcome::Complete);
    EXPECT_TRUE(std::filesystem::exists(longName.substr(0, 255)));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Root()), {}), 1);
}

// A run that keeps no report takes the same stages to the same end: the
// outcome, the passes, the messages and every field of the case, bit for bit.
TEST_F(Run, WithoutAReportEveryStageEndsAlike) {
    const std::map<std::string, std::string> cases[] = {
        {},
        {{"OutputRate", "30"}},
        {{"ChannelAngle", "0"}},
        {{"InletPressure", "21"}},
        {{"BarrierWidth1", "7"}},
        {{"OutputRate", "10"}},
        {{"MeltDensity", "0"}},
        {{"ChannelLength", "21.6cm"}},
    };
    for (const auto& texts : cases) {
        SCOPED_TRACE(texts.empty() ? "defaults"
                                   : texts.begin()->first + " = " + texts.begin()->second);
        RecordingHost written(report);
        RecordingHost unwritten(dir.Path("never.txt").string());
        for (const auto& [field, text] : texts) {
            written.Set(field, text);
            unwritten.Set(field, text);
        }
        const RunResult a = RunCalculation(written);
        const RunResult b = RunCalculation(unwritten, ReportTarget::None);
        EXPECT_EQ(a.outcome, b.outcome);
        EXPECT_EQ(a.passes, b.passes);
        EXPECT_EQ(written.messages, unwritten.messages);
        EXPECT_EQ(written.faults, unwritten.faults);
        EXPECT_EQ(written.completions, unwritten.completions);
        testing::ExpectSameCase(a.data, b.data);
    }
    EXPECT_FALSE(std::filesystem::exists(dir.Path("never.txt")));
}

}  // namespace
}  // namespace vortane
