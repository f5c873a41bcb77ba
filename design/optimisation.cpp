#include "design/optimisation.h"

#include <algorithm>
#include <cmath>
#include <mutex>
#include <nlopt.hpp>
#include <set>

#include "case/number_format.h"
#include "case/number_text.h"
#include "design/design_point.h"
#include "design/parallel_runs.h"
#include "result/run_table.h"

namespace vortane {

namespace {

// A constraint's value for a run that stopped: far outside every limit.
constexpr double StoppedConstraint = 10;
constexpr std::size_t GridCap = 256;
constexpr std::size_t StartCount = 3;

// One trial: a run at a point of the unit cube.
struct Trial {
    std::vector<double> unit;
    std::vector<std::string> texts;
    RunOutcome outcome = RunOutcome::Complete;
    std::vector<LimitMargin> margins;
    std::optional<double> objective;  // signed: minimised; none when the run stopped
    std::vector<double> constraints;  // −margin/|bound| per limit, then soundness; ≤ 0 where each holds
    WarningKinds warnings;            // of its run
    bool feasible = false;
    double violation = 0;  // the sum of the constraints above 0
};

// The soundness constraint of a complete run: ≤ 0 when it raises no warning
// the request does not accept. Negative pressure varies smoothly with the
// inputs, so its constraint does too: −(least channel pressure)/|inlet
// pressure|, both in kgf/cm2.
double SoundnessConstraint(const RunResult& run, WarningKinds accepted) {
    const WarningKinds unaccepted = run.warningKinds.Without(accepted);
    if (!unaccepted.Without(WarningKind::NegativePressure).Empty() || !run.indicators) return StoppedConstraint;
    if (accepted.Has(WarningKind::NegativePressure)) return -1;
    const double least = std::min(run.indicators->leastInlet.pressure, run.indicators->leastOutlet.pressure);
    return std::min(StoppedConstraint, -least / std::max(1.0, std::fabs(run.data.InletPressure)));
}

// The columns the objective reads: the quantity's, or each held quantity's.
std::vector<const RunColumn*> ObjectiveColumnsOf(const OptimisationRequest& request) {
    if (request.deviations.empty()) return {&QuantityColumn(request.objective)};
    std::vector<const RunColumn*> columns;
    for (const Target& target : request.deviations) columns.push_back(&QuantityColumn(target.quantity));
    return columns;
}

// The objective's value in a run, unsigned: the quantity, or the sum of the
// squared relative deviations; none where a value is missing or not finite.
std::optional<double> ObjectiveValue(const OptimisationRequest& request, std::span<const RunColumn* const> columns,
                                     const RunResult& run) {
    if (request.deviations.empty()) {
        const std::optional<double> value = ColumnNumber(*columns.front(), run);
        return value && std::isfinite(*value) ? value : std::nullopt;
    }
    double sum = 0;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const std::optional<double> value = ColumnNumber(*columns[i], run);
        if (!value || !std::isfinite(*value)) return std::nullopt;
        const double deviation = (*value - request.deviations[i].value) / request.deviations[i].value;
        sum += DeviationSquare(deviation, request.deviationSlack);
    }
    return sum;
}

bool Better(const Trial& a, const Trial& b) {
    if (a.feasible != b.feasible) return a.feasible;
    if (a.feasible) return *a.objective < *b.objective;
    return a.violation < b.violation;
}

// The best run: its inputs, texts and run.
struct Design {
    double objective = 0;  // signed
    std::vector<double> values;
    std::vector<std::string> texts;
    RunResult run;
};

// The question and the runs made for it, shared by the threads.
class Problem {
public:
    Problem(const OptimisationRequest& request, const std::atomic<bool>* cancel,
            const std::function<void(const Evaluation&)>& progress)
        : request_(request),
          objective_(ObjectiveColumnsOf(request)),
          limits_(LimitColumns(request.limits)),
          cancel_(cancel),
          progress_(progress) {
        std::transform(request.inputs.begin(), request.inputs.end(), std::back_inserter(fields_),
                       [](const VariedInput& input) { return input.field; });
    }

