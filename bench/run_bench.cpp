#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "model/prepare_channel.h"
#include "model/temperature_iteration.h"
#include "report/report_layout.h"
#include "run/calculation_run.h"
#include "run/input_reading.h"

namespace {

using namespace vortane;

std::string ScratchReport() {
    return (std::filesystem::temp_directory_path() / "vortane-bench-result.txt").string();
}

// The default texts with one override, writing the scratch report.
RunRequest Request(std::string_view field = {}, std::string text = {}) {
    RunRequest request{DefaultTexts('.'), ScratchReport(), '.'};
    if (!field.empty()) request.texts[FindInputField(field)->box - 1] = std::move(text);
    return request;
}

// One press of OK on the default case: 28 texts in, three report blocks out.
void DefaultRun(benchmark::State& state) {
    const RunRequest request = Request();
    for (auto _ : state) {
        const RunResult result = RunCalculation(request);
        benchmark::DoNotOptimize(result.data.PowerKW);
    }
    std::remove(ScratchReport().c_str());
}
BENCHMARK(DefaultRun);

// The default case without a report, as studies and the Python module run it.
void UnreportedRun(benchmark::State& state) {
    RunRequest request = Request();
    request.report = ReportTarget::None;
    for (auto _ : state) {
        const RunResult result = RunCalculation(request);
        benchmark::DoNotOptimize(result.data.PowerKW);
    }
}
BENCHMARK(UnreportedRun);

// The floor under DefaultRun: the three open, write, close cycles of the
// default report's blocks (created, then appended twice), their bytes made
// once beforehand.
void ThreeBareWrites(benchmark::State& state) {
    RunRequest request = Request();
    request.report = ReportTarget::None;
    const CaseData data = RunCalculation(request).data;
    const std::string blocks[] = {InputBlock(data, '.'), ChannelBlock(data, '.'),
                                  ResultsBlock(data, '.')};
    const std::string path = ScratchReport();
    for (auto _ : state) {
        for (int b = 0; b < 3; ++b) {
            const int flags = b == 0 ? O_WRONLY | O_CREAT | O_TRUNC : O_WRONLY | O_APPEND;
            const int descriptor = ::open(path.c_str(), flags | O_CLOEXEC, 0666);
            benchmark::DoNotOptimize(::write(descriptor, blocks[b].data(), blocks[b].size()));
            ::close(descriptor);
        }
    }
    std::remove(path.c_str());
}
BENCHMARK(ThreeBareWrites);

// One pass of the temperature iteration on the prepared default case.
void OnePass(benchmark::State& state) {
    Messages messages;
    CaseData prepared;
    ReadInputData(prepared, DefaultTexts('.'), '.', messages);
    PrepareChannel(prepared, messages);
    for (auto _ : state) {
        CaseData data = prepared;
        SolvePressureAndTemperature(data, messages);
        benchmark::DoNotOptimize(data.MeanMeltTemp);
    }
}
BENCHMARK(OnePass);

// The 10 kg/hr case that swings for ever, up to the pass limit.
void NonConvergingRun(benchmark::State& state) {
    const RunRequest request = Request("OutputRate", "10");
    for (auto _ : state) {
        const RunResult result = RunCalculation(request);
        benchmark::DoNotOptimize(result.passes);
    }
    std::remove(ScratchReport().c_str());
}
BENCHMARK(NonConvergingRun)->Unit(benchmark::kMillisecond);

}  // namespace
