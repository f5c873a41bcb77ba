#pragma once

#include <cstddef>
#include <span>
#include <vector>

#include "case/limit.h"
#include "case/units.h"
#include "chart/chart.h"
#include "study/sweep_curves.h"

namespace vortane {

// The charts of a sweep, as every front end shows them.

// The curves a sweep's chart shows at most; beyond, evenly chosen ones, the
// first and last among them.
inline constexpr std::size_t SweepCurveLimit = 30;

// A panel per quantity of `curves` against the swept input they follow, one
// curve per value of the other (at most `curveLimit` of them); points that did
// not complete are gaps, points with warnings are ringed. Each limit on a
// panel's quantity is a dashed line at its bound, named by LimitCaption, and
// the points that fail it are marked. Axes and values are in the units of
// `system`; the curves' labels keep the swept texts.
Chart SweepChart(const SweepPlan& plan, const SweepCurves& curves, std::size_t curveLimit,
                 std::span<const Limit> limits = {}, UnitSystem system = UnitSystem::Metric);

// A finished sweep's chart as its files show it: SweepChart of the main
// quantities against the first input, with the plan's limits, and over two
// inputs the feasible map of the plan's limits and accepted warnings.
Chart StudyChart(const SweepTable& table, const SweepCurves& curves, UnitSystem system = UnitSystem::Metric);

// The same for the one quantity `quantity` of `curves`.
Chart SweepQuantityChart(const SweepPlan& plan, const SweepCurves& curves, std::size_t quantity,
                         std::size_t curveLimit, std::span<const Limit> limits = {},
                         UnitSystem system = UnitSystem::Metric);

// The map of a two-input sweep: swept input `along` across, the other up,
// each cell coloured by whether its point is feasible (category 0, as
// Feasible judges it against `limits`, accepting the warnings `accepted`),
// that it runs but raises a warning not accepted ("runs, but with a
// warning"), which one limit it fails ("fails " and its LimitCaption), that
// it fails several, that it stopped
// or that it has not run yet. The boundary of the feasible region
// is drawn along the cell edges between a feasible cell and an infeasible one
// (both run). The inputs' values and the limits are in the units of `system`. Limits on no
// numeric column are a LimitError.
ChartMap FeasibleMap(const SweepTable& table, std::size_t along, std::span<const Limit> limits,
                     WarningKinds accepted = {}, UnitSystem system = UnitSystem::Metric);

// Shades the feasible cells of `map` (FeasibleMap of `table`, in `system`) by
// `quantity` in `system`, as an objective inside the feasible region.
void ShadeFeasible(ChartMap& map, const SweepTable& table, const SweepQuantity& quantity,
                   UnitSystem system = UnitSystem::Metric);

// The quantities a hovered cell of a map tells beside its inputs: the
// temperature rise, the first barrier's shear stress and the total pressure
// drop.
const std::vector<std::string>& MapCellQuantities();

// What cell `cell` of `map` (FeasibleMap of `table` with `x` its first input's
// axis, against `limits`, in `system`) tells, a line each: "Point 12: " and
// MapCellText; then, where its point has run, each of MapCellQuantities as
// "caption: value" in `system`, empty where the run left it; and each limit's
// margin in the limit's unit.
std::vector<std::string> MapCellLines(const SweepTable& table, const ChartMap& map, const ChartAxis& x,
                                      std::size_t cell, std::span<const Limit> limits,
                                      UnitSystem system = UnitSystem::Metric);

// The category of cells that meet every limit.
inline constexpr std::size_t FeasibleCategory = 0;

}  // namespace vortane
