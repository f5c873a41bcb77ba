#include "case/units.h"

#include <array>
#include <vector>

#include "case/exact_quotient.h"

namespace vortane {

namespace {

// The units of one quantity, the technical metric one first, and which of
// them SI and US customary state it in.
struct QuantityUnits {
    std::vector<Unit> units;
    std::size_t si;
    std::size_t us;
};

// Factors from the definitions: 1 in = 2.54 cm, 1 lb = 0.45359237 kg,
// 1 kgf = 9.80665 N, 1 cal = 4.1868 J, 1 hp = 550 ft.lbf/s =
// 745.69987158227022 W, ℃ = (°F − 32) · 5/9. The IT BTU makes 1 BTU/lb.°F
// equal 1 cal/g.℃.
const std::array<QuantityUnits, 18>& Table() {
    static const std::array<QuantityUnits, 18> table{{
        {{{"-", "1"}}, 0, 0},
        {{{"cm", "1"}, {"mm", "0.1"}, {"m", "100"}, {"in", "2.54"}}, 1, 3},
        {{{"cm2", "1"}, {"mm2", "0.01"}, {"in2", "6.4516"}}, 1, 2},
        {{{"kg/hr", "1"}, {"kg/h", "1"}, {"lb/hr", "0.45359237"}}, 1, 2},
        {{{"kgf/cm2", "1"},
          {"MPa", "100/9.80665"},
          {"bar", "10/9.80665"},
          {"kPa", "0.1/9.80665"},
          {"psi", "0.45359237/6.4516"},
          {"lbf/in2", "0.45359237/6.4516"}},
         1, 4},
        {{{"℃", "1"}, {"K", "1", "-273.15"}, {"°F", "5/9", "-160/9"}}, 0, 2},
        {{{"℃", "1"}, {"K", "1"}, {"°F", "5/9"}}, 1, 2},
        {{{"cal/g.℃", "1"}, {"kJ/kg.K", "1/4.1868"}, {"BTU/lb.°F", "1"}}, 1, 2},
        {{{"cal/g", "1"}, {"kJ/kg", "1/4.1868"}, {"J/g", "1/4.1868"}, {"BTU/lb", "5/9"}}, 1, 3},
        {{{"g/cm3", "1"}, {"kg/m3", "0.001"}, {"lb/ft3", "453.59237/28316.846592"}}, 1, 2},
        {{{"kW", "1"}, {"W", "0.001"}, {"hp", "0.74569987158227022"}}, 0, 2},
        {{{"rpm", "1"}, {"1/min", "1"}}, 0, 0},
        {{{"deg", "1"}}, 0, 0},
        {{{"gf.s/cm2", "1"}, {"Pa.s", "1/98.0665"}, {"lbf.s/in2", "453.59237/6.4516"}}, 1, 2},
        {{{"1/s", "1"}}, 0, 0},
        {{{"kPa", "1"}, {"MPa", "1000"}, {"psi", "44.482216152605/6.4516"}}, 0, 2},
        {{{"kWh/kg", "1"}, {"kJ/kg", "1/3600"}, {"hp.hr/lb", "0.74569987158227022/0.45359237"}},
         1, 2},
        {{{"s", "1"}, {"min", "60"}}, 0, 0},
    }};
    return table;
}

const QuantityUnits& EntryOf(Quantity quantity) { return Table()[static_cast<std::size_t>(quantity)]; }

}  // namespace

std::span<const Unit> UnitsOf(Quantity quantity) { return EntryOf(quantity).units; }

const Unit& UnitIn(Quantity quantity, UnitSystem system) {
    const QuantityUnits& entry = EntryOf(quantity);
    switch (system) {
        case UnitSystem::SI: return entry.units[entry.si];
        case UnitSystem::US: return entry.units[entry.us];
        default: return entry.units.front();
    }
}

std::optional<UnitSystem> UnitSystemNamed(std::string_view name) {
    if (name == "metric") return UnitSystem::Metric;
    if (name == "si") return UnitSystem::SI;
    if (name == "us") return UnitSystem::US;
    return std::nullopt;
}

double InSystem(double metricValue, Quantity quantity, UnitSystem system) {
    if (system == UnitSystem::Metric) return metricValue;
    const Unit& unit = UnitIn(quantity, system);
    const long double factor = ExtendedOf(*ExactQuotientOf(unit.factor));
    const long double offset = ExtendedOf(*ExactQuotientOf(unit.offset));
    return static_cast<double>((static_cast<long double>(metricValue) - offset) / factor);
}

}  // namespace vortane
