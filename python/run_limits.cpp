#include "run_limits.h"

#include <limits>
#include <string>

#include "box_texts.h"

namespace py = pybind11;

namespace vortane::python {

std::vector<Limit> LimitsOf(py::handle limits) {
    std::vector<Limit> parsed;
    if (limits.is_none()) return parsed;
    if (py::isinstance<py::str>(limits) || !py::isinstance<py::sequence>(limits))
        throw InputError("limits: expected a list of texts such as 'TemperatureRise<=30'");
    for (const py::handle item : py::reinterpret_borrow<py::sequence>(limits)) {
        if (!py::isinstance<py::str>(item))
            throw InputError("limits: " + py::repr(item).cast<std::string>() + " is not a text");
        parsed.push_back(ParseLimit(item.cast<std::string>()));
    }
    return parsed;
}

WarningKinds AcceptanceOf(py::handle accept) {
    WarningKinds kinds;
    if (accept.is_none()) return kinds;
    if (py::isinstance<py::str>(accept) || !py::isinstance<py::sequence>(accept))
        throw InputError("accept_warnings: expected a list of kinds such as 'negative-pressure'");
    for (const py::handle item : py::reinterpret_borrow<py::sequence>(accept)) {
        if (!py::isinstance<py::str>(item))
            throw InputError("accept_warnings: " + py::repr(item).cast<std::string>() + " is not a text");
        kinds.Add(ParseWarningKind(item.cast<std::string>()));
    }
    return kinds;
}

py::list KindNames(WarningKinds kinds) {
    py::list names;
    for (const WarningKind kind : AllWarningKinds)
        if (kinds.Has(kind)) names.append(py::str(std::string(WarningKindName(kind))));
    return names;
}

py::dict MarginDict(const std::vector<Limit>& limits, const std::vector<LimitMargin>& margins,
                    std::optional<double> LimitMargin::*member) {
    py::dict dict;
    for (std::size_t i = 0; i < limits.size(); ++i)
        dict[py::str(LimitText(limits[i]))] =
            (margins[i].*member).value_or(std::numeric_limits<double>::quiet_NaN());
    return dict;
}

py::list LimitTexts(const std::vector<Limit>& limits) {
    py::list texts;
    for (const Limit& limit : limits) texts.append(py::str(LimitText(limit)));
    return texts;
}

py::list FailedLimits(const std::vector<Limit>& limits, const std::vector<LimitMargin>& margins) {
    py::list failed;
    for (std::size_t i = 0; i < limits.size(); ++i)
        if (!margins[i].holds) failed.append(py::str(LimitText(limits[i])));
    return failed;
}

}  // namespace vortane::python
