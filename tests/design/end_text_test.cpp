// How a search ended, in the words every front end shows: a design found with
// no limits set never reads as one that meets limits.
#include "design/end_text.h"

#include <gtest/gtest.h>

namespace vortane {
namespace {

TEST(EndText, AnOptimumFoundWithoutLimitsSaysSo) {
    EXPECT_EQ(OptimisationEndText(OptimisationEnd::Converged, true), "Found: the best design, to the tolerance");
    EXPECT_EQ(OptimisationEndText(OptimisationEnd::Converged, false),
              "Found: the best design (no limits set), to the tolerance");
    EXPECT_EQ(OptimisationEndText(OptimisationEnd::RunLimit, true),
              "Found: the best design the runs allowed reached (they were spent first)");
    EXPECT_EQ(OptimisationEndText(OptimisationEnd::RunLimit, false),
              "Found: the best design (no limits set) the runs allowed reached (they were spent first)");
}

TEST(EndText, NothingFoundSaysWhyWithOrWithoutLimits) {
    for (const bool limitsSet : {true, false}) {
        EXPECT_EQ(OptimisationEndText(OptimisationEnd::Infeasible, limitsSet), "Not found: no run met every limit");
        EXPECT_EQ(OptimisationEndText(OptimisationEnd::Cancelled, limitsSet), "Cancelled: nothing found");
    }
}

TEST(EndText, GoalSeekNamesEachEnd) {
    EXPECT_EQ(GoalSeekEndText(GoalSeekEnd::Found), "Found");
    EXPECT_EQ(GoalSeekEndText(GoalSeekEnd::OutOfRange), "Not found: the target lies beyond the values at both ends");
    EXPECT_EQ(GoalSeekEndText(GoalSeekEnd::InStep), "Not found: the quantity jumps across the target");
    EXPECT_EQ(GoalSeekEndText(GoalSeekEnd::NotMonotonic), "Not found: the quantity turns between the ends");
    EXPECT_EQ(GoalSeekEndText(GoalSeekEnd::RunLimit), "Not found: the runs allowed were spent");
    EXPECT_EQ(GoalSeekEndText(GoalSeekEnd::Cancelled), "Cancelled: nothing found");
}

}  // namespace
}  // namespace vortane
