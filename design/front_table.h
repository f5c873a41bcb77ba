#pragma once

#include <string>
#include <vector>

#include "design/pareto_front.h"
#include "study/design_rows.h"

namespace vortane {

// The designs of a front as every front end tables and exports them.

// The table vortane-calc --front writes: a row per design along the front,
// its varied inputs as typed, the knee marked "Knee".
DesignTable FrontDesignTable(const FrontResult& front, const FrontRequest& request);

// The table beside the front's chart: "Point", each varied input's report
// caption, each objective's quantity caption (technical metric units),
// "Knee"; a row per design: its number, its inputs' texts, its objectives'
// values to six significant digits, and "Knee" for the knee.
struct FrontCells {
    std::vector<std::string> header;
    std::vector<std::vector<std::string>> rows;
};
FrontCells FrontTableCells(const FrontResult& front, const FrontRequest& request);

}  // namespace vortane
