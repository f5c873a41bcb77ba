#include "errors.h"

#include <exception>

#include "case/error.h"

namespace py = pybind11;

namespace vortane::python {

void RegisterErrors(py::module_& m) {
    // Lives as long as the module, as pybind11's own exception types do.
    static py::exception<Error> type(m, "Error", PyExc_ValueError);
    // pybind11's translator type takes the exception_ptr by value.
    py::register_exception_translator([](std::exception_ptr raised) {  // NOLINT(performance-unnecessary-value-param)
        try {
            if (raised) std::rethrow_exception(raised);
        } catch (const Error& error) {
            type(error.what());
        }
    });
}

}  // namespace vortane::python
