#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <string>
#include <tuple>
#include <vector>

#include "run/calculation_run.h"
#include "support/case_request.h"

namespace vortane {
namespace {

RunResult RunOf(const testing::Texts& texts) { return RunCalculation(testing::UnreportedRequest(texts)); }

bool Warns(const RunResult& run, const std::string& start) {
    return std::ranges::any_of(run.warnings,
                               [&](const std::string& warning) { return warning.starts_with(start); });
}

// Each input outside its sound range, in a case that still computes, and the
// warning that names it; the default case warns of nothing.
TEST(Warnings, EveryInputOutsideItsDomain) {
    EXPECT_TRUE(RunOf({}).warnings.empty());
    const std::vector<std::pair<testing::Texts, std::string>> cases{
        {{{"ChannelLength", "-5"}}, "ChannelLength = -5 is outside its sound range, above 0"},
        {{{"SolidRatio", "1.5"}}, "SolidRatio = 1.5 is outside its sound range, 0 to 1"},
        {{{"SolidRatio", "-0.1"}}, "SolidRatio = -0.1 is outside its sound range, 0 to 1"},
        {{{"MeltDensity", "-1"}}, "MeltDensity = -1 is outside its sound range, above 0"},
        {{{"EffectiveChannelCount", "6"}},
         "EffectiveChannelCount = 6 is outside its sound range, at most InletChannelCount = 5"},
        {{{"EffectiveChannelCount", "-5"}}, "EffectiveChannelCount = -5 is outside its sound range, 1 or more"},
        {{{"BarrierClearance1", "0.62"}},
         "BarrierClearance1 = 0.62 is outside its sound range, below ChannelDepth = 0.62"},
        {{{"BarrierClearance2", "0.7"}},
         "BarrierClearance2 = 0.7 is outside its sound range, below ChannelDepth = 0.62"},
        {{{"InletSolidTemp", "120"}},
         "InletSolidTemp = 120 is outside its sound range, at most MeltingPoint = 110.6"},
        {{{"InletMeltTemp", "100"}},
         "InletMeltTemp = 100 is outside its sound range, at least MeltingPoint = 110.6"},
        {{{"ChannelAngle", "-90"}}, "ChannelAngle = -90 is outside its sound range, above -90 and below 90"},
        {{{"SolidSpecificHeat", "-0.66"}}, "SolidSpecificHeat = -0.66 is outside its sound range, 0 or more"},
        {{{"HeatOfFusion", "-31"}}, "HeatOfFusion = -31 is outside its sound range, 0 or more"},
        {{{"MeltSpecificHeat", "-0.62"}}, "MeltSpecificHeat = -0.62 is outside its sound range, above 0"},
        {{{"OutputRate", "-267"}}, "OutputRate = -267 is outside its sound range, above 0"},
        {{{"BarrelDiameter", "-11.43"}, {"ScrewSpeed", "-80"}},
         "BarrelDiameter = -11.43 is outside its sound range, above 0"},
        {{{"InletSolidTemp", "-300"}},
         "InletSolidTemp = -300 is outside its sound range, -273.15 or more (absolute zero)"},
    };
    for (const auto& [texts, warning] : cases) {
        const RunResult run = RunOf(texts);
        EXPECT_NE(run.outcome, RunOutcome::InputRejected);
        EXPECT_TRUE(Warns(run, warning)) << warning << "\n first: " << (run.warnings.empty() ? "" : run.warnings[0]);
    }
    // Texts that do not convert give no warning at all.
    EXPECT_TRUE(RunOf({{"SolidRatio", "1,5"}}).warnings.empty());
}

// Inputs the formulas divide by, or whose logarithm the viscosity law takes
// through a shear rate: at zero or below each ends the run in an arithmetic
// fault, and the detail names the input and the window's box for it.
TEST(StopDetail, AFaultNamesTheInputItFollowsFrom) {
    const std::vector<std::tuple<std::string, std::string, std::string>> cases{
        {"ScrewSpeed", "0", "Floating point division by zero"},
        {"ScrewSpeed", "-80", "Invalid floating point operation"},
        {"OutputRate", "0", "Floating point division by zero"},
        {"InletPressure", "0", "Floating point division by zero"},
        {"MeltDensity", "0", "Floating point division by zero"},
        {"MeltSpecificHeat", "0", "Floating point division by zero"},
        {"BarrierWidth1", "0", "Floating point division by zero"},
        {"ChannelLength", "0", "Floating point division by zero"},
    };
    for (const auto& [field, text, fault] : cases) {
        const RunResult run = RunOf({{field, text}});
        EXPECT_EQ(run.outcome, RunOutcome::Fault) << field;
        EXPECT_EQ(run.fault, fault) << field;
        const std::string breach = std::string(field).append(" = ").append(text).append(
            " is outside its sound range, above 0");
        EXPECT_EQ(run.detail, breach + ", and the fault follows from it");
        EXPECT_EQ(run.faultBox, FindInputField(field)->box);
        EXPECT_TRUE(Warns(run, breach)) << field;
    }
    // A fault of inputs that all lie in their sound ranges says so: a law
    // whose viscosity overflows.
    const RunResult inside = RunOf({{"A0", "20000"}});
    EXPECT_EQ(inside.fault, "Floating point overflow");
    EXPECT_EQ(inside.detail, "every input lies in its sound range");
    EXPECT_EQ(inside.faultBox, 0);
    EXPECT_EQ(RunOf({}).faultBox, 0);
}

// Results that cannot hold: the warning never changes the outcome.
TEST(Warnings, ResultsThatMeanNothing) {
    RunResult run = RunOf({{"ScrewSpeed", "20"}});
    EXPECT_EQ(run.outcome, RunOutcome::Complete);
    ASSERT_EQ(run.warnings.size(), 1u);
    EXPECT_EQ(run.warnings[0],
              "the pressure in the outlet channel falls to -213.78 kgf/cm2 at z = 1.000: below zero "
              "the channel cannot run full");
    run = RunOf({{"ChannelLength", "-5"}});
    EXPECT_EQ(run.outcome, RunOutcome::Complete);
    EXPECT_TRUE(Warns(run, "the power comes out negative, -1.553 kW"));
    EXPECT_TRUE(Warns(RunOf({{"SolidRatio", "1"}}), "the feed cannot melt completely: its average melt "
                                                   "temperature at the inlet, 35.48 \u2103"));
    EXPECT_TRUE(Warns(RunOf({{"BarrierClearance1", "0.01"}}), "the pressure in the outlet channel falls to -1363.79"));
}

// InletPressure only decides the inlet pressure test, so the least pressure
// that passes is known in closed form: just above it the case completes, just
// below it fails.
// The law of examples/melt-fitted.vcase, fitted on 150 to 230 degC and 1 to
// 10000 1/s. At 30 kg/hr its melt reaches a working temperature of 235.25 degC;
// the shear rates π D N / (60 gap) are 77.22 1/s in the channel, 920.7 and
// 4352.5 1/s in the clearances, whatever the temperature.
TEST(Warnings, ViscosityLawOutsideItsData) {
    const testing::Texts fit{{"A0", "6.353905607"},       {"A1", "-0.6271968711"},
                             {"A11", "-0.016743224415"},  {"A2", "-0.010464736195"},
                             {"A22", "-1.0630030207E-5"}, {"A12", "0.0010625106509"}};
    const auto runOf = [&](const testing::Texts& texts, FittedRanges ranges) {
        testing::Texts all = fit;
        all.insert(texts.begin(), texts.end());
        RunRequest request = testing::UnreportedRequest(all);
        request.viscosityRanges = ranges;
        return RunCalculation(request);
    };
    const auto lawWarnings = [](const RunResult& run) {
        std::vector<std::string> found;
        std::ranges::copy_if(run.warnings, std::back_inserter(found),
                             [](const std::string& w) { return w.starts_with("the viscosity law"); });
        return found;
    };
    const FittedRanges data{ValueRange{150, 230}, ValueRange{1, 10000}};

    const RunResult thirty = runOf({{"OutputRate", "30"}}, data);
    EXPECT_EQ(lawWarnings(thirty), std::vector<std::string>{"the viscosity law is used at a melt temperature of "
                                                             "235.25 \u2103, outside the 150 to 230 \u2103 it "
                                                             "was fitted on"});
    EXPECT_TRUE(lawWarnings(runOf({}, data)).empty());
    EXPECT_TRUE(lawWarnings(runOf({{"OutputRate", "30"}}, {})).empty());  // a case that does not know them

    EXPECT_EQ(lawWarnings(runOf({}, {std::nullopt, ValueRange{100, 1000}})),
              (std::vector<std::string>{
                  "the viscosity law is used at a shear rate of 77.2224 1/s in the channel, outside the 100 to "
                  "1000 1/s it was fitted on",
                  "the viscosity law is used at a shear rate of 4352.53 1/s in the clearance of barrier 2, "
                  "outside the 100 to 1000 1/s it was fitted on"}));

    // A run stopped by the pressure test used the law at its last pass's temperature too.
    const RunResult stopped = runOf({{"InletPressure", "21"}}, {ValueRange{300, 400}, std::nullopt});
    ASSERT_EQ(stopped.outcome, RunOutcome::PressureTooLow);
    EXPECT_EQ(lawWarnings(stopped).size(), 1u);
    const RunResult rejected = runOf({{"BarrierWidth1", "20"}}, {ValueRange{300, 400}, ValueRange{1, 2}});
    ASSERT_FALSE(HoldsChannelBlock(rejected.outcome));
    EXPECT_TRUE(lawWarnings(rejected).empty());  // the law never evaluated

    // The warnings change nothing else.
    const RunResult unknown = runOf({{"OutputRate", "30"}}, {});
    EXPECT_EQ(thirty.outcome, unknown.outcome);
    EXPECT_EQ(thirty.messages, unknown.messages);
    EXPECT_EQ(thirty.passes, unknown.passes);
    EXPECT_EQ(thirty.data.TemperatureRise, unknown.data.TemperatureRise);
    EXPECT_EQ(thirty.warnings.size(), unknown.warnings.size() + 1);
}

TEST(StopDetail, LeastPassingInletPressure) {
    for (const testing::Texts& texts : {testing::Texts{{"InletPressure", "21"}},
                                        {{"InletPressure", "5"}, {"ChannelAngle", "0"}},
                                        {{"InletPressure", "10"}, {"ScrewSpeed", "40"}}}) {
        const RunResult low = RunOf(texts);
        ASSERT_EQ(low.outcome, RunOutcome::PressureTooLow);
        ASSERT_TRUE(low.leastInletPressure.has_value());
        const double least = *low.leastInletPressure;
        testing::Texts near = texts;
        near["InletPressure"] = std::to_string(least * (1 + 1e-6));
        const RunResult above = RunOf(near);
        EXPECT_EQ(above.outcome, RunOutcome::Complete) << near["InletPressure"];
        EXPECT_NEAR(*above.leastInletPressure, least, least * 1e-12);
        near["InletPressure"] = std::to_string(least * (1 - 1e-6));
        EXPECT_EQ(RunOf(near).outcome, RunOutcome::PressureTooLow) << near["InletPressure"];
    }
    EXPECT_EQ(RunOf({{"InletPressure", "21"}}).detail,
              "the inlet pressure test passes in every pass above InletPressure = 21.13058 kgf/cm2");
}

TEST(StopDetail, SaysWhyTheRunStopped) {
    EXPECT_EQ(RunOf({{"Edit12", "5.0"}}).detail,
              "Edit12 InletChannelCount (\"Number of Inlet (or Outlet) Channels (-)\"): \"5.0\" is not "
              "a 32-bit integer");
    EXPECT_EQ(RunOf({{"OutputRate", "10"}}).detail,
              "the working temperature alternates between 169.57 \u2103 and 581.36 \u2103");
    const RunResult missing = RunCalculation(testing::CaseRequest("/nonexistent/dir/r.txt"));
    EXPECT_EQ(missing.outcome, RunOutcome::FileNotOpened);
    EXPECT_EQ(missing.detail, "cannot open " + std::filesystem::absolute("/nonexistent/dir/r.txt").string() +
                                  ": No such file or directory");
    EXPECT_EQ(RunOf({}).detail, "");
}

}  // namespace
}  // namespace vortane
