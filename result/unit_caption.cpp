#include "result/unit_caption.h"

#include "case/exact_quotient.h"
#include "case/number_format.h"
#include "case/number_text.h"
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

double TypedValueIn(double metricValue, Quantity quantity, UnitSystem system) {
    if (KeepsMetricUnit(quantity, system)) return metricValue;
    return RoundedToSignificant(InSystem(metricValue, quantity, system), 15);
}

std::string TypedValueTextIn(double metricValue, Quantity quantity, UnitSystem system, char decimalSeparator) {
    return FormatShortest(TypedValueIn(metricValue, quantity, system), decimalSeparator);
}

double FromSystem(double value, Quantity quantity, UnitSystem system) {
    if (system == UnitSystem::Metric) return value;
    const Unit& unit = UnitIn(quantity, system);
    const long double factor = ExtendedOf(*ExactQuotientOf(unit.factor));
    const long double offset = ExtendedOf(*ExactQuotientOf(unit.offset));
    return static_cast<double>(static_cast<long double>(value) * factor + offset);
}

}  // namespace vortane
