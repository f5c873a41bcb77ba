#include "design/pareto_front.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <limits>
#include <mutex>
#include <numeric>
#include <optional>
#include <set>

#include "design/design_point.h"
#include "design/optimisation.h"
#include "design/parallel_runs.h"
#include "result/run_table.h"

namespace vortane {

namespace {

constexpr int TwoObjectiveDivisions = 48;
constexpr int ThreeObjectiveDivisions = 8;
constexpr int MaxDivisions = 200;

void CheckRequest(const FrontRequest& request) {
    const std::size_t count = request.objectives.size();
    if (count < MinFrontObjectives || count > MaxFrontObjectives)
        throw DesignError("a front has 2 or 3 objectives, not " + std::to_string(count));
    std::set<std::string> named;
    for (const Objective& objective : request.objectives) {
        QuantityColumn(objective.quantity);
        if (!named.insert(objective.quantity).second)
            throw DesignError(objective.quantity + " is an objective twice");
    }
    if (request.divisions < 0 || request.divisions > MaxDivisions)
        throw DesignError("the divisions of a front must be 0 to " + std::to_string(MaxDivisions));
}

// Whether a is no worse than b in every coordinate and better in one.
bool Dominates(const std::vector<double>& a, const std::vector<double>& b) {
    bool better = false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] > b[i]) return false;
        better = better || a[i] < b[i];
    }
    return better;
}

// The limit that keeps objective `objective`'s minimised value at most `bound`.
Limit BoundOf(const Objective& objective, double bound) {
    return objective.maximise ? Limit{objective.quantity, LimitBound::AtLeast, -bound}
                              : Limit{objective.quantity, LimitBound::AtMost, bound};
}

// The optimisations of the front, run side by side, and the designs they
// found.
class FrontSearch {
public:
    FrontSearch(const FrontRequest& request, const std::atomic<bool>* cancel,
           const std::function<void(const Evaluation&)>& progress)
        : request_(request), cancel_(cancel), progress_(progress), threads_(ThreadCount(request.threads)) {
        base_.base = request.base;
        base_.inputs = request.inputs;
        base_.limits = request.limits;
        base_.acceptedWarnings = request.acceptedWarnings;
        base_.tolerance = request.tolerance;
        base_.runLimit = request.runLimit;
        base_.memo = &memo_;
    }

    // The first objective within the request's limits and each of `bounds`
    // (an objective optimised alone for none, `alone`); the designs found
    // join the candidates in the order asked. Each optimisation runs on a
    // thread of its own, as many at once as the request's threads; but one
    // alone takes them all. Returns the results in order.
    std::vector<OptimisationResult> Optimise(const std::vector<std::size_t>& objectives,
                                             const std::vector<std::vector<Limit>>& bounds) {
        std::vector<OptimisationResult> results(objectives.size());
        const unsigned inner = objectives.size() == 1 ? threads_ : 1;
        const std::function<void(const Evaluation&)> told = [this](const Evaluation& run) {
            const std::scoped_lock lock(mutex_);
            if (progress_) progress_(run);
        };
        // A refusal on a worker is thrown again here, once every one is done.
        std::vector<std::exception_ptr> refusals(objectives.size());
        InParallel(objectives.size(), threads_, [&](std::size_t i) {
            OptimisationRequest optimisation = base_;
            optimisation.objective = request_.objectives[objectives[i]].quantity;
            optimisation.maximise = request_.objectives[objectives[i]].maximise;
            optimisation.limits.insert(optimisation.limits.end(), bounds[i].begin(), bounds[i].end());
            optimisation.threads = static_cast<int>(inner);
            try {
                results[i] = vortane::Optimise(optimisation, cancel_, told);
            } catch (...) {
                refusals[i] = std::current_exception();
            }
        });
        for (const std::exception_ptr& refusal : refusals)
            if (refusal) std::rethrow_exception(refusal);
        for (const OptimisationResult& result : results) {
            cancelled_ = cancelled_ || result.end == OptimisationEnd::Cancelled;
            if (result.found) Keep(result);
        }
        return results;
    }

