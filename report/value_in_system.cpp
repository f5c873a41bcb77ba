#include "report/value_in_system.h"

#include "case/number_format.h"
#include "report/value_format.h"

namespace vortane {

bool KeepsMetricUnit(Quantity quantity, UnitSystem system) {
    return UnitIn(quantity, system).symbol == UnitsOf(quantity).front().symbol;
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

}  // namespace vortane
