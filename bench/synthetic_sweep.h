#pragma once

// A two-input sweep table of any size without running every point: the
// points of a fine grid take the results of a coarse one, run once.

#include <memory>
#include <string>
#include <vector>

#include "study/sweep_run.h"
#include "study/sweep_table.h"

namespace vortane::synthetic {

// BarrierClearance1 from 0.03 cm in steps of 0.1 / `cells` cm and ScrewSpeed
// from 60 rpm in steps of 100 / `cells` rpm, `cells` values each, at 350 kg/hr.
inline SweepPlan ClearanceBySpeedPlan(int cells) {
    const auto axis = [cells](const char* field, double from, double span) {
        const double step = span / cells;
        return MakeSweepAxis(*FindInputField(field), std::to_string(from),
                             std::to_string(from + step * (cells - 1) + step / 4), std::to_string(step), '.');
    };
    SweepPlan plan = MakeSweepPlan(DefaultTexts('.'),
                                   {axis("BarrierClearance1", 0.03, 0.1), axis("ScrewSpeed", 60, 100)}, '.', {});
    plan.base[FindInputField("OutputRate")->box - 1] = "350";
    return plan;
}

// The table of `fine` (ClearanceBySpeedPlan of n cells, n a multiple of
// `coarseCells`): each point holds the result of the nearest point of the
// coarse grid of `coarseCells`, which alone are run.
inline std::unique_ptr<SweepTable> FilledTable(const SweepPlan& fine, int coarseCells) {
    const SweepPlan coarse = ClearanceBySpeedPlan(coarseCells);
    std::vector<RunResult> runs(PointCount(coarse));
    RunSweep(coarse, {0, {}, {}}, [&](const PointResult& point) { runs[point.index] = point.run; });
    const std::size_t nx = fine.axes[0].texts.size(), ny = fine.axes[1].texts.size();
    const std::size_t cx = coarse.axes[0].texts.size(), cy = coarse.axes[1].texts.size();
    auto table = std::make_unique<SweepTable>(fine);
    for (std::size_t i = 0; i < nx; ++i)
        for (std::size_t j = 0; j < ny; ++j)
            table->Add({i * ny + j, runs[(i * cx / nx) * cy + j * cy / ny]});
    return table;
}

}  // namespace vortane::synthetic
