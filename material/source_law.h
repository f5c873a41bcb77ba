#pragma once

#include <span>
#include <string_view>
#include <vector>

namespace vortane {

// The printed viscosity laws a grade's data come from, each a function of
// temperature and shear rate with its own parameters. A family is one entry of
// a table; adding a printed form is one more file beside the others.

// One parameter of a law: its key after "Law." and the unit its value is
// written in ("" for a pure number).
struct LawParameter {
    std::string_view key;
    std::string_view unit;
};

// A law family: its name as `Law = NAME` gives it, the shift of its
// temperature dependence where it has several (`Law.shift = WLF`), its
// parameters and its viscosity η(T, γ) in Pa.s at T degC and γ 1/s, given
// the parameters' values in the order listed.
struct LawFamily {
    std::string_view name;
    std::string_view shift;  // "" for a law with one form
    std::span<const LawParameter> parameters;
    double (*viscosity)(std::span<const double> values, double temperature, double shearRate);
    // The parameters are the six coefficients of the program's own law,
    // given as the keys A0 ... A12 rather than Law.*; the law needs no fit.
    bool sixCoefficients = false;
    // ln η is of the program's law's form (linear in T and ln γ here): the
    // fit reproduces it over any ranges, so it needs none stated.
    bool ownForm = false;
};

// Every family, in the order the documentation lists them.
std::span<const LawFamily* const> LawFamilies();

// The family named `name` with shift `shift` ("" when the law takes none);
// null when there is none.
const LawFamily* FindLawFamily(std::string_view name, std::string_view shift);

// The shifts family `name` takes ("WLF", "Arrhenius"); empty for a law of one
// form or an unknown name.
std::vector<std::string_view> ShiftsOf(std::string_view name);

// A law with its parameters' values, in the family's order.
struct SourceLaw {
    const LawFamily* family = nullptr;
    std::vector<double> values;

    // η in Pa.s at `temperature` degC and `shearRate` 1/s.
    double Viscosity(double temperature, double shearRate) const {
        return family->viscosity(values, temperature, shearRate);
    }
};

// R, the molar gas constant, J/(mol.K) (exact since the 2019 SI).
inline constexpr double GasConstant = 8.314462618;
// 0 degC in K.
inline constexpr double CelsiusZero = 273.15;

}  // namespace vortane
