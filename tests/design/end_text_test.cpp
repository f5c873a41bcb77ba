// How a search ended, in the words every front end shows: a design found with
// no limits set never reads as one that meets limits.
#include "design/end_text.h"

#include <gtest/gtest.h>

#include "case/limit.h"

namespace vortane {
namespace {

TEST(EndText, AnOptimumFoundWithoutLimitsSaysSo) {
    EXPECT_EQ(OptimisationEndText(OptimisationEnd::Converged, true), "Found: the best design, stopped by the tolerance");
    EXPECT_EQ(OptimisationEndText(OptimisationEnd::Converged, false),
              "Found: the best design, stopped by the tolerance (no limits set)");
    EXPECT_EQ(OptimisationEndText(OptimisationEnd::RunLimit, true),
              "Found: the best design, stopped when the runs allowed were spent");
    EXPECT_EQ(OptimisationStopText(OptimisationEnd::RunLimit, false), "the runs allowed were spent (no limits set)");
    EXPECT_EQ(OptimisationStopText(OptimisationEnd::Roundoff, true), "by roundoff, short of the tolerance");
    for (const bool limitsSet : {true, false})
        EXPECT_EQ(OptimisationEndText(OptimisationEnd::Infeasible, limitsSet), "Not found: no run was feasible");
}

// The design found, as vortane-calc prints it: each input's text as found,
// the objective, each limit's value and margin, the runs and what stopped it.
// A front counts its designs and numbers the knee as the table does, from
// one; a cancelled search offers none of the designs it had reached.
TEST(EndText, AFrontNamesItsKneeAndACancelledOneNothing) {
    FrontResult front;
    front.end = FrontEnd::Complete;
    front.designs.resize(3);
    front.knee = 1;
    EXPECT_EQ(FrontEndText(front), "Found: 3 designs on the front, the knee at Point 2");
    front.knee.reset();
    EXPECT_EQ(FrontEndText(front), "Found: 3 designs on the front");
    front.end = FrontEnd::Cancelled;
    EXPECT_EQ(FrontEndText(front), "Cancelled: nothing found");
    front.end = FrontEnd::Infeasible;
    front.designs.clear();
    EXPECT_EQ(FrontEndText(front), "Not found: no run was feasible");
}

// The outcome shown at a front's end: its end, the reason where one is
// given, and the runs made.
TEST(EndText, AFrontsOutcomeGivesItsEndReasonAndRuns) {
    FrontResult front;
    front.end = FrontEnd::Complete;
    front.designs.resize(2);
    front.knee = 0;
    front.runs = 812;
    EXPECT_EQ(FrontOutcomeText(front), "Found: 2 designs on the front, the knee at Point 1\nRuns made: 812");
    front = {};
    front.end = FrontEnd::EveryRunStopped;
    front.reason = "every run stopped: Point 1: Input data is not proper";
    front.runs = 9;
    EXPECT_EQ(FrontOutcomeText(front), "Not found\nevery run stopped: Point 1: Input data is not proper\nRuns made: 9");
}

TEST(EndText, TheDesignFoundReadsLineByLine) {
    OptimisationRequest request;
    request.inputs = {{FindInputField("BarrierClearance1"), 0.03, 0.1}, {FindInputField("ScrewSpeed"), 60, 140}};
    request.objective = "TotalPressureDrop";
    request.limits = {ParseLimit("TemperatureRise<=30")};
    OptimisationResult result;
    result.end = OptimisationEnd::Converged;
    result.inputTexts = {"0.065693", "99.697"};
    result.objective = 6.5628;
    result.margins = {{29.5, 0.5, 0.5 / 30, true}};
    result.history.resize(171);
    EXPECT_EQ(OptimisationFoundText(request, result),
              "BarrierClearance1=0.065693\nScrewSpeed=99.697\nTotalPressureDrop=6.5628\n"
              "TemperatureRise<=30: 29.5 (margin 0.5)\nruns: 171\nstopped: by the tolerance\n");

    GoalSeekRequest seek;
    seek.field = FindInputField("ScrewSpeed");
    seek.quantity = "TemperatureRise";
    seek.target = 30;
    GoalSeekResult found;
    found.text = "98.89";
    found.residual = 0.25;
    found.history.resize(9);
    EXPECT_EQ(GoalSeekFoundText(seek, found), "ScrewSpeed=98.89\nTemperatureRise=30.25 (residual 0.25)\nruns: 9\n");
}

}  // namespace
}  // namespace vortane
