#include <benchmark/benchmark.h>

#include "design/goal_seek.h"
#include "design/optimisation.h"

namespace {

using namespace vortane;

RunRequest PlantCase() {
    InputTexts texts = DefaultTexts('.');
    texts[FindInputField("OutputRate")->box - 1] = "350";
    return {texts, {}, '.', ReportTarget::None, {}};
}

// The screw speed at 350 kg/hr that gives a temperature rise of 30 ℃, within
// 0.001 ℃; counters: the runs made and the residual.
void GoalSeekTemperatureRise(benchmark::State& state) {
    GoalSeekRequest request;
    request.base = PlantCase();
    request.field = FindInputField("ScrewSpeed");
    request.low = 40;
    request.high = 140;
    request.quantity = "TemperatureRise";
    request.target = 30;
    GoalSeekResult result;
    for (auto _ : state) {
        result = GoalSeek(request);
        benchmark::DoNotOptimize(result);
    }
    if (result.end != GoalSeekEnd::Found) state.SkipWithError(result.reason.c_str());
    state.counters["runs"] = static_cast<double>(result.history.size());
    state.counters["residual"] = result.residual.value_or(0);
}
BENCHMARK(GoalSeekTemperatureRise)->Unit(benchmark::kMillisecond);

// The least pressure drop over the first barrier's clearance (0.03 ... 0.1 cm)
// and the screw speed (60 ... 140 rpm) at 350 kg/hr with the temperature rise
// at most 30 ℃, the first barrier's shear stress at least 135 kPa and the least
// inlet pressure at least 0; the argument is the number of threads. Counters:
// the runs made and the pressure drop found.
void OptimisePressureDrop(benchmark::State& state) {
    OptimisationRequest request;
    request.base = PlantCase();
    request.inputs = {{FindInputField("BarrierClearance1"), 0.03, 0.1}, {FindInputField("ScrewSpeed"), 60, 140}};
    request.objective = "TotalPressureDrop";
    request.limits = {{"TemperatureRise", LimitBound::AtMost, 30},
                      {"Barrier1ShearStress", LimitBound::AtLeast, 135},
                      {"LeastInletPressure", LimitBound::AtLeast, 0}};
    request.threads = static_cast<int>(state.range(0));
    OptimisationResult result;
    for (auto _ : state) {
        result = Optimise(request);
        benchmark::DoNotOptimize(result);
    }
    if (!result.found) state.SkipWithError(result.reason.c_str());
    state.counters["runs"] = static_cast<double>(result.history.size());
    state.counters["objective"] = result.objective.value_or(0);
}
BENCHMARK(OptimisePressureDrop)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
