#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "case/input_fields.h"
#include "case/limit.h"
#include "design/design_notation.h"
#include "design/goal_seek.h"
#include "run/calculation_run.h"

namespace vortane {

// The Pareto front of a design question: two or three quantities, each
// minimised or maximised, over up to six inputs within bounds, subject to
// limits. A design belongs to the front when it is feasible (as Feasible
// judges it) and no other feasible design found is at least as good in every
// objective and better in one.

inline constexpr std::size_t MinFrontObjectives = 2;
inline constexpr std::size_t MaxFrontObjectives = 3;

struct FrontRequest {
    RunRequest base;
    std::vector<VariedInput> inputs;
    std::vector<Objective> objectives;  // 2 or 3, quantities named as limits name them
    std::vector<Limit> limits;
    WarningKinds acceptedWarnings = {};
    // Steps of each ε bound between the ends of the front; 0: 48 with two
    // objectives, 8 a side with three.
    int divisions = 0;
    double tolerance = 1e-4;  // of each optimisation, as OptimisationRequest's
    int runLimit = 400;       // runs of each optimisation at most
    int threads = 0;          // 0: the processors there are
};

// A design of the front: its boxes, its varied inputs' texts, its run and
// its objectives' values (in the quantities' technical metric units).
struct FrontDesign {
    InputTexts texts;
    std::vector<std::string> inputTexts;
    RunResult run;
    std::vector<double> objectives;
};

enum class FrontEnd {
    Complete,
    Infeasible,       // no run was feasible
    EveryRunStopped,  // no run completed
    Cancelled,        // the designs found before are kept
};

struct FrontResult {
    FrontEnd end = FrontEnd::Cancelled;
    // Non-dominated, sorted along the front: by the first objective, best
    // first (ties by the next).
    std::vector<FrontDesign> designs;
    std::optional<std::size_t> knee;  // the balanced design (KneeOf), among `designs`
    std::string reason;               // when there are none: why
    std::size_t runs = 0;             // runs made in all, each once
};

// ε-constraint: each objective optimised alone gives the ends of the front;
// then the first objective is optimised (Optimise: a grid, then COBYLA) with
// each other objective bounded by one more limit, its bound stepped evenly
// between its best and worst at the ends (a grid of both bounds with three
// objectives). The optimisations run side by side on the request's threads
// (one alone on all of them); `progress` is called after each run, one call
// at a time. Each answer is a design Optimise has run and found feasible;
// those dominated are left out. A question it cannot take is a DesignError
// (or a LimitError): fewer than two objectives or more than three, one named
// twice, those Optimise refuses.
FrontResult ParetoFront(const FrontRequest& request, const std::atomic<bool>* cancel = nullptr,
                        const std::function<void(const Evaluation&)>& progress = {});

// Over points whose every coordinate is minimised: the indices of those no
// other point dominates, in order; of equal points, the first.
std::vector<std::size_t> NonDominated(std::span<const std::vector<double>> points);

// The knee of a front of minimised points: each coordinate scaled to [0, 1]
// over the points (a coordinate of one value to 0), the point nearest the
// ideal point (0, …, 0); of equally near points, the first. None for none.
std::optional<std::size_t> KneeOf(std::span<const std::vector<double>> points);

// The hypervolume the minimised points dominate below `reference`: the
// measure of the union of the boxes [p, reference]. A point not below the
// reference in every coordinate adds nothing.
double Hypervolume(std::span<const std::vector<double>> points, std::span<const double> reference);

// A design's objectives as minimised: maximised ones negated.
std::vector<double> Minimised(std::span<const double> values, std::span<const Objective> objectives);

}  // namespace vortane
