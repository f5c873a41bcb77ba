#include "design/optimisation.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>

#include "design/design_point.h"
#include "result/run_table.h"
#include "support/case_request.h"

namespace vortane {
namespace {

using ::testing::HasSubstr;
using testing::UnreportedRequest;

const std::vector<Limit> PlantLimits = {{"TemperatureRise", LimitBound::AtMost, 30},
                                        {"Barrier1ShearStress", LimitBound::AtLeast, 135},
                                        {"LeastInletPressure", LimitBound::AtLeast, 0}};

std::string Text(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.10g", value);
    return text;
}

OptimisationRequest PlantRequest() {
    OptimisationRequest request;
    request.base = UnreportedRequest({{"OutputRate", "350"}});
    request.inputs = {{FindInputField("BarrierClearance1"), 0.03, 0.1}, {FindInputField("ScrewSpeed"), 60, 140}};
    request.objective = "TotalPressureDrop";
    request.limits = PlantLimits;
    request.threads = 2;
    return request;
}

// The objective of a run of the case and its feasibility, judged afresh.
struct Judged {
    bool feasible;
    double objective;
};

Judged Judge(const testing::Texts& texts, const std::string& objective) {
    testing::Texts all = texts;
    all["OutputRate"] = "350";
    const RunResult run = RunCalculation(UnreportedRequest(all));
    const std::vector<LimitMargin> margins = LimitMargins(PlantLimits, LimitColumns(PlantLimits), run);
    const std::optional<double> value = ColumnNumber(QuantityColumn(objective), run);
    return {Feasible(run.outcome, run.warningKinds, {}, margins), value.value_or(0)};
}

// Both the temperature rise and the shear stress limit are active at the
// optimum; a 41 × 41 grid over the same bounds finds no better feasible point.
TEST(Optimise, MeetsTheLimitsAndBeatsAGrid) {
    const OptimisationResult result = Optimise(PlantRequest());
    ASSERT_TRUE(result.found);
    EXPECT_EQ(result.end, OptimisationEnd::Converged);
    const Judged found = Judge({{"BarrierClearance1", result.inputTexts[0]}, {"ScrewSpeed", result.inputTexts[1]}},
                               "TotalPressureDrop");
    EXPECT_TRUE(found.feasible);
    EXPECT_EQ(found.objective, *result.objective);
    EXPECT_EQ(result.texts[FindInputField("ScrewSpeed")->box - 1], result.inputTexts[1]);
    EXPECT_NEAR(*result.margins[0].margin, 0, 0.01);
    EXPECT_NEAR(*result.margins[1].margin, 0, 0.1);
    std::optional<double> gridBest;
    for (int i = 0; i <= 40; ++i) {
        for (int j = 0; j <= 40; ++j) {
            const Judged point = Judge({{"BarrierClearance1", Text(0.03 + 0.07 * i / 40)},
                                        {"ScrewSpeed", Text(60 + 80.0 * j / 40)}},
                                       "TotalPressureDrop");
            if (point.feasible && (!gridBest || point.objective < *gridBest)) gridBest = point.objective;
        }
    }
    ASSERT_TRUE(gridBest);
    EXPECT_LE(*result.objective, *gridBest);
    EXPECT_LE(result.history.size(), 400u);
}

// The greatest shear stress on the first barrier with the temperature rise at
// most 30 ℃, over the speed alone: no point of a fine scan beats it.
TEST(Optimise, MaximisesOneInput) {
    OptimisationRequest request = PlantRequest();
    request.inputs = {{FindInputField("ScrewSpeed"), 60, 140}};
    request.objective = "Barrier1ShearStress";
    request.maximise = true;
    request.limits = {PlantLimits[0]};
    const OptimisationResult result = Optimise(request);
    ASSERT_TRUE(result.found);
    for (int j = 0; j <= 160; ++j) {
        const Judged point = Judge({{"ScrewSpeed", Text(60 + 0.5 * j)}}, "Barrier1ShearStress");
        if (Judge({{"ScrewSpeed", Text(60 + 0.5 * j)}}, "TemperatureRise").objective <= 30) {
            EXPECT_LE(point.objective, *result.objective * (1 + 1e-4)) << 60 + 0.5 * j;
        }
    }
}

// Least squares: the temperature rise and the pressure drop of the run at
// 0.07 cm and 100 rpm, held by both inputs, lead back to that design. The
// temperature iteration stops within 0.5 ℃, so the values move in small steps
// and the search ends within them: each deviation well under 1 %.
TEST(Optimise, LeastSquaresFindsTheDesignThatHoldsTheTargets) {
    const RunResult at = RunCalculation(UnreportedRequest({{"OutputRate", "350"}, {"BarrierClearance1", "0.07"},
                                                           {"ScrewSpeed", "100"}}));
    OptimisationRequest request = PlantRequest();
    request.objective.clear();
    request.limits.clear();
    for (const char* quantity : {"TemperatureRise", "TotalPressureDrop"})
        request.deviations.push_back({quantity, *ColumnNumber(QuantityColumn(quantity), at)});
    const OptimisationResult result = Optimise(request);
    ASSERT_TRUE(result.found);
    EXPECT_LT(*result.objective, 1e-4);
    EXPECT_NEAR(std::stod(result.inputTexts[0]), 0.07, 0.002);
    EXPECT_NEAR(std::stod(result.inputTexts[1]), 100, 2);
    request.deviations.front().value = 0;
    EXPECT_THROW(Optimise(request), DesignError);
}

// One target over two inputs is held along a curve of designs; the pull
// towards a design on that curve brings the search to it, the target still
// held. A pull with a value missing is refused.
TEST(Optimise, APullChoosesAmongDesignsThatHoldTheTargetsAlike) {
    const RunResult at = RunCalculation(UnreportedRequest({{"OutputRate", "350"}, {"BarrierClearance1", "0.07"},
                                                           {"ScrewSpeed", "100"}}));
    OptimisationRequest request = PlantRequest();
    request.objective.clear();
    request.limits.clear();
    request.deviations.push_back({"TemperatureRise", *ColumnNumber(QuantityColumn("TemperatureRise"), at)});
    request.anchor = {0.07, 100};
    request.anchorWeight = 1e-6;
    const OptimisationResult result = Optimise(request);
    ASSERT_TRUE(result.found);
    EXPECT_LT(*result.objective, 1e-5);
    EXPECT_NEAR(std::stod(result.inputTexts[0]), 0.07, 0.002);
    EXPECT_NEAR(std::stod(result.inputTexts[1]), 100, 2);
    request.anchor.pop_back();
    EXPECT_THROW(Optimise(request), DesignError);
}

// Searches sharing a memo make each run once: the same question again makes
// no run, and both give what a search without the memo gives.
TEST(Optimise, ASharedMemoMakesEachRunOnce) {
    OptimisationRequest request = PlantRequest();
    const OptimisationResult plain = Optimise(request);
    RunMemo memo;
    request.memo = &memo;
    const OptimisationResult first = Optimise(request);
    const std::size_t made = memo.RunsMade();
    EXPECT_GT(made, 0u);
    EXPECT_LE(made, first.history.size());
    const OptimisationResult again = Optimise(request);
    EXPECT_EQ(memo.RunsMade(), made);
    for (const OptimisationResult* result : {&first, &again}) {
        EXPECT_EQ(result->inputTexts, plain.inputTexts);
        EXPECT_EQ(result->objective, plain.objective);
        EXPECT_EQ(result->history.size(), plain.history.size());
    }
}

// At 350 kg/hr the greatest stress on the first barrier with ΔT ≤ 30 ℃ lies
// where the outlet channel falls below zero. Unless the case accepts that, the
// design found is the best whose run raises no warning: a grid of runs that
// raise none does not beat it.
TEST(Optimise, FindsOnlyDesignsThatCanRun) {
    OptimisationRequest request = PlantRequest();
    request.objective = "Barrier1ShearStress";
    request.maximise = true;
    request.limits = {PlantLimits[0]};
    const OptimisationResult sound = Optimise(request);
    ASSERT_TRUE(sound.found);
    const RunResult rerun = RunCalculation(UnreportedRequest(
        {{"OutputRate", "350"}, {"BarrierClearance1", sound.inputTexts[0]}, {"ScrewSpeed", sound.inputTexts[1]}}));
    EXPECT_TRUE(rerun.warnings.empty()) << rerun.warnings.front();
    EXPECT_LE(rerun.data.TemperatureRise, 30);
    for (int i = 0; i <= 20; ++i) {
        for (int j = 0; j <= 20; ++j) {
            const RunResult run = RunCalculation(UnreportedRequest({{"OutputRate", "350"},
                                                                    {"BarrierClearance1", Text(0.03 + 0.0035 * i)},
                                                                    {"ScrewSpeed", Text(60 + 4.0 * j)}}));
            const std::vector<LimitMargin> margins = LimitMargins(request.limits, LimitColumns(request.limits), run);
            if (Feasible(run.outcome, run.warningKinds, {}, margins)) {
                EXPECT_LE(*ColumnNumber(QuantityColumn("Barrier1ShearStress"), run), *sound.objective * (1 + 1e-4));
            }
        }
    }
    request.acceptedWarnings = WarningKind::NegativePressure;
    const OptimisationResult accepted = Optimise(request);
    ASSERT_TRUE(accepted.found);
    EXPECT_TRUE(accepted.run.warningKinds.Has(WarningKind::NegativePressure));
    EXPECT_GT(*accepted.objective, *sound.objective);
}

TEST(Optimise, NoDesignMeetingTheLimitsIsInfeasible) {
    OptimisationRequest request = PlantRequest();
    request.limits = {{"TemperatureRise", LimitBound::AtMost, 2}};
    const OptimisationResult result = Optimise(request);
    EXPECT_EQ(result.end, OptimisationEnd::Infeasible);
    EXPECT_FALSE(result.found);
    EXPECT_THAT(result.reason, HasSubstr("fails TemperatureRise<=2 ("));
    EXPECT_FALSE(result.history.empty());
}

TEST(Optimise, CancelAndRunLimitStopIt) {
    std::atomic<bool> cancel = false;
    std::size_t runs = 0;
    const OptimisationResult cancelled =
        Optimise(PlantRequest(), &cancel, [&](const Evaluation&) { cancel = ++runs >= 10; });
    EXPECT_EQ(cancelled.end, OptimisationEnd::Cancelled);
    EXPECT_EQ(cancelled.history.size(), runs);
    EXPECT_LT(runs, 14u);
    OptimisationRequest request = PlantRequest();
    request.runLimit = 100;
    const OptimisationResult spent = Optimise(request);
    EXPECT_EQ(spent.end, OptimisationEnd::RunLimit);
    EXPECT_TRUE(spent.found);
    EXPECT_LE(spent.history.size(), 100u);
}

// With no limits and every run faulting (ScrewSpeed = 0), the search says that
// every run stopped and why, not that no run met every limit.
TEST(Optimise, EveryRunStoppedSaysWhy) {
    OptimisationRequest request;
    request.base = UnreportedRequest({{"ScrewSpeed", "0"}});
    request.inputs = {{FindInputField("OutputRate"), 100, 300}};
    request.objective = "PowerKW";
    request.threads = 2;
    const OptimisationResult result = Optimise(request);
    EXPECT_EQ(result.end, OptimisationEnd::EveryRunStopped);
    EXPECT_FALSE(result.found);
    ASSERT_FALSE(result.history.empty());
    EXPECT_EQ(result.reason, "every run stopped: Floating point division by zero (" +
                                 std::to_string(result.history.size()) + " runs)");
    // Cancelled stays cancelled.
    const std::atomic<bool> cancel = true;
    EXPECT_EQ(Optimise(request, &cancel).end, OptimisationEnd::Cancelled);
}

TEST(Optimise, RefusesQuestionsItCannotTake) {
    OptimisationRequest request = PlantRequest();
    for (const int runs : {0, -5}) {
        request.runLimit = runs;
        EXPECT_THROW(Optimise(request), DesignError);
    }
    request = PlantRequest();
    request.inputs.push_back(request.inputs.front());
    EXPECT_THROW(Optimise(request), DesignError);
    request = PlantRequest();
    request.objective = "Warmth";
    EXPECT_THROW(Optimise(request), DesignError);
    request = PlantRequest();
    request.limits.push_back({"Warmth", LimitBound::AtMost, 1});
    EXPECT_THROW(Optimise(request), LimitError);
    request = PlantRequest();
    request.inputs.clear();
    EXPECT_THROW(Optimise(request), DesignError);
}

}  // namespace
}  // namespace vortane
