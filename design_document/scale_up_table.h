#pragma once

#include "design/scale_up.h"
#include "study/design_rows.h"

namespace vortane {

// The scale-up's designs as a table of whole cases: a row per design by name
// (Reference, each rule, Kept), its 28 texts and run, and a deviation from
// the reference (%) per kept or watched column, named by
// DeviationColumnName. The rows point into `result`, which must outlive the
// table.
CaseTable ScaleUpTable(const ScaleUpResult& result, char decimalSeparator);

}  // namespace vortane
