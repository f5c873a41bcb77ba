#include "box_texts.h"

#include <cmath>

#include "case/excerpt.h"
#include "case/number_text.h"
#include "errors.h"
#include "materials.h"
#include "result/compose_case.h"

namespace py = pybind11;

namespace vortane::python {

UnitSystem UnitSystemOf(const std::string& name) {
    if (const std::optional<UnitSystem> system = UnitSystemNamed(name)) return *system;
    throw InputError("units '" + name + "': the systems are 'metric', 'si' and 'us'");
}

char SeparatorOf(const std::string& text) {
    if (text.size() != 1 || !IsUsableDecimalSeparator(text[0]))
        throw InputError("decimal_separator '" + text +
                         "': the decimal separator must be one character, not a digit, sign or E");
    return text[0];
}


std::string BoxText(py::handle value, char decimalSeparator, std::string_view what) {
    if (py::isinstance<py::str>(value)) return value.cast<std::string>();
    const std::string typeName = py::str(py::type::handle_of(value).attr("__name__"));
    if (PyBool_Check(value.ptr()) != 0)
        throw InputError(std::string(what) + ": " + typeName + " is neither a text nor a number");
    if (PyIndex_Check(value.ptr()) != 0)
        return py::str(py::reinterpret_steal<py::object>(PyNumber_Index(value.ptr())));
    if (PyFloat_Check(value.ptr()) == 0 && !py::hasattr(value, "__float__"))
        throw InputError(std::string(what) + ": " + typeName + " is neither a text nor a number");
    const double number = value.cast<double>();
    if (!std::isfinite(number))
        throw InputError(std::string(what) + ": " + std::string(py::repr(value)) +
                         " is not a finite number");
    std::string text = py::repr(py::float_(number));
    if (const std::size_t point = text.find('.'); point != std::string::npos)
        text[point] = decimalSeparator;
    return text;
}

std::string PathOf(py::handle path) {
    return py::module_::import("os").attr("fspath")(path).cast<std::string>();
}

CaseInput CaseOf(py::handle casePath, const py::dict& texts, char decimalSeparator,
                 std::span<const Limit> extraLimits, WarningKinds extraAccepted, py::handle material) {
    std::vector<BoxOverride> overrides;
    for (const auto& [name, value] : texts) {
        const InputField& field = InputFieldNamed(name.cast<std::string>());
        overrides.push_back({&field, BoxText(value, decimalSeparator, field.name)});
    }
    const std::optional<std::string> path =
        casePath.is_none() ? std::nullopt : std::optional<std::string>(PathOf(casePath));
    std::optional<MaterialLibrary> library;
    const Grade* grade = nullptr;
    if (!material.is_none()) {
        if (!py::isinstance<py::str>(material)) throw InputError("material: give the grade's name as a str");
        library = ModuleLibrary();
        grade = &library->Find(material.cast<std::string>());
        WarnOf(*library);
    }
    ComposedCase composed =
        ComposeCaseWithGrade(path, grade, overrides, decimalSeparator, extraLimits, extraAccepted);
    return {std::move(composed.texts),         composed.extras.viscosityRanges, path.value_or(""),
            std::move(composed.extras.limits), composed.extras.acceptedWarnings, std::move(composed.extras.material)};
}

pybind11::dict TextsDict(const InputTexts& texts) {
    pybind11::dict dict;
    for (const InputField& field : InputFields())
        dict[pybind11::str(std::string(field.name))] = texts[field.box - 1];
    return dict;
}

}  // namespace vortane::python