    bool Cancelled() const { return cancelled_; }
    std::size_t Runs() const { return memo_.RunsMade(); }
    std::vector<FrontDesign>& Designs() { return designs_; }

private:
    void Keep(const OptimisationResult& found) {
        FrontDesign design{found.texts, found.inputTexts, found.run, {}};
        for (const Objective& objective : request_.objectives) {
            const std::optional<double> value = ColumnNumber(QuantityColumn(objective.quantity), found.run);
            if (!value || !std::isfinite(*value)) return;
            design.objectives.push_back(*value);
        }
        designs_.push_back(std::move(design));
    }

    const FrontRequest& request_;
    const std::atomic<bool>* cancel_;
    const std::function<void(const Evaluation&)>& progress_;
    unsigned threads_;
    OptimisationRequest base_;
    std::mutex mutex_;
    RunMemo memo_;
    bool cancelled_ = false;
    std::vector<FrontDesign> designs_;
};

// The minimised objectives of each design.
std::vector<std::vector<double>> PointsOf(const std::vector<FrontDesign>& designs,
                                          std::span<const Objective> objectives) {
    std::vector<std::vector<double>> points;
    points.reserve(designs.size());
    for (const FrontDesign& design : designs) points.push_back(Minimised(design.objectives, objectives));
    return points;
}

// The designs no other dominates, sorted along the front, and their knee.
void Settle(FrontResult& result, std::vector<FrontDesign> designs, std::span<const Objective> objectives) {
    const std::vector<std::vector<double>> all = PointsOf(designs, objectives);
    std::vector<std::size_t> kept = NonDominated(all);
    std::sort(kept.begin(), kept.end(), [&all](std::size_t a, std::size_t b) { return all[a] < all[b]; });
    for (const std::size_t i : kept) result.designs.push_back(std::move(designs[i]));
    result.knee = KneeOf(PointsOf(result.designs, objectives));
}

// The ε bounds of the constrained objectives between their best and worst
// over the ends: inside the span with two objectives (the ends are found
// already), up to the worst with three.
std::vector<std::vector<Limit>> BoundsOf(const FrontRequest& request, const std::vector<std::vector<double>>& ends) {
    const std::size_t count = request.objectives.size();
    const int divisions = request.divisions > 0 ? request.divisions
                          : count == 2           ? TwoObjectiveDivisions
                                                 : ThreeObjectiveDivisions;
    std::vector<std::vector<double>> steps(count);
    for (std::size_t k = 1; k < count; ++k) {
        double best = std::numeric_limits<double>::infinity(), worst = -best;
        for (const std::vector<double>& end : ends) {
            best = std::min(best, end[k]);
            worst = std::max(worst, end[k]);
        }
        if (!(worst > best)) continue;
        const int last = count == 2 ? divisions - 1 : divisions;
        for (int i = 1; i <= last; ++i) steps[k].push_back(best + (worst - best) * i / divisions);
    }
    std::vector<std::vector<Limit>> bounds;
    if (count == 2) {
        for (const double step : steps[1]) bounds.push_back({BoundOf(request.objectives[1], step)});
        return bounds;
    }
    // An objective of one value at the ends is left unbounded, the other
    // still stepped.
    const auto stepsOf = [&steps](std::size_t k) {
        std::vector<std::optional<double>> of(steps[k].begin(), steps[k].end());
        if (of.empty()) of.emplace_back();
        return of;
    };
    for (const std::optional<double> second : stepsOf(1)) {
        for (const std::optional<double> third : stepsOf(2)) {
            std::vector<Limit> both;
            if (second) both.push_back(BoundOf(request.objectives[1], *second));
            if (third) both.push_back(BoundOf(request.objectives[2], *third));
            if (!both.empty()) bounds.push_back(std::move(both));
        }
    }
    return bounds;
}

}  // namespace

