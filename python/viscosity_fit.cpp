#include "viscosity_fit.h"

#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include <string>
#include <utility>
#include <vector>

#include "box_texts.h"
#include "errors.h"
#include "measurement/material_fit.h"
#include "measurement/measurement_file.h"
#include "model/arithmetic.h"

namespace py = pybind11;
using namespace py::literals;

namespace vortane::python {

namespace {

// The law fitted to points given as arrays, with the texts of its boxes.
struct FittedLaw {
    ViscosityFit fit;
    std::array<std::string, 6> texts;
};

using DataColumn = py::array_t<double, py::array::c_style | py::array::forcecast>;

std::vector<ViscosityPoint> PointsOf(const DataColumn& temperature, const DataColumn& shearRate,
                                     const DataColumn& viscosity, ViscosityUnit unit) {
    if (temperature.ndim() != 1 || shearRate.ndim() != 1 || viscosity.ndim() != 1 ||
        shearRate.size() != temperature.size() || viscosity.size() != temperature.size())
        throw InputError("fit_viscosity: temperature, shear_rate and viscosity must be "
                         "sequences of one length");
    std::vector<ViscosityPoint> points;
    const auto t = temperature.unchecked<1>();
    const auto g = shearRate.unchecked<1>();
    const auto v = viscosity.unchecked<1>();
    for (py::ssize_t i = 0; i < temperature.size(); ++i)
        points.push_back({t(i), g(i), ToModelViscosity(v(i), unit)});
    return points;
}

FittedLaw FitViscosity(const DataColumn& temperature, const DataColumn& shearRate,
                       const DataColumn& viscosity, const std::string& unitName,
                       const std::string& decimalSeparator) {
    const char separator = SeparatorOf(decimalSeparator);
    const std::optional<ViscosityUnit> unit = FindViscosityUnit(unitName);
    if (!unit)
        throw InputError("unit: unknown viscosity unit " + unitName +
                         "; use Pa.s, mPa.s, P or gf.s/cm2");
    Measurements measurements{"fit_viscosity", PointsOf(temperature, shearRate, viscosity, *unit),
                              {}, *unit, false};
    const py::gil_scoped_release released;
    return Naming<ArithmeticFault>("fit_viscosity: ", [&]() -> FittedLaw {
        const ViscosityFit fit = FitMeasurements(measurements);
        return {fit, CoefficientTexts(fit.coefficients, measurements.points, separator)};
    });
}

// A0 ... A12 by name, each of `values` in the order of the coefficient boxes.
template <class Values>
py::dict ByTerm(const Values& values) {
    py::dict terms;
    for (std::size_t j = 0; j < ViscosityTermNames.size(); ++j)
        terms[py::str{std::string(ViscosityTermNames[j])}] = values[j];
    return terms;
}

}  // namespace

void DefineViscosityFit(py::module_& m) {
    py::class_<FittedLaw>(m, "ViscosityFit",
                          "The viscosity law ln η = A0 + A1 ln γ + A11 (ln γ)² + A2 T + A22 T² +\n"
                          "A12 T ln γ (η in gf.s/cm2, γ in 1/s, T in degC) fitted to measured\n"
                          "points, and the fit's quality.")
        .def_property_readonly(
            "coefficients", [](const FittedLaw& law) { return ByTerm(law.fit.coefficients); },
            "A0 ... A12 as fitted, by field name: run(**fit.coefficients) runs the law.")
        .def_property_readonly(
            "texts", [](const FittedLaw& law) { return ByTerm(law.texts); },
            "The texts of the six boxes: the fewest significant digits, from six on,\n"
            "that keep the law within 1e-9 relative of the fitted one over the points.")
        .def_property_readonly(
            "r_squared", [](const FittedLaw& law) { return law.fit.rSquared; },
            "R² of ln η.")
        .def_property_readonly(
            "rms_relative_error", [](const FittedLaw& law) { return law.fit.rmsRelativeError; },
            "RMS of (η law − η measured) / η measured.")
        .def_property_readonly(
            "max_relative_error", [](const FittedLaw& law) { return law.fit.maxRelativeError; },
            "The largest relative error of η in magnitude, with its sign.")
        .def_property_readonly(
            "point_count", [](const FittedLaw& law) { return law.fit.pointCount; },
            "The number of points.")
        .def_property_readonly(
            "temperature_range",
            [](const FittedLaw& law) {
                return std::pair(law.fit.temperatureLow, law.fit.temperatureHigh);
            },
            "The lowest and highest temperature of the points, degC.")
        .def_property_readonly(
            "shear_rate_range",
            [](const FittedLaw& law) {
                return std::pair(law.fit.shearRateLow, law.fit.shearRateHigh);
            },
            "The lowest and highest shear rate of the points, 1/s.");

    m.def("fit_viscosity", &FitViscosity, "temperature"_a, "shear_rate"_a, "viscosity"_a,
          "unit"_a = "Pa.s", "decimal_separator"_a = ".",
          "Fits the six coefficients of the viscosity law to measured points by linear\n"
          "least squares on ln η, as vortane-calc --fit-viscosity does, and returns a\n"
          "ViscosityFit.\n\n"
          "temperature (degC), shear_rate (1/s), viscosity: sequences of one length.\n"
          "unit: of the viscosities: 'Pa.s', 'mPa.s' (or 'cP'), 'P' or 'gf.s/cm2'.\n"
          "decimal_separator: of the coefficients' texts.\n\n"
          "Points that cannot determine the law (fewer than six, a viscosity or shear\n"
          "rate that is not positive, too few temperatures or shear rates, terms that\n"
          "vary together) raise vortane.Error saying why.");
}

}  // namespace vortane::python
