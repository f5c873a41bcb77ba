#pragma once

#include <pybind11/pybind11.h>

#include "material/material_library.h"

namespace vortane::python {

// The library as this module sees it: the folder shipped beside the
// installed module (or the source tree's, from a build tree) and the user's.
MaterialLibrary ModuleLibrary();

// Each file of the library that could not be read, as a RuntimeWarning.
void WarnOf(const MaterialLibrary& library);

// vortane.materials().
void DefineMaterials(pybind11::module_& m);

}  // namespace vortane::python
