#pragma once

#include <span>
#include <string>
#include <vector>

#include "case/limit.h"
#include "chart/chart.h"
#include "design/goal_seek.h"

namespace vortane {

// "Temperature Difference": a quantity's caption without its unit.
std::string QuantityTitle(const std::string& quantity);

// The axis of a quantity: its caption and its technical metric unit ("-"
// where it has none).
ChartAxis QuantityAxis(const std::string& quantity);

// The runs of a search against their number, in the order they finished, as
// every front end charts them. A run that left its quantity uncomputed is a
// gap. Up to 300 runs are marked each; more are joined by a line.

// A goal seek's: the quantity it sets at each run, and the target dashed.
Chart GoalSeekChart(std::span<const Evaluation> history, const std::string& quantity, double target);

// An optimisation's: the objective at each run, as marks alone while they
// are marked, and the best of the feasible runs so far (with the warnings
// `accepted`; with no limits, "Best design" rather than "Best meeting the
// limits"); on the
// second axis, each limit's margin in percent of its bound (0 or more where
// it holds), held within ±100 %, and the limit itself dashed at 0.
Chart OptimisationChart(std::span<const Evaluation> history, const std::string& objective, bool maximise,
                        std::span<const Limit> limits, WarningKinds accepted = {});

}  // namespace vortane
