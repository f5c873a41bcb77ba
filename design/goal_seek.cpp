#include "design/goal_seek.h"

#include <algorithm>
#include <boost/math/tools/toms748_solve.hpp>
#include <cmath>
#include <cstdint>
#include <deque>
#include <limits>
#include <utility>

#include "case/number_format.h"
#include "design/design_point.h"
#include "result/limit_check.h"
#include "result/run_table.h"

namespace vortane {

namespace {

// Ends of the search that leave the bracketing at once.
struct SearchCancelled {};
struct RunsSpent {};
// A run inside the bracket that left the quantity uncomputed.
struct RunStopped {
    double x;
};

// One run of the search: the input's value and text, the run, value − target.
struct Point {
    double x;
    std::string text;
    RunResult run;
    std::optional<double> value;
    std::optional<double> residual;
};

Evaluation EvaluationOf(const Point& point) {
    return {{point.x}, {point.text}, point.run.outcome, point.value, {}, point.run.warningKinds, StopMessage(point.run)};
}

class Search {
public:
    Search(const GoalSeekRequest& request, const std::atomic<bool>* cancel,
           const std::function<void(const Evaluation&)>& progress)
        : request_(request), column_(QuantityColumn(request.quantity)), cancel_(cancel), progress_(progress) {}

    GoalSeekResult Seek();
    GoalSeekResult Closest(GoalSeekEnd end, std::string reason) const;
    std::vector<Evaluation> History() const;

private:
    const Point& At(double x);
    bool Meets(const Point& point) const {
        return point.residual && std::fabs(*point.residual) <= request_.tolerance;
    }
    bool Sound(const Point& point) const {
        return Feasible(point.run.outcome, point.run.warningKinds, request_.acceptedWarnings, {});
    }
    GoalSeekResult Bracket(const Point& a, const Point& b);
    GoalSeekResult Found(const Point& root, std::optional<double> slope);
    GoalSeekResult Unbracketed(const std::vector<const Point*>& grid) const;
    std::string At(const Point& point) const;
    std::string ValueAt(const Point& point) const;

