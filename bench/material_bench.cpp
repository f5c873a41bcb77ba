#include <benchmark/benchmark.h>

#include "material/grade_fit.h"

namespace {

using namespace vortane;

// A Cross-WLF grade over 200 to 260 degC and 10 to 10000 1/s.
const std::string CrossGrade =
    "Name = Cross\nFamily = PS\nLaw = CrossWLF\nLaw.n = 0.3\nLaw.tau = 30000 Pa\nLaw.D1 = 1e13 Pa.s\n"
    "Law.D2 = 263.15 K\nLaw.A1 = 28\nLaw.A2 = 51.6 K\nLaw.Source = a book\n"
    "TemperatureRange = 200 to 260 degC\nShearRateRange = 10 to 10000 1/s\nRange.Source = a book\n";

// What --fit-grade does for one file, bar the file: read the grade, sample its
// law, fit it, write the six texts and measure the error on the finer grid.
void FitGradeFile(benchmark::State& state) {
    for (auto _ : state) {
        const GradeFit fit = FitGrade(ParseGrade(CrossGrade, "cross.vgrade"));
        benchmark::DoNotOptimize(fit.fitError);
    }
}
BENCHMARK(FitGradeFile)->Unit(benchmark::kMicrosecond);

// Reading one grade file's text, as listing the library does for each.
void ReadGradeText(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(ParseGrade(CrossGrade, "cross.vgrade").name);
}
BENCHMARK(ReadGradeText)->Unit(benchmark::kMicrosecond);

}  // namespace
