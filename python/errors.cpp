#include "errors.h"

#include "case/error.h"

namespace vortane::python {

void RegisterErrors(pybind11::module_& m) {
    pybind11::register_exception<Error>(m, "Error", PyExc_ValueError);
}

}  // namespace vortane::python
