#pragma once

#include <memory>
#include <string>
#include <vector>

#include "case/units.h"
#include "study/sweep_plan.h"
#include "study/sweep_run.h"
#include "study/sweep_table.h"

namespace vortane::web {

// A study on the page: its plan run point by point on the calling thread (a
// Web Worker has no threads), so that the page shows progress and takes a
// cancel between points. Its CSV is vortane-calc's for the same plan and
// units, written as the points arrive; its chart and map are the Study
// window's, of whatever points have run.
class PageStudy {
public:
    PageStudy(SweepPlan plan, UnitSystem csvSystem);
    PageStudy(const PageStudy&) = delete;
    PageStudy& operator=(const PageStudy&) = delete;

    // Runs up to `points` more points; returns how many have run.
    std::size_t Step(std::size_t points);
    std::size_t Done() const { return cursor_.Position(); }
    std::size_t Total() const { return cursor_.Total(); }

    // The CSV of the points run so far, in the units the study started in.
    const std::string& Csv() const { return csv_; }
    // The chart of ChartableQuantities()[quantity] against the first input,
    // a curve per value of the second, with the plan's limits; over two inputs
    // with the feasible map below. An SVG element, in `system`.
    std::string Chart(std::size_t quantity, UnitSystem system) const;
    // The points that stopped, each "Point N: " and why, in point order.
    std::vector<std::string> Stops() const;

private:
    std::unique_ptr<const SweepPlan> plan_;  // fixed in memory: the table and cursor hold it
    SweepTable table_;
    SweepCursor cursor_;
    UnitSystem csvSystem_;
    std::string csv_;
    std::vector<std::string> stops_;
};

}  // namespace vortane::web
