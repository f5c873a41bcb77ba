#pragma once

#include <pybind11/pybind11.h>

namespace vortane::python {

// vortane.solve and vortane.optimise, and what they return: Solution and
// Optimum.
void DefineDesign(pybind11::module_& m);

}  // namespace vortane::python
