#pragma once

#include <pybind11/pybind11.h>

#include "case/units.h"
#include "study/design_rows.h"
#include "study/sweep_plan.h"

namespace vortane::python {

// Runs the plan on `threads` worker threads (0: one per core) without the GIL
// and returns its table as the CSV has it: one NumPy array per column, in the
// CSV's order and under its header's names, a point a row in point order.
// Point and Passes are integers; the swept fields the values as the runs read
// them; Outcome fixed-width strings; Message and Warnings str objects; every
// other column the doubles the CSV's numbers read back to, NaN where its field
// is empty. Ctrl+C stops the sweep after the points under way and raises
// KeyboardInterrupt. In a `system` other than technical metric the numbers
// are in its units and the names are as ColumnName gives them. With the plan's
// limits the table ends as the CSV does: Feasible, bool, and a margin per
// limit under MarginName's name, NaN where the point has no value to judge.
pybind11::dict SweepArrays(const SweepPlan& plan, unsigned threads, UnitSystem system);

// The table of chosen designs as DesignTableCsv writes it, as arrays as
// above: Point, the varied fields' values, the columns of RunColumns,
// Feasible (always), a margin per limit, then the mark column's booleans.
pybind11::dict DesignArrays(const DesignTable& designs, UnitSystem system);

}  // namespace vortane::python
