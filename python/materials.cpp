#include "materials.h"

#include <filesystem>

#include "box_texts.h"

namespace py = pybind11;
using namespace py::literals;

namespace vortane::python {

void WarnOf(const MaterialLibrary& library) {
    for (const std::string& error : library.errors)
        py::module_::import("warnings").attr("warn")(error, py::module_::import("builtins").attr("RuntimeWarning"));
}

MaterialLibrary ModuleLibrary() {
    const std::filesystem::path module = PathOf(py::module_::import("vortane._vortane").attr("__file__"));
    const std::vector<MaterialFolder> folders = MaterialFolders(module);
    return ReadMaterialLibrary(folders);
}

void DefineMaterials(py::module_& m) {
    m.def(
        "materials",
        [](bool strict) {
            const MaterialLibrary library = ModuleLibrary();
            if (strict && !library.errors.empty()) throw InputError(library.errors.front());
            WarnOf(library);
            py::list grades;
            for (const Grade& grade : library.grades) {
                const std::array<std::string, 6> row = GradeRow(grade);
                py::dict entry;
                for (std::size_t c = 0; c < row.size(); ++c) entry[py::str(std::string(GradeColumns[c]))] = row[c];
                entry["FitError"] = grade.fitError ? py::object(py::float_(*grade.fitError)) : py::object(py::none());
                entry["User"] = grade.user;
                grades.append(entry);
            }
            return grades;
        },
        // cppcheck-suppress assignBoolToPointer ; a keyword argument's default
        "strict"_a = true,
        "The grades of the material library, shipped and the user's, as\n"
        "`vortane-calc --list-materials --csv` lists them: a dict per grade with\n"
        "Name, Family, Source, TemperatureRange, ShearRateRange (texts) and\n"
        "FitError (the largest relative error of the six-coefficient fit over the\n"
        "ranges, None when the file holds no fit), and User (True for the user's).\n"
        "run(material=Name) puts a grade's values in the boxes.\n\n"
        "A grade file that cannot be read raises vortane.Error naming it and the\n"
        "line; with strict=False the grades that can be read are listed, and each\n"
        "file that cannot is a RuntimeWarning.");
}

}  // namespace vortane::python
