#pragma once

#include <string_view>
#include <vector>

#include "case/units.h"
#include "model/design_indicators.h"

namespace vortane {

// One design indicator as tables and windows show it: its column name, its
// unit, the caption it is shown under (UTF-8, with its unit), its value and
// what the value measures.
struct IndicatorColumn {
    std::string_view name;
    std::string_view unit;
    std::string_view caption;
    double (*value)(const DesignIndicators&);
    Quantity quantity;
};

// The indicators in the order every table writes them.
const std::vector<IndicatorColumn>& IndicatorColumns();

}  // namespace vortane
