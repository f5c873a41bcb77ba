#include "result/unit_caption.h"

#include "case/exact_quotient.h"

namespace vortane {

std::string CaptionIn(std::string_view caption, Quantity quantity, UnitSystem system) {
    const std::size_t open = caption.rfind(" (");
    if (KeepsMetricUnit(quantity, system) || open == std::string_view::npos || caption.back() != ')')
        return std::string(caption);
    return std::string(caption.substr(0, open)) + " (" + std::string(UnitIn(quantity, system).symbol) + ')';
}

double FromSystem(double value, Quantity quantity, UnitSystem system) {
    if (system == UnitSystem::Metric) return value;
    const Unit& unit = UnitIn(quantity, system);
    const long double factor = ExtendedOf(*ExactQuotientOf(unit.factor));
    const long double offset = ExtendedOf(*ExactQuotientOf(unit.offset));
    return static_cast<double>(static_cast<long double>(value) * factor + offset);
}

}  // namespace vortane
