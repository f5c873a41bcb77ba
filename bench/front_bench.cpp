#include <benchmark/benchmark.h>

#include <algorithm>
#include <iterator>
#include <limits>

#include "design/design_point.h"
#include "design/pareto_front.h"
#include "result/limit_check.h"
#include "result/run_table.h"
#include "study/sweep_run.h"

#ifdef VORTANE_PAGMO
#include <pagmo/algorithms/nsga2.hpp>
#include <pagmo/population.hpp>
#include <pagmo/problem.hpp>
#include <pagmo/utils/hypervolume.hpp>
#endif

namespace {

using namespace vortane;

// The 350 kg/hr question: the least pressure drop against the greatest shear
// stress at the first barrier, over its clearance (0.03 ... 0.1 cm) and the
// screw speed (60 ... 140 rpm), with the temperature rise at most 30 ℃ and
// the least inlet pressure at least 0.
const std::vector<Objective> Objectives = {{"TotalPressureDrop", false}, {"Barrier1ShearStress", true}};
const std::vector<Limit> FrontLimits = {{"TemperatureRise", LimitBound::AtMost, 30},
                                   {"LeastInletPressure", LimitBound::AtLeast, 0}};

FrontRequest PlantFront(int threads) {
    FrontRequest request;
    InputTexts texts = DefaultTexts('.');
    texts[FindInputField("OutputRate")->box - 1] = "350";
    request.base = {texts, {}, '.', ReportTarget::None, {}};
    request.inputs = {{FindInputField("BarrierClearance1"), 0.03, 0.1}, {FindInputField("ScrewSpeed"), 60, 140}};
    request.objectives = Objectives;
    request.limits = FrontLimits;
    request.threads = threads;
    return request;
}

// The feasible points of a 201 × 201 grid over the same bounds, their
// objectives minimised (the stress negated).
std::vector<std::vector<double>> GridPoints(const FrontRequest& request) {
    SweepPlan plan;
    plan.base = request.base.texts;
    plan.axes = {MakeSweepAxis(*request.inputs[0].field, "0.03", "0.1", "0.00035", '.'),
                 MakeSweepAxis(*request.inputs[1].field, "60", "140", "0.4", '.')};
    const std::vector<const RunColumn*> columns = LimitColumns(FrontLimits);
    std::vector<std::vector<double>> points;
    RunSweep(plan, {2, {}, {}}, [&](const PointResult& point) {
        const std::vector<LimitMargin> margins = LimitMargins(FrontLimits, columns, point.run);
        if (!Feasible(point.run.outcome, point.run.warningKinds, {}, margins)) return;
        std::vector<double> values;
        values.reserve(Objectives.size());
        for (const Objective& objective : Objectives)
            values.push_back(*ColumnNumber(*LimitColumn(objective.quantity), point.run));
        points.push_back(Minimised(values, Objectives));
    });
    return points;
}

// The grid's feasible points, the nadir of them and their hypervolume
// below it, computed once.
struct Reference {
    std::vector<std::vector<double>> points;
    std::vector<double> nadir;
    double hypervolume = 0;
};

const Reference& GridReference() {
    static const Reference reference = [] {
        Reference made{GridPoints(PlantFront(2)), std::vector<double>(2, -std::numeric_limits<double>::infinity())};
        for (const std::vector<double>& point : made.points)
            for (std::size_t k = 0; k < 2; ++k) made.nadir[k] = std::max(made.nadir[k], point[k]);
        made.hypervolume = Hypervolume(made.points, made.nadir);
        return made;
    }();
    return reference;
}

// The front on 1 or 2 threads. Counters: its designs, the runs made, and its
// hypervolume against the reference front of the 201 × 201 grid (the
// reference point the nadir of the grid's feasible points), in percent.
void ParetoFrontPressureAndStress(benchmark::State& state) {
    const FrontRequest request = PlantFront(static_cast<int>(state.range(0)));
    FrontResult front;
    for (auto _ : state) {
        front = ParetoFront(request);
        benchmark::DoNotOptimize(front);
    }
    if (front.designs.empty()) state.SkipWithError(front.reason.c_str());
    state.counters["designs"] = static_cast<double>(front.designs.size());
    state.counters["runs"] = static_cast<double>(front.runs);
    std::vector<std::vector<double>> found;
    found.reserve(front.designs.size());
    for (const FrontDesign& design : front.designs) found.push_back(Minimised(design.objectives, Objectives));
    const Reference& reference = GridReference();
    state.counters["grid_points"] = static_cast<double>(reference.points.size());
    state.counters["grid_front"] = static_cast<double>(NonDominated(reference.points).size());
    state.counters["grid_hv"] = reference.hypervolume;
    state.counters["front_hv"] = Hypervolume(found, reference.nadir);
    state.counters["hv_percent"] = 100 * Hypervolume(found, reference.nadir) / reference.hypervolume;
    state.counters["nadir_drop"] = reference.nadir[0];
    state.counters["nadir_stress"] = -reference.nadir[1];
#ifdef VORTANE_PAGMO
    // pagmo's own hypervolume of the same front, as a check of ours; pagmo
    // takes only the points inside the reference point.
    std::vector<std::vector<double>> inside;
    std::copy_if(found.begin(), found.end(), std::back_inserter(inside), [&](const std::vector<double>& point) {
        return point[0] < reference.nadir[0] && point[1] < reference.nadir[1];
    });
    state.counters["front_hv_pagmo"] = pagmo::hypervolume(inside).compute(reference.nadir);
#endif
}
BENCHMARK(ParetoFrontPressureAndStress)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

#ifdef VORTANE_PAGMO
// The same question for NSGA-II, which takes no constraints with several
// objectives: a design that is not feasible scores a penalty beyond every
// feasible one in both objectives, growing with how far it fails; the
// feasible designs are sorted out afterwards.
struct PenalisedPlant {
    static constexpr double Penalty = 1e4;

