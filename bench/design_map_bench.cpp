#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "synthetic_sweep.h"
#include "document/svg_chart.h"
#include "study/sweep_charts.h"
#include "study/sweep_curves.h"
#include "study/sweep_run.h"
#include "study/sweep_table.h"

namespace {

using namespace vortane;

// The 100 x 100 grid of BarrierClearance1 0.03 ... 0.129 cm and ScrewSpeed
// 60 ... 159 rpm at 350 kg/hr, run once; what the Study window redraws and
// --plot writes of it with two limits.
const SweepTable& ClearanceBySpeed() {
    static const SweepPlan plan = [] {
        SweepPlan made = MakeSweepPlan(DefaultTexts('.'),
                                       {MakeSweepAxis(*FindInputField("BarrierClearance1"), "0.03", "0.129", "0.001", '.'),
                                        MakeSweepAxis(*FindInputField("ScrewSpeed"), "60", "159", "1", '.')},
                                       '.', {});
        made.base[FindInputField("OutputRate")->box - 1] = "350";
        return made;
    }();
    static const std::unique_ptr<SweepTable> table = [] {
        auto filled = std::make_unique<SweepTable>(plan);
        std::vector<PointResult> points(PointCount(plan));
        RunSweep(plan, {2, {}, {}}, [&](const PointResult& point) { points[point.index] = point; });
        for (const PointResult& point : points) filled->Add(point);
        return filled;
    }();
    return *table;
}

const std::vector<Limit> Limits{{"TemperatureRise", LimitBound::AtMost, 30},
                                {"Barrier1ShearStress", LimitBound::AtLeast, 120}};

// The map's cells and boundary; items per second are cells per second.
void FeasibleMapGrid(benchmark::State& state) {
    const SweepTable& table = ClearanceBySpeed();
    for (auto _ : state) benchmark::DoNotOptimize(FeasibleMap(table, 0, Limits));
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(table.Size()));
}
BENCHMARK(FeasibleMapGrid)->Unit(benchmark::kMillisecond);

// One quantity's chart with its limit (30 of the 100 curves) and the map, as
// the Study window describes them at each redraw.
void DesignMapChart(benchmark::State& state) {
    const SweepTable& table = ClearanceBySpeed();
    const SweepCurves curves(table, ChartableQuantities(), 0);
    for (auto _ : state) {
        Chart chart = SweepQuantityChart(table.Plan(), curves, 2, SweepCurveLimit, Limits);
        chart.map = FeasibleMap(table, 0, Limits);
        benchmark::DoNotOptimize(chart);
    }
}
BENCHMARK(DesignMapChart)->Unit(benchmark::kMillisecond);

// The --plot file of the same sweep: three panels and the map as SVG.
void DesignMapSvg(benchmark::State& state) {
    const SweepTable& table = ClearanceBySpeed();
    const SweepCurves curves(table, MainSweepQuantities());
    Chart chart = SweepChart(table.Plan(), curves, SweepCurveLimit, Limits);
    chart.map = FeasibleMap(table, 0, Limits);
    std::size_t bytes = 0;
    for (auto _ : state) bytes = SvgDocument(chart).size();
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(DesignMapSvg)->Unit(benchmark::kMillisecond);

// The 1000 x 1000 grid over the same inputs, its points taking the results of
// the 100 x 100 grid's nearest (no million runs); what the Study window's map
// judges when its tab is chosen.
const SweepTable& MillionPoints() {
    static const SweepPlan plan = synthetic::ClearanceBySpeedPlan(1000);
    static const std::unique_ptr<SweepTable> table = synthetic::FilledTable(plan, 100);
    return *table;
}

// The map of a million cells: their categories and boundary.
void FeasibleMapMillion(benchmark::State& state) {
    const SweepTable& table = MillionPoints();
    for (auto _ : state) benchmark::DoNotOptimize(FeasibleMap(table, 0, Limits));
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(table.Size()));
}
BENCHMARK(FeasibleMapMillion)->Unit(benchmark::kMillisecond);

// The million cells' feasible ones shaded by the temperature rise.
void ShadeFeasibleMillion(benchmark::State& state) {
    const SweepTable& table = MillionPoints();
    const ChartMap map = FeasibleMap(table, 0, Limits);
    const SweepQuantity rise = ChartableQuantities()[2];  // TemperatureRise
    for (auto _ : state) {
        ChartMap shaded = map;
        ShadeFeasible(shaded, table, rise);
        benchmark::DoNotOptimize(shaded);
    }
}
BENCHMARK(ShadeFeasibleMillion)->Unit(benchmark::kMillisecond);

// What a hovered cell of the million tells: its inputs, quantities and margins.
void MapCellLinesMillion(benchmark::State& state) {
    const SweepTable& table = MillionPoints();
    const ChartMap map = FeasibleMap(table, 0, Limits);
    const ChartAxis x{"Barrier Clearance - 1", "cm"};
    std::size_t cell = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(MapCellLines(table, map, x, cell, Limits));
        cell = (cell + 7919) % map.cells.size();
    }
}
BENCHMARK(MapCellLinesMillion)->Unit(benchmark::kMicrosecond);

}  // namespace
