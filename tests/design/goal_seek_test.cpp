#include "design/goal_seek.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "design/design_point.h"
#include "result/run_table.h"
#include "support/case_request.h"

namespace vortane {
namespace {

using ::testing::HasSubstr;
using testing::UnreportedRequest;

double Quantity(const RunResult& run, const std::string& quantity) {
    return *ColumnNumber(QuantityColumn(quantity), run);
}

double QuantityAt(const std::string& speed, const std::string& quantity) {
    return Quantity(RunCalculation(UnreportedRequest({{"OutputRate", "350"}, {"ScrewSpeed", speed}})), quantity);
}

GoalSeekRequest Request(const std::string& field, double low, double high, const std::string& quantity,
                        double target) {
    GoalSeekRequest request;
    request.base = UnreportedRequest({{"OutputRate", "350"}});
    request.field = FindInputField(field);
    request.low = low;
    request.high = high;
    request.quantity = quantity;
    request.target = target;
    return request;
}

// Targets read off single runs of a sweep's points: the speed found lies next to
// the point's, its own run meets the tolerance, and the text is the shortest that
// does.
TEST(GoalSeek, ReachesTargetsOfKnownSpeeds) {
    for (const char* speed : {"55", "85", "99.5", "125"}) {
        SCOPED_TRACE(speed);
        const double target = QuantityAt(speed, "TemperatureRise");
        const GoalSeekResult result = GoalSeek(Request("ScrewSpeed", 40, 140, "TemperatureRise", target));
        ASSERT_EQ(result.end, GoalSeekEnd::Found) << result.reason;
        EXPECT_LE(result.history.size(), 40u);
        EXPECT_NEAR(std::strtod(result.text.c_str(), nullptr), std::strtod(speed, nullptr), 0.01);
        const double reached = QuantityAt(result.text, "TemperatureRise");
        EXPECT_NEAR(reached, target, 0.001);
        EXPECT_DOUBLE_EQ(*result.residual, reached - target);
        EXPECT_DOUBLE_EQ(Quantity(result.run, "TemperatureRise"), reached);
        // A digit fewer misses the tolerance.
        const std::string::size_type point = result.text.find('.');
        if (point != std::string::npos && result.text.size() > point + 2) {
            const std::string shorter = result.text.substr(0, result.text.size() - 1);
            EXPECT_GT(std::abs(QuantityAt(shorter, "TemperatureRise") - target), 0.0005) << shorter;
        }
    }
}

TEST(GoalSeek, TemperatureRiseOf30AtThePlantRate) {
    const GoalSeekResult result = GoalSeek(Request("ScrewSpeed", 40, 140, "TemperatureRise", 30));
    ASSERT_EQ(result.end, GoalSeekEnd::Found) << result.reason;
    EXPECT_LE(result.history.size(), 40u);
    EXPECT_NEAR(QuantityAt(result.text, "TemperatureRise"), 30, 0.01);
}

// The end runs computed 8.49 and 45.9 ℃.
TEST(GoalSeek, TargetBeyondBothEndsIsOutOfRange) {
    const GoalSeekResult result = GoalSeek(Request("ScrewSpeed", 40, 140, "TemperatureRise", 60));
    EXPECT_EQ(result.end, GoalSeekEnd::OutOfRange);
    EXPECT_THAT(result.reason, HasSubstr("8.49297 at ScrewSpeed=40"));
    EXPECT_THAT(result.reason, HasSubstr("45.9132 at ScrewSpeed=140"));
    EXPECT_NEAR(*result.residual, 45.9132 - 60, 1e-4);  // the closest run
}

// At 113.0804 rpm the temperature iteration takes a fourth pass and the
// pressure drop falls by about 0.08 across 8.56 kgf/cm2.
TEST(GoalSeek, TargetInsideAPassCountStepIsInStep) {
    const GoalSeekResult result = GoalSeek(Request("ScrewSpeed", 40, 140, "TotalPressureDrop", 8.56));
    EXPECT_EQ(result.end, GoalSeekEnd::InStep) << result.reason;
    EXPECT_THAT(result.reason, HasSubstr("at ScrewSpeed=113.0803836"));
    EXPECT_THAT(result.reason, HasSubstr("passes change from 3 to 4"));
    EXPECT_LE(result.history.size(), 60u);
}

// The first barrier's shear stress peaks near 140.6 kPa inside 12 to 17.145 cm.
TEST(GoalSeek, QuantityTurningShortOfTheTargetIsNotMonotonic) {
    const GoalSeekResult result = GoalSeek(Request("BarrelDiameter", 12, 17.145, "Barrier1ShearStress", 141));
    EXPECT_EQ(result.end, GoalSeekEnd::NotMonotonic) << result.reason;
    EXPECT_THAT(result.reason, HasSubstr("turns inside"));
    EXPECT_GT(*result.residual, -0.5);  // the peak, not an end
}

// Below 10.5 cm the channel is refused: such runs compute nothing, and a
// bracket is found between the runs that do.
TEST(GoalSeek, StoppedRunsAreStepped) {
    const GoalSeekResult found = GoalSeek(Request("BarrelDiameter", 8, 12, "Barrier1ShearStress", 138));
    ASSERT_EQ(found.end, GoalSeekEnd::Found) << found.reason;
    EXPECT_EQ(found.history.front().outcome, RunOutcome::ChannelRejected);
}

// A search whose every run stopped says so, with the reason they gave, whether
// it ended for want of a value or of runs.
TEST(GoalSeek, EveryRunStoppedSaysWhy) {
    const GoalSeekResult none = GoalSeek(Request("BarrelDiameter", 6, 9, "Barrier1ShearStress", 138));
    EXPECT_EQ(none.end, GoalSeekEnd::EveryRunStopped);
    EXPECT_EQ(none.reason, "every run stopped: Channel dimensions are not proper! (8 runs)");
    EXPECT_FALSE(none.residual.has_value());
    GoalSeekRequest request = Request("OutputRate", 100, 300, "PowerKW", 5);
    request.base.texts[FindInputField("ScrewSpeed")->box - 1] = "0";
    request.runLimit = 2;
    const GoalSeekResult faulted = GoalSeek(request);
    EXPECT_EQ(faulted.end, GoalSeekEnd::EveryRunStopped);
    EXPECT_EQ(faulted.reason, "every run stopped: " + faulted.run.fault + " (2 runs)");
}

// The reason most runs gave, the first met of those as frequent; none once a
// run completed.
TEST(GoalSeek, EveryRunStoppedNamesTheMostFrequentReason) {
    const auto stopped = [](RunOutcome outcome, std::string stop) {
        Evaluation run;
        run.outcome = outcome;
        run.stop = std::move(stop);
        return run;
    };
    std::vector<Evaluation> history{stopped(RunOutcome::PressureTooLow, "low"),
                                    stopped(RunOutcome::Fault, "overflow"),
                                    stopped(RunOutcome::Fault, "overflow"), stopped(RunOutcome::PressureTooLow, "low"),
                                    stopped(RunOutcome::NotConverged, "swings")};
    EXPECT_EQ(EveryRunStopped(history), "every run stopped, most often with: low (2 of 5 runs)");
    history.push_back(stopped(RunOutcome::Fault, "overflow"));
    EXPECT_EQ(EveryRunStopped(history), "every run stopped, most often with: overflow (3 of 6 runs)");
    history.push_back(stopped(RunOutcome::Complete, ""));
    EXPECT_EQ(EveryRunStopped(history), std::nullopt);
    EXPECT_EQ(EveryRunStopped({}), std::nullopt);
}

// At 96.87 rpm a clearance near 0.03 cm gives the first barrier 170 kPa, but
// there the outlet channel falls below zero: found only when the case accepts
// that warning.
TEST(GoalSeek, TargetReachedOnlyWhereTheRunWarnsIsNotFound) {
    GoalSeekRequest request = Request("BarrierClearance1", 0.03, 0.1, "Barrier1ShearStress", 170);
    request.base.texts[FindInputField("ScrewSpeed")->box - 1] = "96.87";
    const GoalSeekResult unsound = GoalSeek(request);
    EXPECT_EQ(unsound.end, GoalSeekEnd::Unsound);
    EXPECT_THAT(unsound.reason, HasSubstr("but there the run warns of negative-pressure"));
    EXPECT_TRUE(unsound.run.warningKinds.Has(WarningKind::NegativePressure));
    request.acceptedWarnings = WarningKind::NegativePressure;
    const GoalSeekResult accepted = GoalSeek(request);
    EXPECT_EQ(accepted.end, GoalSeekEnd::Found);
    EXPECT_EQ(accepted.text, unsound.text);
    EXPECT_TRUE(accepted.reason.empty());
}

TEST(GoalSeek, CancelAndRunLimitStopBetweenRuns) {
    std::atomic<bool> cancel = false;
    int runs = 0;
    const GoalSeekResult cancelled = GoalSeek(Request("ScrewSpeed", 40, 140, "TemperatureRise", 30), &cancel,
                                              [&](const Evaluation&) { cancel = ++runs == 3; });
    EXPECT_EQ(cancelled.end, GoalSeekEnd::Cancelled);
    EXPECT_EQ(cancelled.history.size(), 3u);
    GoalSeekRequest request = Request("ScrewSpeed", 40, 140, "TemperatureRise", 30);
    request.runLimit = 4;
    const GoalSeekResult spent = GoalSeek(request);
    EXPECT_EQ(spent.end, GoalSeekEnd::RunLimit);
    EXPECT_EQ(spent.history.size(), 4u);
}

TEST(GoalSeek, RefusesQuestionsItCannotTake) {
    EXPECT_THROW(GoalSeek(Request("InletChannelCount", 1, 3, "TemperatureRise", 30)), DesignError);
    EXPECT_THROW(GoalSeek(Request("ScrewSpeed", 140, 40, "TemperatureRise", 30)), DesignError);
    EXPECT_THROW(GoalSeek(Request("ScrewSpeed", 40, 140, "Warmth", 30)), DesignError);
    GoalSeekRequest request = Request("ScrewSpeed", 40, 140, "TemperatureRise", 30);
    request.tolerance = 0;
    EXPECT_THROW(GoalSeek(request), DesignError);
}

}  // namespace
}  // namespace vortane