    // The run at `unit`; none once cancelled or the runs allowed are spent.
    // Its run is moved to `keep` when given.
    std::optional<Trial> Evaluate(std::span<const double> unit, std::vector<std::string> texts = {},
                                  RunResult* keep = nullptr);
    void Choose(Design design) { best_ = std::move(design); }
    std::vector<double> Values(std::span<const double> unit) const;
    double Pull(std::span<const double> values) const;
    bool Cancelled() const { return cancel_ != nullptr && cancel_->load(); }
    bool Spent() const { return spent_; }
    int RunsLeft() const { return std::max(0, request_.runLimit - runs_.load()); }
    double Penalty() const { return penalty_; }
    void SetPenalty(double penalty) { penalty_ = penalty; }
    const std::optional<Design>& Best() const { return best_; }
    std::vector<Evaluation>& History() { return history_; }
    const OptimisationRequest& Request() const { return request_; }
    std::span<const RunColumn* const> LimitColumnsOf() const { return limits_; }

private:
    const OptimisationRequest& request_;
    std::vector<const RunColumn*> objective_;
    std::vector<const RunColumn*> limits_;
    std::vector<const InputField*> fields_;
    const std::atomic<bool>* cancel_;
    const std::function<void(const Evaluation&)>& progress_;
    std::atomic<int> runs_ = 0;
    std::atomic<bool> spent_ = false;
    double penalty_ = 0;
    std::mutex mutex_;
    std::vector<Evaluation> history_;
    std::optional<Design> best_;
};

double Problem::Pull(std::span<const double> values) const {
    double sum = 0;
    for (std::size_t i = 0; i < request_.anchor.size(); ++i) {
        const VariedInput& input = request_.inputs[i];
        sum += std::pow((values[i] - request_.anchor[i]) / (input.high - input.low), 2);
    }
    return request_.anchorWeight * sum;
}

std::vector<double> Problem::Values(std::span<const double> unit) const {
    std::vector<double> values;
    for (std::size_t i = 0; i < unit.size(); ++i) {
        const VariedInput& input = request_.inputs[i];
        values.push_back(input.low + std::clamp(unit[i], 0.0, 1.0) * (input.high - input.low));
    }
    return values;
}

std::optional<Trial> Problem::Evaluate(std::span<const double> unit, std::vector<std::string> texts,
                                       RunResult* keep) {
    if (Cancelled()) return std::nullopt;
    if (runs_.fetch_add(1) >= request_.runLimit) {
        spent_ = true;
        return std::nullopt;
    }
    const std::vector<double> values = Values(unit);
    if (texts.empty()) {
        std::transform(values.begin(), values.end(), std::back_inserter(texts),
                       [this](double value) { return InputText(value, request_.base.decimalSeparator); });
    }
    RunResult run = request_.memo != nullptr ? request_.memo->Run(request_.base, fields_, texts)
                                             : RunDesign(request_.base, fields_, texts);
    const std::vector<LimitMargin> margins = LimitMargins(request_.limits, limits_, run);
    const std::optional<double> value = ObjectiveValue(request_, objective_, run);
    Trial point{{unit.begin(), unit.end()}, texts, run.outcome, margins, {}, {}, {}, false, 0};
    const bool complete = run.outcome == RunOutcome::Complete && value;
    if (complete) point.objective = request_.maximise && request_.deviations.empty() ? -*value : *value + Pull(values);
    for (const LimitMargin& margin : margins) {
        const double constraint = complete && margin.fraction ? -*margin.fraction : StoppedConstraint;
        point.constraints.push_back(constraint);
        point.violation += std::max(0.0, constraint);
    }
    const double soundness = complete ? SoundnessConstraint(run, request_.acceptedWarnings) : StoppedConstraint;
    point.constraints.push_back(soundness);
    point.violation += std::max(0.0, soundness);
    if (!complete) point.violation += StoppedConstraint;
    point.warnings = run.warningKinds;
    point.feasible = complete && Feasible(run.outcome, run.warningKinds, request_.acceptedWarnings, margins);

    Evaluation evaluation{values, texts, run.outcome, value, {}, run.warningKinds, StopMessage(run)};
    for (const LimitMargin& margin : margins) evaluation.margins.push_back(margin.margin);
    const std::scoped_lock lock(mutex_);
    if (point.feasible && (!best_ || *point.objective < best_->objective))
        best_ = Design{*point.objective, values, texts, run};
    if (keep != nullptr) *keep = std::move(run);
    history_.push_back(std::move(evaluation));
    if (progress_) progress_(history_.back());
    return point;
}

// Points per input of the starting grid: as many as the cap allows, 2 to 9.
std::size_t GridSide(std::size_t inputs) {
    std::size_t side = 2;
    while (side < 9 && static_cast<std::size_t>(std::pow(side + 1, inputs)) <= GridCap) ++side;
    return side;
}

std::vector<Trial> RunGrid(Problem& problem, std::size_t side, unsigned threads) {
    const std::size_t inputs = problem.Request().inputs.size();
    const auto count = static_cast<std::size_t>(std::pow(side, inputs));
    std::vector<std::optional<Trial>> points(count);
    InParallel(count, threads, [&](std::size_t index) {
        std::vector<double> unit(inputs);
        for (std::size_t i = 0, rest = index; i < inputs; ++i, rest /= side)
            unit[i] = static_cast<double>(rest % side) / static_cast<double>(side - 1);
        points[index] = problem.Evaluate(unit);
    });
    std::vector<Trial> done;
    for (const std::optional<Trial>& point : points) {
        if (point) done.push_back(*point);
    }
    return done;
}

// A COBYLA start: the last point run, for the constraints asked at it.
struct Start {
    Problem* problem;
    std::optional<Trial> last;
};

const Trial& PointAt(Start& start, const double* x, std::size_t n) {
    if (!start.last || !std::equal(x, x + n, start.last->unit.begin())) {
        start.last = start.problem->Evaluate({x, n});
        if (!start.last) throw nlopt::forced_stop();
    }
    return *start.last;
}

double ObjectiveOf(const std::vector<double>& x, std::vector<double>& /*gradient*/, void* data) {
    auto& start = *static_cast<Start*>(data);
    return PointAt(start, x.data(), x.size()).objective.value_or(start.problem->Penalty());
}

void ConstraintsOf(unsigned m, double* result, unsigned n, const double* x, double* /*gradient*/, void* data) {
    const Trial& point = PointAt(*static_cast<Start*>(data), x, n);
    std::copy_n(point.constraints.begin(), m, result);
}

// How a COBYLA start ended, as NLopt says it.
enum class StartEnd { Tolerance, Budget, Roundoff, Stopped };

// COBYLA from `from`, for at most `runs` runs. A forced stop is ours: the
// search cancelled or its runs spent.
StartEnd Descend(Problem& problem, const Trial& from, double step, int runs) {
    const std::size_t n = from.unit.size();
    Start start{&problem, from};
    nlopt::opt opt(nlopt::LN_COBYLA, static_cast<unsigned>(n));
    opt.set_lower_bounds(std::vector<double>(n, 0.0));
    opt.set_upper_bounds(std::vector<double>(n, 1.0));
    opt.set_min_objective(ObjectiveOf, &start);
    opt.add_inequality_mconstraint(ConstraintsOf, &start, std::vector<double>(from.constraints.size(), 0.0));
    opt.set_xtol_abs(problem.Request().tolerance);
    opt.set_initial_step(step);
    opt.set_maxeval(std::max(runs, 1));
    std::vector<double> x = from.unit;
    try {
        double value = 0;
        return opt.optimize(x, value) == nlopt::MAXEVAL_REACHED ? StartEnd::Budget : StartEnd::Tolerance;
    } catch (const nlopt::roundoff_limited&) {
        return StartEnd::Roundoff;
    } catch (const nlopt::forced_stop&) {
        return StartEnd::Stopped;
    }
}

// The end of a search that found a design, from how its starts ended: by the
// tolerance only when every start did; roundoff where one could go no
// further; else the runs allowed.
OptimisationEnd EndOf(const Problem& problem, const std::vector<StartEnd>& ends) {
    const auto all = [&ends](StartEnd end) { return std::all_of(ends.begin(), ends.end(), [end](StartEnd e) { return e == end; }); };
    const auto any = [&ends](StartEnd end) { return std::find(ends.begin(), ends.end(), end) != ends.end(); };
    if (problem.Spent() || any(StartEnd::Budget)) return OptimisationEnd::RunLimit;
    if (all(StartEnd::Tolerance)) return OptimisationEnd::Converged;
    return any(StartEnd::Roundoff) ? OptimisationEnd::Roundoff : OptimisationEnd::RunLimit;
}

// The starts: the best few grid points, feasible first.
std::vector<Trial> Starts(std::vector<Trial> grid) {
    std::sort(grid.begin(), grid.end(), Better);
    grid.resize(std::min(grid.size(), StartCount));
    return grid;
}

// Worse than every computed objective of the grid.
double PenaltyOf(const std::vector<Trial>& grid) {
    double low = 0, high = 0;
    bool any = false;
    for (const Trial& point : grid) {
        if (!point.objective) continue;
        low = any ? std::min(low, *point.objective) : *point.objective;
        high = any ? std::max(high, *point.objective) : *point.objective;
        any = true;
    }
    return high + (high - low) + std::max(1.0, std::fabs(high));
}

// The value rounded to `digits` significant digits, as a box text.
std::string RoundedText(double value, int digits, char separator) {
    return InputText(RoundedToSignificant(value, digits), separator);
}

// The best design's texts with the fewest digits (the same for every input)
// whose run stays feasible and within the tolerance of the best objective.
void ShortenTexts(Problem& problem) {
    const Design best = *problem.Best();
    const OptimisationRequest& request = problem.Request();
    const double slack = request.tolerance * std::max(std::fabs(best.objective), 1e-12);
    for (int digits = 2; digits < 17; ++digits) {
        std::vector<std::string> texts;
        std::vector<double> unit;
        for (std::size_t i = 0; i < best.values.size(); ++i) {
            texts.push_back(RoundedText(best.values[i], digits, request.base.decimalSeparator));
            const VariedInput& input = request.inputs[i];
            const double value = *ConvertReal(texts.back(), request.base.decimalSeparator);
            unit.push_back((value - input.low) / (input.high - input.low));
        }
        if (texts == best.texts) return;
        if (std::any_of(unit.begin(), unit.end(), [](double u) { return u < 0 || u > 1; })) continue;
        RunResult run;
        const std::optional<Trial> point = problem.Evaluate(unit, texts, &run);
        if (!point) return;
        if (point->feasible && *point->objective <= best.objective + slack) {
            problem.Choose({*point->objective, problem.Values(unit), texts, std::move(run)});
            return;
        }
    }
}

OptimisationResult ResultOf(Problem& problem, OptimisationEnd end, const std::vector<Trial>& grid) {
    OptimisationResult result;
    result.end = end;
    const OptimisationRequest& request = problem.Request();
    if (const std::optional<Design>& best = problem.Best()) {
        result.found = true;
        result.texts = request.base.texts;
        for (std::size_t i = 0; i < request.inputs.size(); ++i)
            result.texts[request.inputs[i].field->box - 1] = best->texts[i];
        result.inputTexts = best->texts;
        result.run = best->run;
        result.objective = ObjectiveValue(request, ObjectiveColumnsOf(request), best->run);
        result.margins = LimitMargins(request.limits, problem.LimitColumnsOf(), best->run);
    } else if (!grid.empty()) {
        const Trial& least = *std::min_element(grid.begin(), grid.end(), Better);
        std::string at;
        for (std::size_t i = 0; i < request.inputs.size(); ++i)
            at += (i == 0 ? "" : " ") + std::string(request.inputs[i].field->name) + "=" + least.texts[i];
        const std::string warns = UnacceptedWarningsText(least.warnings, request.acceptedWarnings);
        const std::string fails = FailedLimitsText(request.limits, least.margins);
        result.reason = "no feasible run; the nearest, " + at + ", " +
                        (least.outcome != RunOutcome::Complete
                             ? "stops (" + std::string(OutcomeName(least.outcome)) + ")"
                             : warns + (warns.empty() || fails.empty() ? "" : " and ") +
                                   (fails.empty() ? "" : "fails " + fails));
    }
    result.history = std::move(problem.History());
    if (!result.found && end != OptimisationEnd::Cancelled) {
        if (std::optional<std::string> stopped = EveryRunStopped(result.history)) {
            result.end = OptimisationEnd::EveryRunStopped;
            result.reason = std::move(*stopped);
        }
    }
    return result;
}

void CheckRequest(const OptimisationRequest& request) {
    if (request.inputs.empty() || request.inputs.size() > MaxVariedInputs)
        throw DesignError("an optimisation varies 1 to 6 inputs");
    if (request.runLimit < 1) throw DesignError("an optimisation needs at least 1 run");
    std::set<const InputField*> seen;
    for (const VariedInput& input : request.inputs) {
        CheckVariedInput(input.field, input.low, input.high);
        if (!seen.insert(input.field).second)
            throw DesignError(std::string(input.field->name) + " is varied twice");
    }
    if (request.deviations.empty()) QuantityColumn(request.objective);
    for (const Target& target : request.deviations) {
        QuantityColumn(target.quantity);
        if (!std::isfinite(target.value) || target.value == 0)
            throw DesignError(target.quantity + " cannot be held at " + ValueText(target.value) +
                              ": a relative deviation needs a nonzero target");
    }
    if (!request.anchor.empty() && request.anchor.size() != request.inputs.size())
        throw DesignError("the design to stay near needs a value for each varied input");
    if (!std::isfinite(request.deviationSlack) || request.deviationSlack < 0)
        throw DesignError("the deviation counted as none must be a number not below 0");
    if (!std::isfinite(request.anchorWeight) || request.anchorWeight < 0)
        throw DesignError("the pull towards the design to stay near must be a number not below 0");
    LimitColumns(request.limits);
    if (!std::isfinite(request.tolerance) || request.tolerance <= 0 || request.tolerance >= 1)
        throw DesignError("the tolerance must be a number above 0 and below 1");
}

}  // namespace

