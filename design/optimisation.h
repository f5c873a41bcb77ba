#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "case/input_fields.h"
#include "case/limit.h"
#include "design/design_notation.h"
#include "design/goal_seek.h"
#include "result/limit_check.h"
#include "run/calculation_run.h"

namespace vortane {

// Constrained optimisation: up to six inputs within bounds, one quantity
// minimised or maximised subject to limits. Only a feasible run counts (as
// Feasible judges it): one that stops, or raises a warning not accepted,
// meets no limit.

inline constexpr std::size_t MaxVariedInputs = 6;

class RunMemo;  // design/design_point.h

struct OptimisationRequest {
    RunRequest base;
    std::vector<VariedInput> inputs;
    std::string objective;   // a quantity, named as limits name it
    bool maximise = false;
    // Instead of `objective`: the quantities held at targets, the sum of the
    // squared relative deviations Σ ((value − target)/target)² minimised (a
    // least-squares problem; `maximise` does not apply). Each target is a
    // nonzero number.
    std::vector<Target> deviations;
    // With `deviations`: a relative deviation within it counts as none, and
    // one beyond it by its excess, (|deviation| − slack)².
    double deviationSlack = 0;
    // With `deviations`: a design to stay near among those that hold the
    // targets equally well, as one value per varied input; the sum gains
    // anchorWeight · Σ ((value − anchor)/(high − low))².
    std::vector<double> anchor;
    double anchorWeight = 0;
    std::vector<Limit> limits;
    WarningKinds acceptedWarnings = {};  // the kinds a feasible design may raise
    double tolerance = 1e-4;  // relative change of the inputs (of their ranges) at which to stop
    int runLimit = 400;       // runs at most
    int threads = 0;          // 0: the processors there are
    // Runs shared with other searches of the same base and inputs, or none.
    RunMemo* memo = nullptr;
};

enum class OptimisationEnd {
    Converged,   // by the tolerance
    RunLimit,    // the runs allowed were spent
    Roundoff,    // rounding kept the optimiser from improving further
    Infeasible,  // no run was feasible
    EveryRunStopped,  // no run completed
    Cancelled,
};

// The best design found (none when Infeasible, or Cancelled before one met
// the limits): its texts, run, objective and margins.
struct OptimisationResult {
    OptimisationEnd end = OptimisationEnd::Cancelled;
    bool found = false;                   // whether the fields below hold a design
    InputTexts texts;                     // the best design's boxes
    std::vector<std::string> inputTexts;  // the varied inputs' texts, in order
    RunResult run;                        // its run
    std::optional<double> objective;      // the quantity's value in its run, or its sum of squared deviations
    std::vector<LimitMargin> margins;     // its limits' margins
    std::string reason;                   // when none is found: the limits the least infeasible run
                                          // fails, or why every run stopped
    std::vector<Evaluation> history;      // every run made, in the order finished
};

// A relative deviation's term in a least-squares sum: 0 within `slack`,
// else the square of its excess, (|deviation| − slack)².
double DeviationSquare(double deviation, double slack);

// A grid of up to 256 points over the bounds, run in parallel; then COBYLA on
// the inputs scaled to [0, 1] from the best few grid points, the starts in
// parallel. Each limit is a constraint −margin/|bound| ≤ 0, and soundness one
// more: the least channel pressure over the inlet pressure at least 0 while
// negative pressure is not accepted, far outside for any other warning not
// accepted. A stopped run violates every one and has an objective worse than
// any computed. The texts
// are the values' fewest significant digits whose run stays feasible and no
// worse than the best run by more than the tolerance. `progress` is called
// after each run, one call at a time, from the thread that ran it. A question
// it cannot take (no run allowed, among others) is a DesignError or a
// LimitError.
OptimisationResult Optimise(const OptimisationRequest& request, const std::atomic<bool>* cancel = nullptr,
                            const std::function<void(const Evaluation&)>& progress = {});

}  // namespace vortane