    std::vector<double> fitness(const std::vector<double>& x) const {
        static const FrontRequest request = PlantFront(1);
        static const std::vector<const InputField*> fields = {request.inputs[0].field, request.inputs[1].field};
        const std::vector<std::string> texts = {InputText(x[0], '.'), InputText(x[1], '.')};
        const RunResult run = RunDesign(request.base, fields, texts);
        const std::vector<LimitMargin> margins = LimitMargins(FrontLimits, LimitColumns(FrontLimits), run);
        if (Feasible(run.outcome, run.warningKinds, {}, margins)) {
            std::vector<double> values;
            values.reserve(Objectives.size());
            for (const Objective& objective : Objectives)
                values.push_back(*ColumnNumber(*LimitColumn(objective.quantity), run));
            return Minimised(values, Objectives);
        }
        double violation = run.outcome == RunOutcome::Complete ? 0 : 10;
        for (const LimitMargin& margin : margins) violation += margin.fraction ? std::max(0.0, -*margin.fraction) : 1;
        return {Penalty * (1 + violation), Penalty * (1 + violation)};
    }
    std::pair<std::vector<double>, std::vector<double>> get_bounds() const { return {{0.03, 60}, {0.1, 140}}; }
    pagmo::vector_double::size_type get_nobj() const { return 2; }
};

// NSGA-II (pagmo2) with a population of range(0) over range(1) generations.
// Counters as the front's: the feasible designs no other of the final
// population dominates, the runs made, and their hypervolume against the grid's.
void Nsga2PressureAndStress(benchmark::State& state) {
    const auto size = static_cast<pagmo::population::size_type>(state.range(0));
    const auto generations = static_cast<unsigned>(state.range(1));
    std::vector<std::vector<double>> found;
    unsigned long long runs = 0;
    for (auto _ : state) {
        pagmo::problem problem{PenalisedPlant{}};
        pagmo::population population{problem, size, 1};
        population = pagmo::algorithm{pagmo::nsga2(generations, 0.95, 10., 0.01, 50., 1)}.evolve(population);
        runs = population.get_problem().get_fevals();
        found.clear();
        for (const std::vector<double>& f : population.get_f())
            if (f[0] < PenalisedPlant::Penalty) found.push_back(f);
        benchmark::DoNotOptimize(found);
    }
    const Reference& reference = GridReference();
    state.counters["designs"] = static_cast<double>(NonDominated(found).size());
    state.counters["runs"] = static_cast<double>(runs);
    state.counters["hv_percent"] = 100 * Hypervolume(found, reference.nadir) / reference.hypervolume;
}
BENCHMARK(Nsga2PressureAndStress)->Args({64, 60})->Args({100, 100})->Unit(benchmark::kMillisecond)->UseRealTime();
#endif

}  // namespace