    const GoalSeekRequest& request_;
    const RunColumn& column_;
    const std::atomic<bool>* cancel_;
    const std::function<void(const Evaluation&)>& progress_;
    std::deque<Point> points_;  // in the order run; references stay valid
};

bool Straddle(const Point& a, const Point& b) {
    return a.residual && b.residual && ((*a.residual < 0) != (*b.residual < 0));
}

const Point& Search::At(double x) {
    std::string text = InputText(x, request_.base.decimalSeparator);
    const auto known = std::find_if(points_.begin(), points_.end(), [&](const Point& p) { return p.text == text; });
    if (known != points_.end()) return *known;
    if (cancel_ != nullptr && cancel_->load()) throw SearchCancelled{};
    if (points_.size() >= static_cast<std::size_t>(request_.runLimit)) throw RunsSpent{};
    const InputField* fields[] = {request_.field};
    const std::string texts[] = {text};
    Point point{x, std::move(text), RunDesign(request_.base, fields, texts), {}, {}};
    point.value = ColumnNumber(column_, point.run);
    if (point.value && std::isfinite(*point.value)) point.residual = *point.value - request_.target;
    const Point& added = points_.emplace_back(std::move(point));
    if (progress_) progress_(EvaluationOf(added));
    return added;
}

std::string Search::At(const Point& point) const {
    return std::string(request_.field->name) + "=" + point.text;
}

std::string Search::ValueAt(const Point& point) const {
    if (point.value) return ValueText(*point.value) + " at " + At(point);
    return "not computed at " + At(point) + " (the run stops: " + std::string(OutcomeName(point.run.outcome)) + ")";
}

GoalSeekResult Search::Seek() {
    const Point& low = At(request_.low);
    const Point& high = At(request_.high);
    if (Meets(low)) return Found(low, std::nullopt);
    if (Meets(high)) return Found(high, std::nullopt);
    if (Straddle(low, high)) return Bracket(low, high);
    // The ends do not straddle the target: a coarse scan finds a bracket inside
    // or shows the quantity turning.
    constexpr int Intervals = 7;
    std::vector<const Point*> grid{&low};
    for (int i = 1; i < Intervals; ++i)
        grid.push_back(&At(request_.low + (request_.high - request_.low) * i / Intervals));
    grid.push_back(&high);
    const auto met = std::find_if(grid.begin(), grid.end(), [this](const Point* p) { return Meets(*p); });
    if (met != grid.end()) return Found(**met, std::nullopt);
    for (std::size_t i = 1; i < grid.size(); ++i) {
        if (Straddle(*grid[i - 1], *grid[i])) return Bracket(*grid[i - 1], *grid[i]);
    }
    return Unbracketed(grid);
}

GoalSeekResult Search::Bracket(const Point& a, const Point& b) {
    // Zero when within the tolerance, which ends TOMS 748 at once.
    const auto residual = [this](double x) {
        const Point& point = At(x);
        if (!point.residual) throw RunStopped{x};
        return Meets(point) ? 0.0 : *point.residual;
    };
    // The bracket cannot shrink below adjacent doubles.
    const auto narrow = [](double u, double v) {
        return std::fabs(v - u) <= 4 * std::numeric_limits<double>::epsilon() * std::max(std::fabs(u), std::fabs(v));
    };
    std::uintmax_t iterations = static_cast<std::uintmax_t>(request_.runLimit);
    std::pair<double, double> ends;
    try {
        ends = boost::math::tools::toms748_solve(residual, a.x, b.x, *a.residual, *b.residual, narrow, iterations);
    } catch (const RunStopped& stop) {
        const Point& stopped = At(stop.x);
        return Closest(GoalSeekEnd::InStep, request_.quantity + " jumps between " + ValueAt(a) + " and " +
                                                ValueAt(b) + ": it is " + ValueAt(stopped));
    }
    const Point& left = At(ends.first);
    const Point& right = At(ends.second);
    const Point& best = Meets(left) ? left : right;
    if (Meets(best)) {
        std::optional<double> slope;
        if (left.value && right.value && right.x != left.x) slope = (*right.value - *left.value) / (right.x - left.x);
        return Found(best, slope);
    }
    std::string reason = request_.quantity + " jumps across the target " + ValueText(request_.target) +
                         " between " + ValueAt(left) + " and " + ValueAt(right);
    if (left.run.passes != right.run.passes)
        reason += " (the temperature iteration's passes change from " + std::to_string(left.run.passes) + " to " +
                  std::to_string(right.run.passes) + ")";
    return Closest(GoalSeekEnd::InStep, std::move(reason));
}

// The root's text with the fewest significant digits whose run meets the
// tolerance; candidates the slope shows far off are not run.
GoalSeekResult Search::Found(const Point& root, std::optional<double> slope) {
    const Point* found = &root;
    try {
        for (int digits = 1; digits <= 17; ++digits) {
            const double x = RoundedToSignificant(root.x, digits);
            if (x < request_.low || x > request_.high) continue;
            if (InputText(x, request_.base.decimalSeparator) == root.text) break;
            if (slope && std::fabs(*root.residual + *slope * (x - root.x)) > 2 * request_.tolerance) continue;
            if (const Point& point = At(x); Meets(point) && (Sound(point) || !Sound(root))) {
                found = &point;
                break;
            }
        }
    } catch (const SearchCancelled&) {  // the root's own text stands
    } catch (const RunsSpent&) {
    }
    if (!Sound(*found))
        return {GoalSeekEnd::Unsound, found->text, found->run, found->residual,
                request_.quantity + " reaches the target " + ValueText(request_.target) + " at " + At(*found) +
                    ", but there the run " + UnacceptedWarningsText(found->run.warningKinds, request_.acceptedWarnings) +
                    ", which the case does not accept",
                {}};
    return {GoalSeekEnd::Found, found->text, found->run, found->residual, {}, {}};
}

GoalSeekResult Search::Unbracketed(const std::vector<const Point*>& grid) const {
    const Point& low = *grid.front();
    const Point& high = *grid.back();
    const std::string target = "the target " + ValueText(request_.target);
    std::vector<const Point*> computed;
    std::copy_if(grid.begin(), grid.end(), std::back_inserter(computed), [](const Point* p) { return p->residual; });
    if (computed.empty()) return Closest(GoalSeekEnd::EveryRunStopped, {});  // GoalSeek says why
    for (std::size_t i = 1; i < computed.size(); ++i) {
        if (Straddle(*computed[i - 1], *computed[i]))
            return Closest(GoalSeekEnd::InStep, request_.quantity + " jumps across " + target + " where runs stop: " +
                                                    ValueAt(*computed[i - 1]) + ", then " + ValueAt(*computed[i]));
    }
    const auto distance = [](const Point* p) { return std::fabs(*p->residual); };
    const Point& nearest = **std::min_element(computed.begin(), computed.end(),
                                              [&](const Point* p, const Point* q) { return distance(p) < distance(q); });
    const bool interior = &nearest != &low && &nearest != &high;
    if (interior && low.residual && high.residual)
        return Closest(GoalSeekEnd::NotMonotonic, request_.quantity + " turns inside the range: it is " + ValueAt(low) +
                                                      ", " + ValueAt(nearest) + " and " + ValueAt(high) + "; " +
                                                      target + " is not reached");
    return Closest(GoalSeekEnd::OutOfRange,
                   request_.quantity + " is " + ValueAt(low) + " and " + ValueAt(high) + "; " + target + " lies beyond");
}

GoalSeekResult Search::Closest(GoalSeekEnd end, std::string reason) const {
    GoalSeekResult result;
    result.end = end;
    result.reason = std::move(reason);
    // The first run nearest the target; the first of all when none computed the
    // quantity.
    const auto distance = [](const Point& p) {
        return p.residual ? std::fabs(*p.residual) : std::numeric_limits<double>::infinity();
    };
    const auto nearest = std::min_element(points_.begin(), points_.end(),
                                          [&](const Point& p, const Point& q) { return distance(p) < distance(q); });
    if (nearest != points_.end()) {
        result.text = nearest->text;
        result.run = nearest->run;
        result.residual = nearest->residual;
    }
    return result;
}

std::vector<Evaluation> Search::History() const {
    std::vector<Evaluation> history(points_.size());
    std::transform(points_.begin(), points_.end(), history.begin(), EvaluationOf);
    return history;
}

void CheckRequest(const GoalSeekRequest& request) {
    CheckVariedInput(request.field, request.low, request.high);
    QuantityColumn(request.quantity);
    if (!std::isfinite(request.target)) throw DesignError("the target is no finite number");
    if (!std::isfinite(request.tolerance) || request.tolerance <= 0)
        throw DesignError("the tolerance must be a number above 0");
    if (request.runLimit < 2) throw DesignError("a goal seek needs at least 2 runs");
}

}  // namespace

GoalSeekRequest GoalSeekRequestOf(RunRequest base, const VariedInput& varied, const Target& target,
                                  WarningKinds acceptedWarnings) {
    GoalSeekRequest request;
    request.base = std::move(base);
    request.field = varied.field;
    request.low = varied.low;
    request.high = varied.high;
    request.quantity = target.quantity;
    request.target = target.value;
    request.acceptedWarnings = acceptedWarnings;
    return request;
}

GoalSeekResult GoalSeek(const GoalSeekRequest& request, const std::atomic<bool>* cancel,
                        const std::function<void(const Evaluation&)>& progress) {
    CheckRequest(request);
    Search search(request, cancel, progress);
    GoalSeekResult result;
    try {
        result = search.Seek();
    } catch (const SearchCancelled&) {
        result = search.Closest(GoalSeekEnd::Cancelled, "cancelled");
    } catch (const RunsSpent&) {
        result = search.Closest(GoalSeekEnd::RunLimit,
                                "the " + std::to_string(request.runLimit) + " runs allowed were spent");
    }
    result.history = search.History();
    if (result.end != GoalSeekEnd::Cancelled) {
        if (std::optional<std::string> stopped = EveryRunStopped(result.history)) {
            result.end = GoalSeekEnd::EveryRunStopped;
            result.reason = std::move(*stopped);
        }
    }
    return result;
}

std::optional<std::string> EveryRunStopped(const std::vector<Evaluation>& history) {
    if (history.empty()) return std::nullopt;
    std::vector<std::pair<std::string_view, std::size_t>> reasons;  // in the order first met
    for (const Evaluation& run : history) {
        if (run.outcome == RunOutcome::Complete) return std::nullopt;
        const auto known = std::find_if(reasons.begin(), reasons.end(),
                                        [&](const auto& reason) { return reason.first == run.stop; });
        if (known != reasons.end()) ++known->second;
        else reasons.emplace_back(run.stop, 1);
    }
    const auto most = std::max_element(reasons.begin(), reasons.end(),
                                       [](const auto& a, const auto& b) { return a.second < b.second; });
    const std::string runs = " (" + std::to_string(history.size()) + " runs)";
    if (reasons.size() == 1) return "every run stopped: " + std::string(most->first) + runs;
    return "every run stopped, most often with: " + std::string(most->first) + " (" + std::to_string(most->second) +
           " of " + std::to_string(history.size()) + " runs)";
}

}  // namespace vortane