double DeviationSquare(double deviation, double slack) {
    const double excess = std::max(0.0, std::fabs(deviation) - slack);
    return excess * excess;
}

OptimisationResult Optimise(const OptimisationRequest& request, const std::atomic<bool>* cancel,
                            const std::function<void(const Evaluation&)>& progress) {
    CheckRequest(request);
    Problem problem(request, cancel, progress);
    const unsigned threads = ThreadCount(request.threads);
    const std::size_t side = GridSide(request.inputs.size());
    const std::vector<Trial> grid = RunGrid(problem, side, threads);
    problem.SetPenalty(PenaltyOf(grid));
    const std::vector<Trial> starts = Starts(grid);
    std::vector<StartEnd> ends(starts.size(), StartEnd::Stopped);
    const int runsEach = problem.RunsLeft() / static_cast<int>(std::max<std::size_t>(starts.size(), 1));
    const double step = 0.5 / static_cast<double>(side - 1);
    InParallel(starts.size(), threads,
               [&](std::size_t i) { ends[i] = Descend(problem, starts[i], step, runsEach); });
    if (problem.Cancelled()) return ResultOf(problem, OptimisationEnd::Cancelled, grid);
    if (!problem.Best()) return ResultOf(problem, OptimisationEnd::Infeasible, grid);
    ShortenTexts(problem);
    return ResultOf(problem, EndOf(problem, ends), grid);
}

}  // namespace vortane
