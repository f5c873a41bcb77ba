#include <benchmark/benchmark.h>

#include "comparison/comparison.h"
#include "run/calculation_run.h"

namespace {

using namespace vortane;

ComparedDesign DefaultDesign(std::string name, const std::string& outputRate) {
    RunRequest request{DefaultTexts('.'), {}, '.', ReportTarget::None};
    request.texts[FindInputField("OutputRate")->box - 1] = outputRate;
    return {std::move(name), request.texts, RunCalculation(request), {{"TemperatureRise", LimitBound::AtMost, 30}}};
}

// Two designs of the default case (267 and 350 kg/hr) side by side, from their
// runs to the aligned text; the runs themselves are not timed.
void CompareTwoDesigns(benchmark::State& state) {
    const std::vector<ComparedDesign> designs{DefaultDesign("base", "267"), DefaultDesign("d350", "350")};
    for (auto _ : state) {
        const std::string text = ComparisonText(CompareDesigns(designs), '.');
        benchmark::DoNotOptimize(text.data());
    }
}
BENCHMARK(CompareTwoDesigns)->Unit(benchmark::kMicrosecond);

}  // namespace
