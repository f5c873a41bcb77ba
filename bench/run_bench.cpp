#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>

#include "model/arithmetic.h"
#include "model/prepare_channel.h"
#include "model/temperature_iteration.h"
#include "run/calculation_run.h"
#include "run/input_fields.h"
#include "run/input_reading.h"

namespace {

using namespace vortane;

// Default box texts with one override; messages are counted, not shown.
class QuietHost final : public RunHost {
public:
    QuietHost(std::string fileName, std::string_view field = {}, std::string text = {})
        : texts_(DefaultTexts('.')), fileName_(std::move(fileName)) {
        if (!field.empty()) texts_[FindInputField(field)->box - 1] = std::move(text);
    }
    std::string BoxText(int box) const override { return texts_[box - 1]; }
    std::string ResultFileText() const override { return fileName_; }
    char DecimalSeparator() const override { return '.'; }
    void ShowMessage(std::string_view) override { ++messages; }
    void ShowFault(std::string_view) override { ++messages; }
    void RunCompleted() override {}
    int messages = 0;

private:
    InputTexts texts_;
    std::string fileName_;
};

std::string ScratchReport() {
    return (std::filesystem::temp_directory_path() / "vortane-bench-result.txt").string();
}

// One press of OK on the default case: 28 texts in, three report blocks out.
void DefaultRun(benchmark::State& state) {
    QuietHost host(ScratchReport());
    for (auto _ : state) {
        const RunResult result = RunCalculation(host);
        benchmark::DoNotOptimize(result.data.PowerKW);
    }
    std::remove(ScratchReport().c_str());
}
BENCHMARK(DefaultRun);

// One pass of the temperature iteration on the prepared default case.
void OnePass(benchmark::State& state) {
    QuietHost host("");
    CaseData prepared;
    ReadInputData(prepared, DefaultTexts('.'), '.', host);
    ClearArithmeticFaults();
    PrepareChannel(prepared, host);
    for (auto _ : state) {
        CaseData data = prepared;
        SolvePressureAndTemperature(data, host);
        benchmark::DoNotOptimize(data.MeanMeltTemp);
    }
}
BENCHMARK(OnePass);

// The 10 kg/hr case that swings for ever, up to the pass limit.
void NonConvergingRun(benchmark::State& state) {
    QuietHost host(ScratchReport(), "OutputRate", "10");
    for (auto _ : state) {
        const RunResult result = RunCalculation(host);
        benchmark::DoNotOptimize(result.passes);
    }
    std::remove(ScratchReport().c_str());
}
BENCHMARK(NonConvergingRun)->Unit(benchmark::kMillisecond);

}  // namespace
