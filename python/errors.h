#pragma once

#include <pybind11/pybind11.h>

#include <string>

#include "box_texts.h"

namespace vortane::python {

// vortane.Error, a ValueError: every error of the core's family that reaches
// Python is raised as it, with its text as it is.
void RegisterErrors(pybind11::module_& m);

// `body()`; a `Raised` it throws goes on as an InputError with `prefix`
// before its text, naming the argument that led to it.
template <class Raised, class Body>
auto Naming(const std::string& prefix, Body&& body) -> decltype(body()) {
    try {
        return body();
    } catch (const Raised& error) {
        throw InputError(prefix + error.what(), error.Context());
    }
}

}  // namespace vortane::python
