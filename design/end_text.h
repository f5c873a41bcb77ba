#pragma once

#include <string>

#include "design/goal_seek.h"
#include "design/optimisation.h"

namespace vortane {

// How a search ended, in the words every front end shows: the window's
// result, vortane-calc's last line, Python's `summary`.

// "Found", or why nothing was: "Not found: the runs allowed were spent".
std::string GoalSeekEndText(GoalSeekEnd end);

// "Found: the best design, to the tolerance", or why nothing was. A design
// found with no limits set is only the best within the bounds, and its text
// says so: "Found: the best design (no limits set), to the tolerance".
std::string OptimisationEndText(OptimisationEnd end, bool limitsSet);

}  // namespace vortane
