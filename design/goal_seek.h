#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "case/input_fields.h"
#include "design/design_notation.h"
#include "run/calculation_run.h"

namespace vortane {

// Goal seek: one input varied within bounds until one quantity of the run (a
// numeric column of the table of runs, named as limits name it) reaches a
// target. Bracketing without derivatives (TOMS 748).

struct GoalSeekRequest {
    RunRequest base;                    // the case; its report is not written
    const InputField* field = nullptr;  // the input varied: a real box
    double low = 0, high = 0;           // its bounds, in the box's unit
    std::string quantity;               // "TemperatureRise"
    double target = 0;                  // in the column's technical metric unit
    double tolerance = 0.001;           // |value − target| accepted, same unit
    int runLimit = 100;  // runs at most: a root takes about 10, a step about 50
    WarningKinds acceptedWarnings = {};  // the kinds a found design may raise
};

// One run the search made: the input's value and text, how the run ended and
// the quantity's value when it was computed.
struct Evaluation {
    std::vector<double> inputs;  // in the boxes' units, one per varied input
    std::vector<std::string> texts;
    RunOutcome outcome = RunOutcome::Complete;
    std::optional<double> objective;  // goal seek: the quantity; optimisation: the objective
    std::vector<std::optional<double>> margins;  // optimisation: each limit's margin
    WarningKinds warnings = {};                  // the kinds of the run's warnings
    std::string stop = {};  // why the run stopped (StopMessage); empty when complete
};

// When every run of `history` stopped: that, with the reason most of them
// stopped for (the first met of those as frequent) and how many gave it. None
// when a run completed or none was made.
std::optional<std::string> EveryRunStopped(const std::vector<Evaluation>& history);

enum class GoalSeekEnd {
    Found,         // within the tolerance, by a feasible run
    Unsound,       // within the tolerance, but the run raises a warning not accepted
    OutOfRange,    // the target lies beyond the values at both ends
    InStep,        // the quantity jumps across the target (a change of the pass count, a stop)
    NotMonotonic,  // the ends straddle nothing but the quantity turns inside
    RunLimit,      // the runs allowed were spent
    EveryRunStopped,  // no run computed the quantity
    Cancelled,
};

struct GoalSeekResult {
    GoalSeekEnd end = GoalSeekEnd::Cancelled;
    std::string text;         // the input's text found: the fewest digits that meet the tolerance
    RunResult run;            // the run at `text` (the closest one when not found)
    std::optional<double> residual;  // value − target at `text`
    std::string reason;       // why not found, with the values at the ends; empty when found
    std::vector<Evaluation> history;
};

// Seeks the target: runs at both ends, and when they do not straddle it a scan
// of 8 points; then TOMS 748 inside the bracket, ended by the tolerance or by
// a bracket of adjacent doubles (a step). A run that computes no value is a
// break in the quantity. A target met only by a run that raises a warning not
// accepted is not found: its numbers may not hold. `cancel`, when set, stops the search between runs;
// `progress` is called after each run with that run. A question it cannot take
// (design_point.h) is a DesignError.
// The goal seek of `varied` (FIELD=LOW:HIGH) to `target` (QUANTITY=VALUE)
// over the case `base`, with the tolerance and run limit every front end uses.
GoalSeekRequest GoalSeekRequestOf(RunRequest base, const VariedInput& varied, const Target& target,
                                  WarningKinds acceptedWarnings);

GoalSeekResult GoalSeek(const GoalSeekRequest& request, const std::atomic<bool>* cancel = nullptr,
                        const std::function<void(const Evaluation&)>& progress = {});

}  // namespace vortane
