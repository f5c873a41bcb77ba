#include "run/calculation_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "case/excerpt.h"
#include "support/case_request.h"
#include "support/same_case.h"
#include "support/scratch_dir.h"
#include "support/significant.h"

namespace vortane {
namespace {

using testing::ReadBytes;
using testing::CaseRequest;
using testing::Texts;
using testing::ScratchDir;

std::size_t LineCount(const std::string& bytes) {
    return static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n'));
}

class Run : public ::testing::Test {
protected:
    ScratchDir dir;
    std::string report = dir.Path("result.txt").string();

    RunResult RunWith(const Texts& texts) { return RunCalculation(CaseRequest(report, texts)); }
};

TEST_F(Run, BadTextShowsOnlyTheInputMessageAndLeavesTheReport) {
    {
        std::ofstream(report) << "earlier report";
    }
    const RunResult result = RunWith({{"ChannelLength", "21.6cm"}});
    EXPECT_EQ(result.outcome, RunOutcome::InputRejected);
    EXPECT_EQ(result.messages,
              std::vector<std::string>{"Input data is not proper, change and try again!"});
    EXPECT_EQ(ReadBytes(report), "earlier report");
}

TEST_F(Run, NegativeWidthShowsBothGeometryMessagesAndKeepsTheInputBlock) {
    const RunResult result = RunWith({{"BarrierWidth1", "7"}});
    EXPECT_EQ(result.outcome, RunOutcome::ChannelRejected);
    EXPECT_EQ(result.messages, (std::vector<std::string>{
                                 "Input condition is not proper! Calculated width becomes minus.",
                                 "Channel dimensions are not proper!"}));
    EXPECT_EQ(LineCount(ReadBytes(report)), 31u);
    EXPECT_EQ(result.passes, 0);
}

TEST_F(Run, LowInletPressureShowsItsMessageOnce) {
    const RunResult result = RunWith({{"InletPressure", "21"}});
    EXPECT_EQ(result.outcome, RunOutcome::PressureTooLow);
    EXPECT_EQ(result.messages, std::vector<std::string>{"Assumed inlet pressure is too low!"});
    EXPECT_EQ(result.passes, 1);
}

TEST_F(Run, ConvergingSmallThroughputsKeepTheirPassCounts) {
    const std::pair<const char*, int> cases[] = {{"267.0", 3}, {"30", 17}, {"20", 44}, {"17", 104}};
    for (const auto& [rate, passes] : cases) {
        const RunResult result = RunWith({{"OutputRate", rate}});
        EXPECT_EQ(result.outcome, RunOutcome::Complete) << rate;
        EXPECT_EQ(result.passes, passes) << rate;
        EXPECT_EQ(result.blocksWritten, 3);
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
    EXPECT_EQ(result.messages, std::vector<std::string>{"Temperature iteration does not converge!"});
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
        const RunResult result = RunWith({{c.field, c.text}});
        EXPECT_EQ(result.outcome, RunOutcome::Fault);
        EXPECT_TRUE(result.messages.empty());
        EXPECT_EQ(result.fault, c.fault);
        EXPECT_EQ(result.blocksWritten, c.reportLines == 31 ? 1 : 2);
        EXPECT_EQ(LineCount(ReadBytes(report)), c.reportLines);
    }
}

// The fault named is that of the first operation that faults, taken from its
// operands and value, in each step of the model.
TEST_F(Run, TheFirstFaultingOperationNamesTheFault) {
    const char* const divisionByZero = "Floating point division by zero";
    const char* const invalid = "Invalid floating point operation";
    const char* const overflow = "Floating point overflow";
    const std::vector<std::pair<Texts, const char*>> cases{
        // The equivalent width divides the area by the depth: x / 0 while the
        // area stays, 0 / 0 when it vanishes with the depth.
        {{{"ChannelDepth", "0"}, {"CornerRadius", "-0.1"}}, divisionByZero},
        {{{"ChannelDepth", "0"}, {"CornerRadius", "0"}}, invalid},
        {{{"InletChannelCount", "0"}, {"BarrelDiameter", "0"}}, invalid},
        {{{"ChannelDepth", "-0.62"}, {"CornerRadius", "0"}}, invalid},
        {{{"BarrelDiameter", "1e308"},
          {"InletChannelCount", "1"},
          {"EffectiveChannelCount", "1"},
          {"ChannelDepth", "1e-10"},
          {"BarrierClearance1", "1e-11"},
          {"BarrierClearance2", "1e-12"}},
         overflow},
        // The law's exponent beyond range; a viscosity that underflows to 0
        // and then divides.
        {{{"A11", "1e300"}}, overflow},
        {{{"A0", "-20000"}}, divisionByZero},
        // Leakage so small beside the pressure flow that ProfileK and
        // ProfileForcing underflow to 0 together: r = 0 / 0.
        {{{"ChannelLength", "1e-300"}}, invalid},
        // Leakage so large that exp(2 s) overflows, in both channel forms.
        {{{"BarrierWidth1", "1e-30"}, {"BarrierWidth2", "1e-30"}, {"BarrierClearance1", "0.6"},
          {"BarrierClearance2", "0.6"}},
         overflow},
        {{{"ChannelAngle", "0"}, {"BarrierWidth1", "1e-30"}, {"BarrierWidth2", "1e-30"},
          {"BarrierClearance1", "0.6"}, {"BarrierClearance2", "0.6"}},
         overflow},
        // An inlet melt temperature beyond a double.
        {{{"SolidSpecificHeat", "1e308"}}, overflow},
    };
    for (const auto& [texts, fault] : cases) {
        SCOPED_TRACE(texts.begin()->first + " = " + texts.begin()->second);
        const RunResult result = RunWith(texts);
        EXPECT_EQ(result.outcome, RunOutcome::Fault);
        EXPECT_EQ(result.fault, fault);
    }
}

TEST_F(Run, MessageBeforeAFaultIsStillShown) {
    const RunResult result = RunWith({{"BarrierWidth1", "7"}, {"ChannelDepth", "-0.62"}});
    EXPECT_EQ(result.outcome, RunOutcome::Fault);
    EXPECT_EQ(result.messages,
              std::vector<std::string>{
                  "Input condition is not proper! Calculated width becomes minus."});
    EXPECT_EQ(result.fault, "Invalid floating point operation");
}

TEST_F(Run, AFaultDoesNotLeakIntoTheNextRun) {
    RunWith({{"OutputRate", "0"}});
    const RunResult next = RunWith({});
    EXPECT_EQ(next.outcome, RunOutcome::Complete);
    EXPECT_TRUE(next.fault.empty());
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

// Front ends other than the window refuse what the run would cut.
TEST(ResultFileName, LongerThan255BytesIsRefused) {
    EXPECT_NO_THROW(CheckResultFileName(std::string(255, 'a')));
    try {
        CheckResultFileName(std::string(200, 'a') + "/" + std::string(100, 'b'));
        ADD_FAILURE() << "a 301-byte name passed";
    } catch (const ResultFileNameError& error) {
        EXPECT_EQ(std::string(error.what()), "the report's name \"" + std::string(60, 'a') +
                                                 "…\" is 301 bytes long; a report's name holds at most 255");
    }
}

// A text quoted in a detail is cut to a readable length, never inside a
// character.
TEST_F(Run, QuotedTextsAreCut) {
    EXPECT_EQ(Excerpt("0.0x5"), "0.0x5");
    EXPECT_EQ(Excerpt(std::string(60, 'x')), std::string(60, 'x'));
    EXPECT_EQ(Excerpt(std::string(59, 'x') + "℃℃"), std::string(59, 'x') + "℃…");
    EXPECT_EQ(Excerpt("abc", 0), "…");
    EXPECT_EQ(RunWith({{"Edit2", std::string(300, '9') + "x"}}).detail,
              "Edit2 ScrewSpeed (\"Number of Revolution (rpm)\"): \"" + std::string(60, '9') +
                  "…\" is not a real number");
}

TEST_F(Run, LongNamesAreCutBeforeUse) {
    const std::string longName = dir.Root().string() + "/" + std::string(300, 'y');
    EXPECT_EQ(RunCalculation(CaseRequest(longName)).outcome, RunOutcome::Complete);
    EXPECT_TRUE(std::filesystem::exists(longName.substr(0, 255)));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Root()), {}), 1);
}

// A run that keeps no report takes the same stages to the same end: the
// outcome, the passes, the messages and every field of the case, bit for bit.
TEST_F(Run, WithoutAReportEveryStageEndsAlike) {
    const Texts cases[] = {
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
        RunRequest unwritten = CaseRequest(dir.Path("never.txt").string(), texts);
        unwritten.report = ReportTarget::None;
        const RunResult a = RunWith(texts);
        const RunResult b = RunCalculation(unwritten);
        EXPECT_EQ(a.outcome, b.outcome);
        EXPECT_EQ(a.passes, b.passes);
        EXPECT_EQ(a.messages, b.messages);
        EXPECT_EQ(a.fault, b.fault);
        EXPECT_EQ(b.blocksWritten, 0);
        testing::ExpectSameCase(a.data, b.data);
    }
    EXPECT_FALSE(std::filesystem::exists(dir.Path("never.txt")));
}

}  // namespace
}  // namespace vortane