FrontResult ParetoFront(const FrontRequest& request, const std::atomic<bool>* cancel,
                        const std::function<void(const Evaluation&)>& progress) {
    CheckRequest(request);
    FrontSearch search(request, cancel, progress);
    FrontResult result;
    // The ends: each objective at its best within the limits.
    std::vector<std::size_t> each(request.objectives.size());
    std::iota(each.begin(), each.end(), std::size_t{0});
    const std::vector<OptimisationResult> ends = search.Optimise(each, std::vector<std::vector<Limit>>(each.size()));
    const auto unfound = std::find_if(ends.begin(), ends.end(), [](const OptimisationResult& end) {
        return !end.found && end.end != OptimisationEnd::Cancelled;
    });
    if (unfound != ends.end()) {  // no feasible design for one objective is none for any
        result.end = unfound->end == OptimisationEnd::EveryRunStopped ? FrontEnd::EveryRunStopped
                                                                       : FrontEnd::Infeasible;
        result.reason = unfound->reason;
        result.runs = search.Runs();
        return result;
    }
    if (!search.Cancelled()) {
        const std::vector<std::vector<Limit>> bounds =
            BoundsOf(request, PointsOf(search.Designs(), request.objectives));
        search.Optimise(std::vector<std::size_t>(bounds.size(), 0), bounds);
    }
    result.end = search.Cancelled() ? FrontEnd::Cancelled : FrontEnd::Complete;
    result.runs = search.Runs();
    Settle(result, std::move(search.Designs()), request.objectives);
    return result;
}

std::vector<std::size_t> NonDominated(std::span<const std::vector<double>> points) {
    std::vector<std::size_t> kept;
    for (std::size_t i = 0; i < points.size(); ++i) {
        bool dominated = false;
        for (std::size_t j = 0; j < points.size() && !dominated; ++j)
            dominated = Dominates(points[j], points[i]) || (j < i && points[j] == points[i]);
        if (!dominated) kept.push_back(i);
    }
    return kept;
}

std::optional<std::size_t> KneeOf(std::span<const std::vector<double>> points) {
    if (points.empty()) return std::nullopt;
    const std::size_t dimensions = points.front().size();
    std::vector<double> low(dimensions, std::numeric_limits<double>::infinity());
    std::vector<double> high(dimensions, -std::numeric_limits<double>::infinity());
    for (const std::vector<double>& point : points) {
        for (std::size_t d = 0; d < dimensions; ++d) {
            low[d] = std::min(low[d], point[d]);
            high[d] = std::max(high[d], point[d]);
        }
    }
    std::size_t knee = 0;
    double nearest = std::numeric_limits<double>::infinity();
    for (std::size_t i = 0; i < points.size(); ++i) {
        double distance = 0;
        for (std::size_t d = 0; d < dimensions; ++d) {
            const double scaled = high[d] > low[d] ? (points[i][d] - low[d]) / (high[d] - low[d]) : 0.0;
            distance += scaled * scaled;
        }
        if (distance < nearest) {
            nearest = distance;
            knee = i;
        }
    }
    return knee;
}

namespace {

// The hypervolume over the first `dimensions` coordinates, by slicing along
// the last of them.
double SlicedVolume(std::vector<std::vector<double>> points, std::span<const double> reference,
                    std::size_t dimensions) {
    if (points.empty()) return 0;
    const std::size_t last = dimensions - 1;
    if (dimensions == 1) {
        double least = reference[0];
        for (const std::vector<double>& point : points) least = std::min(least, point[0]);
        return reference[0] - least;
    }
    std::sort(points.begin(), points.end(),
              [last](const std::vector<double>& a, const std::vector<double>& b) { return a[last] < b[last]; });
    double volume = 0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const double next = i + 1 < points.size() ? points[i + 1][last] : reference[last];
        const double height = next - points[i][last];
        if (height > 0)
            volume += height * SlicedVolume({points.begin(), points.begin() + static_cast<std::ptrdiff_t>(i) + 1},
                                            reference, last);
    }
    return volume;
}

}  // namespace

double Hypervolume(std::span<const std::vector<double>> points, std::span<const double> reference) {
    std::vector<std::vector<double>> inside;
    for (const std::size_t i : NonDominated(points)) {
        const std::vector<double>& point = points[i];
        bool below = point.size() == reference.size();
        for (std::size_t d = 0; below && d < point.size(); ++d) below = point[d] < reference[d];
        if (below) inside.push_back(point);
    }
    return reference.empty() ? 0 : SlicedVolume(std::move(inside), reference, reference.size());
}

std::vector<double> Minimised(std::span<const double> values, std::span<const Objective> objectives) {
    std::vector<double> minimised(values.begin(), values.end());
    for (std::size_t i = 0; i < minimised.size() && i < objectives.size(); ++i)
        if (objectives[i].maximise) minimised[i] = -minimised[i];
    return minimised;
}

}  // namespace vortane
