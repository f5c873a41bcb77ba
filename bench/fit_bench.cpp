#include <benchmark/benchmark.h>

#include <charconv>
#include <cmath>
#include <random>

#include "measurement/material_fit.h"

namespace {

using namespace vortane;

constexpr ViscosityCoefficients DefaultLaw{6.83729, -0.661828, -0.0158406, -0.0149381, -4.7079E-7, 1.1946E-3};

// A measurement file of the default law with 3 % noise: `temperatures` from
// 150 to 250 degC by `rates` shear rates from 1 to 10000 1/s, in Pa.s.
std::string Measured(int temperatures, int rates) {
    std::mt19937 random(3);
    std::normal_distribution<double> z;
    std::string content = "Temperature,ShearRate,Viscosity\n";
    const auto text = [](double v) {
        char buffer[32];
        return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, v).ptr);
    };
    for (int t = 0; t < temperatures; ++t) {
        for (int r = 0; r < rates; ++r) {
            const double T = 150 + 100.0 * t / (temperatures - 1);
            const double rate = std::pow(10.0, 4.0 * r / (rates - 1));
            const double eta = ViscosityOf(DefaultLaw, rate, T) * 98.0665 * std::exp(0.03 * z(random));
            content += text(T) + "," + text(rate) + "," + text(eta) + "\n";
        }
    }
    return content;
}

// The whole of what a front end does with a file: read its points, fit the law,
// write the six texts. The argument is the number of points (5 temperatures).
void FitFromFile(benchmark::State& state) {
    const std::string content = Measured(5, static_cast<int>(state.range(0)) / 5);
    for (auto _ : state) {
        const Measurements m = ParseMeasurements(content, "bench.csv", std::nullopt);
        const ViscosityFit fit = FitMeasurements(m);
        benchmark::DoNotOptimize(CoefficientTexts(fit.coefficients, m.points, '.'));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(FitFromFile)->Arg(45)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

// The least-squares fit alone.
void FitLaw(benchmark::State& state) {
    const Measurements m =
        ParseMeasurements(Measured(5, static_cast<int>(state.range(0)) / 5), "bench.csv", std::nullopt);
    for (auto _ : state) benchmark::DoNotOptimize(FitViscosityLaw(m.points));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(FitLaw)->Arg(45)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

}  // namespace
