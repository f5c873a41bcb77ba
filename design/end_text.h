#pragma once

#include <string>
#include <string_view>

#include "design/goal_seek.h"
#include "design/optimisation.h"
#include "design/pareto_front.h"

namespace vortane {

// How a search ended, in the words every front end shows: the window's
// result, vortane-calc's lines, Python's `summary`.

// "Found", or why nothing was: "Not found: the runs allowed were spent".
std::string GoalSeekEndText(GoalSeekEnd end);

// What stopped an optimisation that found a design: "by the tolerance",
// "by roundoff, short of the tolerance" or "the runs allowed were spent". A design found with no limits set is only the
// best within the bounds, and the text says so: "by the tolerance (no limits
// set)".
std::string OptimisationStopText(OptimisationEnd end, bool limitsSet);

// "Found: the best design, stopped by the tolerance", or why nothing was:
// "Not found: no run was feasible".
std::string OptimisationEndText(OptimisationEnd end, bool limitsSet);

// How a front's search ended: "Found: 12 designs on the front, the knee at
// Point 5" (its number in the table), or why it holds none; a cancelled
// search's designs are not offered: "Cancelled: nothing found".
std::string FrontEndText(const FrontResult& result);

// What a front end shows once a front's search ends, a line each: its end
// (FrontEndText), why it holds no design where there is a reason, and "Runs
// made: N".
std::string FrontOutcomeText(const FrontResult& result);

// The design found, a line each, as vortane-calc prints it: FIELD=TEXT, then
// QUANTITY=VALUE (residual R), then "runs: N".
std::string GoalSeekFoundText(const GoalSeekRequest& request, const GoalSeekResult& result);

// FIELD=TEXT for each input, QUANTITY=VALUE for the objective, each limit's
// value and margin, "runs: N", then "stopped: " and what stopped it.
std::string OptimisationFoundText(const OptimisationRequest& request, const OptimisationResult& result);

// Why nothing was found, as a line: "no solution in FIELD=LOW:HIGH: " (the
// notation as given) or "no feasible design in the bounds: ", and the reason.
std::string GoalSeekNotFoundText(std::string_view varied, const GoalSeekResult& result);
std::string OptimisationNotFoundText(const OptimisationResult& result);

}  // namespace vortane
