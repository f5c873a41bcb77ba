#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace vortane {

// What a value measures: each has one unit in each system of units.
enum class Quantity {
    Dimensionless,
    Length,
    Area,
    Throughput,
    Pressure,
    Temperature,
    TemperatureDifference,
    SpecificHeat,
    HeatOfFusion,
    Density,
    Power,
    ScrewSpeed,
    Angle,
    Viscosity,
    ShearRate,
    ShearStress,
    SpecificEnergy,
    Time,
};

// 0 K in ℃, the least temperature there is.
inline constexpr double AbsoluteZero = -273.15;

// Technical metric is the system of the inputs, the report and the record
// (cm, kg/hr, kgf/cm2, ℃, cal/g.℃, kW); SI states pressure in MPa; US
// customary in in, lb/hr, psi, °F, BTU/lb.°F, hp.
enum class UnitSystem { Metric, SI, US };

// A unit of a quantity: a value v in it is v · factor + offset in the
// technical metric unit. Factor and offset are exact: a decimal, or a quotient
// of two ("0.45359237/6.4516"), as the units' definitions give them.
struct Unit {
    std::string_view symbol;  // UTF-8, as written after a value
    std::string_view factor;
    std::string_view offset = "0";
};

// The units a value of `quantity` may be given in: the technical metric unit
// first, then the others (those of SI and US customary among them).
std::span<const Unit> UnitsOf(Quantity quantity);

// The unit of `quantity` in `system`.
const Unit& UnitIn(Quantity quantity, UnitSystem system);

// "metric", "si" or "us"; none for another name.
std::optional<UnitSystem> UnitSystemNamed(std::string_view name);

// A value in the technical metric unit of `quantity` expressed in its unit in
// `system`, in extended precision and rounded once.
double InSystem(double metricValue, Quantity quantity, UnitSystem system);

}  // namespace vortane
