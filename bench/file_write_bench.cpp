#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "case/file_write.h"
#include "study/study_csv.h"
#include "study/sweep_run.h"

namespace {

using namespace vortane;

// The rows of a 101 x 101 sweep's CSV: the default case's row, formatted as
// the CSV has it, 10,201 times.
const std::string& SweepRows() {
    static const std::string rows = [] {
        SweepPlan plan;
        plan.base = DefaultTexts('.');
        plan.axes = {{FindInputField("OutputRate"), {"350"}}};
        std::string row;
        RunSweep(plan, {1, {}, {}}, [&](const PointResult& point) { row = SweepRow(plan, point); });
        std::string all;
        for (int i = 0; i < 101 * 101; ++i) all += row;
        return all;
    }();
    return rows;
}

std::string BenchFile() { return (std::filesystem::temp_directory_path() / "vortane-bench-sweep.csv").string(); }

// The rows streamed one by one through the core's writer (a temporary file,
// synced, renamed over the last); bytes per second.
void SweepCsvWhole(benchmark::State& state) {
    const std::string& rows = SweepRows();
    const std::size_t row = rows.find('\n') + 1;
    const std::string path = BenchFile();
    for (auto _ : state) {
        FileWriter file(path);
        for (std::size_t at = 0; at < rows.size(); at += row) file.Write(std::string_view(rows).substr(at, row));
        file.Commit();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(rows.size()));
    std::filesystem::remove(path);
}
BENCHMARK(SweepCsvWhole)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same rows written in place through stdio with a 256 KiB buffer, neither
// synced nor renamed: what the writer's safety costs beside it.
void SweepCsvInPlace(benchmark::State& state) {
    const std::string& rows = SweepRows();
    const std::size_t row = rows.find('\n') + 1;
    const std::string path = BenchFile();
    const auto buffer = std::make_unique<char[]>(std::size_t{1} << 18);
    for (auto _ : state) {
        std::FILE* file = std::fopen(path.c_str(), "wb");
        std::setvbuf(file, buffer.get(), _IOFBF, std::size_t{1} << 18);
        for (std::size_t at = 0; at < rows.size(); at += row) std::fwrite(rows.data() + at, 1, row, file);
        std::fclose(file);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(rows.size()));
    std::filesystem::remove(path);
}
BENCHMARK(SweepCsvInPlace)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
