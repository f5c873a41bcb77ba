#include <benchmark/benchmark.h>

#include <charconv>

#include "study/study_csv.h"
#include "study/sweep_run.h"

namespace {

using namespace vortane;

// `count` values evenly from `from` to `to`, as the shortest texts that read
// back to them.
SweepAxis EvenAxis(std::string_view field, double from, double to, int count) {
    SweepAxis axis{FindInputField(field), {}};
    for (int i = 0; i < count; ++i) {
        const double value = i + 1 == count ? to : from + (to - from) * i / (count - 1);
        char text[32];
        axis.texts.emplace_back(text, std::to_chars(text, text + sizeof text, value).ptr);
    }
    return axis;
}

// The 100 x 100 grid of OutputRate 100 ... 400 kg/hr and ScrewSpeed 40 ... 120
// rpm, other inputs at their defaults, no reports, every row formatted as the
// CSV has it; items per second are cases per second. The argument is the
// number of threads.
void SweepGrid(benchmark::State& state) {
    SweepPlan plan;
    plan.base = DefaultTexts('.');
    plan.axes = {EvenAxis("OutputRate", 100, 400, 100), EvenAxis("ScrewSpeed", 40, 120, 100)};
    const auto threads = static_cast<unsigned>(state.range(0));
    std::string csv;
    std::size_t complete = 0;
    for (auto _ : state) {
        RunSweep(plan, {threads, {}, {}}, [&](const PointResult& point) {
            csv += SweepRow(plan, point);
            complete += point.run.outcome == RunOutcome::Complete;
            if (csv.size() > (1u << 20)) csv.clear();
        });
    }
    benchmark::DoNotOptimize(csv);
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(PointCount(plan)));
    state.counters["complete"] =
        benchmark::Counter(static_cast<double>(complete) / static_cast<double>(state.iterations()));
}
BENCHMARK(SweepGrid)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

// One complete run's CSV row, formatted again and again, judged by the first
// `state.range(0)` of four limits: what limits add to each row of a sweep.
void SweepRowLimits(benchmark::State& state) {
    SweepPlan plan;
    plan.base = DefaultTexts('.');
    plan.axes = {EvenAxis("OutputRate", 350, 350, 1)};
    const std::vector<Limit> limits{{"TemperatureRise", LimitBound::AtMost, 30},
                                    {"Barrier1ShearStress", LimitBound::AtLeast, 120},
                                    {"TotalPressureDrop", LimitBound::AtMost, 30},
                                    {"LeastInletPressure", LimitBound::AtLeast, 0}};
    plan.limits.assign(limits.begin(), limits.begin() + state.range(0));
    PointResult point{};
    RunSweep(plan, {1, {}, {}}, [&](const PointResult& done) { point = done; });
    for (auto _ : state) benchmark::DoNotOptimize(SweepRow(plan, point));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(SweepRowLimits)->Arg(0)->Arg(2)->Arg(4);

}  // namespace
