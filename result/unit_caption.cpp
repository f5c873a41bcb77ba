#include "result/unit_caption.h"

#include "report/value_format.h"

namespace vortane {

bool KeepsMetricUnit(Quantity quantity, UnitSystem system) {
    return UnitIn(quantity, system).symbol == UnitsOf(quantity).front().symbol;
}

std::string CaptionIn(std::string_view caption, Quantity quantity, UnitSystem system) {
    const std::size_t open = caption.rfind(" (");
    if (KeepsMetricUnit(quantity, system) || open == std::string_view::npos || caption.back() != ')')
        return std::string(caption);
    return std::string(caption.substr(0, open)) + " (" + std::string(UnitIn(quantity, system).symbol) + ')';
}

std::string ValueTextIn(double metricValue, Quantity quantity, UnitSystem system, char decimalSeparator) {
    return FormatGeneral(InSystem(metricValue, quantity, system), 7, 2, decimalSeparator);
}

}  // namespace vortane
