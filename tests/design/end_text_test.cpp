// How a search ended, in the words every front end shows: a design found with
// no limits set never reads as one that meets limits.
#include "design/end_text.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace vortane
