#include <benchmark/benchmark.h>

#include <algorithm>
#include <limits>

#include "design/pareto_front.h"
#include "result/limit_check.h"
#include "result/run_table.h"
#include "study/sweep_run.h"

namespace {

using namespace vortane;

// The 350 kg/hr question: the least pressure drop against the greatest shear
// stress at the first barrier, over its clearance (0.03 ... 0.1 cm) and the
// screw speed (60 ... 140 rpm), with the temperature rise at most 30 ℃ and
// the least inlet pressure at least 0.
const std::vector<Objective> Objectives = {{"TotalPressureDrop", false}, {"Barrier1ShearStress", true}};
const std::vector<Limit> Limits = {{"TemperatureRise", LimitBound::AtMost, 30},
                                   {"LeastInletPressure", LimitBound::AtLeast, 0}};

FrontRequest PlantFront(int threads) {
    FrontRequest request;
    InputTexts texts = DefaultTexts('.');
    texts[FindInputField("OutputRate")->box - 1] = "350";
    request.base = {texts, {}, '.', ReportTarget::None, {}};
    request.inputs = {{FindInputField("BarrierClearance1"), 0.03, 0.1}, {FindInputField("ScrewSpeed"), 60, 140}};
    request.objectives = Objectives;
    request.limits = Limits;
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
    const std::vector<const RunColumn*> columns = LimitColumns(Limits);
    std::vector<std::vector<double>> points;
    RunSweep(plan, {2, {}, {}}, [&](const PointResult& point) {
        const std::vector<LimitMargin> margins = LimitMargins(Limits, columns, point.run);
        if (!Feasible(point.run.outcome, point.run.warningKinds, {}, margins)) return;
        std::vector<double> values;
        values.reserve(Objectives.size());
        for (const Objective& objective : Objectives)
            values.push_back(*ColumnNumber(*LimitColumn(objective.quantity), point.run));
        points.push_back(Minimised(values, Objectives));
    });
    return points;
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
    const std::vector<std::vector<double>> grid = GridPoints(request);
    std::vector<double> nadir(2, -std::numeric_limits<double>::infinity());
    for (const std::vector<double>& point : grid)
        for (std::size_t k = 0; k < 2; ++k) nadir[k] = std::max(nadir[k], point[k]);
    std::vector<std::vector<double>> found;
    for (const FrontDesign& design : front.designs) found.push_back(Minimised(design.objectives, Objectives));
    const double reference = Hypervolume(grid, nadir);
    state.counters["grid_points"] = static_cast<double>(grid.size());
    state.counters["grid_front"] = static_cast<double>(NonDominated(grid).size());
    state.counters["grid_hv"] = reference;
    state.counters["front_hv"] = Hypervolume(found, nadir);
    state.counters["hv_percent"] = 100 * Hypervolume(found, nadir) / reference;
    state.counters["nadir_drop"] = nadir[0];
    state.counters["nadir_stress"] = -nadir[1];
}
BENCHMARK(ParetoFrontPressureAndStress)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
