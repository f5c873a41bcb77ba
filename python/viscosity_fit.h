#pragma once

#include <pybind11/pybind11.h>

namespace vortane::python {

// vortane.fit_viscosity and the class ViscosityFit it returns.
void DefineViscosityFit(pybind11::module_& m);

}  // namespace vortane::python
