#pragma once

#include <string>
#include <vector>

#include "design/pareto_front.h"

namespace vortane {

// The name of the column marking the knee, in the table and the CSV.
inline constexpr const char* FrontKneeColumn = "Knee";

// The designs of a front as the front ends table them.

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
