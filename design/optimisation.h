#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "case/input_fields.h"
#include "case/limit.h"
#include "design/design_notation.h"
#include "design/goal_seek.h"
#include "run/calculation_run.h"
#include "study/limit_check.h"

namespace vortane {

// Constrained optimisation: up to six inputs within bounds, one quantity
// minimised or maximised subject to limits. A run that stops meets no limit.

inline constexpr std::size_t MaxVariedInputs = 6;

struct OptimisationRequest {
    RunRequest base;
    std::vector<VariedInput> inputs;
    std::string objective;   // a quantity, named as limits name it
    bool maximise = false;
    std::vector<Limit> limits;
    double tolerance = 1e-4;  // relative change of the inputs (of their ranges) at which to stop
    int runLimit = 400;       // runs at most
    int threads = 0;          // 0: the processors there are
};

enum class OptimisationEnd {
    Converged,   // by the tolerance
    RunLimit,    // the runs allowed were spent
    Infeasible,  // no run met every limit
    Cancelled,
};

struct OptimisationResult {
    OptimisationEnd end = OptimisationEnd::Cancelled;
    InputTexts texts;                  // the best design's boxes
    std::vector<std::string> inputTexts;  // the varied inputs' texts, in order
    RunResult run;                     // its run
    std::vector<LimitMargin> margins;  // its limits' margins
    std::vector<Evaluation> history;   // every run made, in the order finished
};

OptimisationResult Optimise(const OptimisationRequest& request, const std::atomic<bool>* cancel = nullptr,
                            const std::function<void(const Evaluation&)>& progress = {});

}  // namespace vortane
