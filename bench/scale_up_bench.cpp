#include <benchmark/benchmark.h>

#include "design/scale_up.h"

namespace {

using namespace vortane;

// The default section (114.3 mm) carried to 200 mm at 1000 kg/hr, holding the
// shear stress over barrier 1 and the temperature rise: the table and the
// Kept search's runs, and how far each kept column ends from the reference.
void ScaleUpShearAndTemperature(benchmark::State& state) {
    ScaleUpRequest request;
    request.base = {DefaultTexts('.'), {}, '.', ReportTarget::None, {}};
    request.barrelDiameter = 20;
    request.outputRate = static_cast<double>(state.range(1));
    request.keep = {"Barrier1ShearStress", "TemperatureRise"};
    request.threads = static_cast<int>(state.range(0));
    ScaleUpResult result;
    for (auto _ : state) result = ScaleUp(request);
    state.counters["runs"] = static_cast<double>(result.runs);
    state.counters["kept"] = result.kept ? 1 : 0;
    if (const ScaleUpRow* kept = ScaleUpRowNamed(result, KeptRowName)) {
        state.counters["stress_dev_pct"] = kept->deviations[0].value_or(0);
        state.counters["rise_dev_pct"] = kept->deviations[1].value_or(0);
        state.counters["drop_dev_pct"] = kept->deviations.back().value_or(0);
    }
}

BENCHMARK(ScaleUpShearAndTemperature)
    ->Args({1, 1000})
    ->Args({2, 1000})
    ->Args({2, 1430})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
