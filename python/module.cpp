// The Python module vortane: runs, sweeps and profiles of the core, their
// results as Python objects and NumPy arrays.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <limits>
#include <string>
#include <type_traits>
#include <utility>
#include <variant>

#include "box_texts.h"
#ifdef VORTANE_DESIGN
#include "design.h"
#endif
#include "case/case_fields.h"
#include "case/file_write.h"
#include "document/html_document.h"
#include "document/report_document.h"
#include "errors.h"
#include "result/channel_profile.h"
#include "result/indicator_table.h"
#include "result/run_table.h"
#include "run/run_warnings.h"
#include "run_limits.h"
#include "result.h"
#include "study/sweep_plan.h"
#include "sweep_arrays.h"
#include "materials.h"
#include "viscosity_fit.h"

namespace py = pybind11;
using namespace py::literals;

namespace vortane::python {

ReportDocument ResultDocument(const Result& result, UnitSystem system) {
    // The grade the case names, with its sources, as the library holds it now.
    std::optional<MaterialLibrary> library;
    if (!result.material.empty()) library = ModuleLibrary();
    const Grade* grade = library ? library->FindOrNull(result.material) : nullptr;
    return RunDocument(result.run, result.texts, result.viscosityRanges,
                       {result.caseFile, LocalDateTime(), result.material, grade}, result.separator, system,
                       {result.limits, result.acceptedWarnings});
}

namespace {

// The flow and pressures along the channels of a run, as arrays.
struct Profile {
    Result result;
    std::string fault;
    py::array_t<double> z, y, p1, p2, pressureInlet, pressureOutlet;
};

Result Run(const CaseInput& given, const py::object& report, char separator) {
    const InputTexts& texts = given.texts;
    RunRequest request{texts, {}, separator, ReportTarget::None, given.viscosityRanges};
    if (!report.is_none()) {
        request.resultFileName = PathOf(report);
        CheckResultFileName(request.resultFileName);
        request.report = ReportTarget::File;
    }
    Result result{{},        texts, given.viscosityRanges, given.caseFile, separator, given.limits, {},
                  given.acceptedWarnings, given.material};
    {
        const py::gil_scoped_release released;
        result.run = RunCalculation(request);
    }
    result.margins = LimitMargins(result.limits, LimitColumns(result.limits), result.run);
    return result;
}

// A field of the run's record; NaN for a value of the report's blocks that the
// run did not compute, as in a sweep's arrays, and for an input it did not read.
py::object FieldValue(const RunResult& run, const CaseField& field) {
    return std::visit(
        [&](auto member) -> py::object {
            if constexpr (!std::is_same_v<decltype(member), bool CaseData::*>)
                if (!RunComputed(run, member)) return py::float_(std::numeric_limits<double>::quiet_NaN());
            return py::cast(run.data.*member);
        },
        field.member);
}

py::dict FieldsOf(const RunResult& run) {
    py::dict fields;
    for (const CaseField& field : CaseFields())
        fields[py::str(std::string(field.name))] = FieldValue(run, field);
    return fields;
}

py::dict IndicatorsOf(const RunResult& run) {
    py::dict indicators;
    if (run.indicators)
        for (const IndicatorColumn& column : IndicatorColumns())
            indicators[py::str(std::string(column.name))] = column.value(*run.indicators);
    return indicators;
}

py::array_t<double> PointValues(const std::vector<ChannelPoint>& points, double ChannelPoint::*value,
                                Quantity quantity = Quantity::Dimensionless,
                                UnitSystem system = UnitSystem::Metric) {
    py::array_t<double> array(static_cast<py::ssize_t>(points.size()));
    auto out = array.mutable_unchecked<1>();
    for (std::size_t i = 0; i < points.size(); ++i)
        out(static_cast<py::ssize_t>(i)) = InSystem(points[i].*value, quantity, system);
    return array;
}

Profile ProfileOf(Result result, int steps, UnitSystem system) {
    if (steps < 1) throw InputError("steps: " + std::to_string(steps) + " is not at least 1");
    ChannelProfile profile;
    {
        const py::gil_scoped_release released;
        profile = ProfileOfRun(result.run, steps);
    }
    const auto& points = profile.points;
    return {std::move(result),
            std::move(profile.fault),
            PointValues(points, &ChannelPoint::z),
            PointValues(points, &ChannelPoint::inletFraction),
            PointValues(points, &ChannelPoint::relPressureInlet),
            PointValues(points, &ChannelPoint::relPressureOutlet),
            PointValues(points, &ChannelPoint::pressureInlet, Quantity::Pressure, system),
            PointValues(points, &ChannelPoint::pressureOutlet, Quantity::Pressure, system)};
}

// One axis from (field, from, to, step).
SweepAxis AxisOf(const py::handle& argument, std::string_view what, char separator) {
    if (!py::isinstance<py::sequence>(argument) || py::isinstance<py::str>(argument) ||
        py::len(argument) != 4)
        throw InputError(std::string(what) + ": expected (field, from, to, step)");
    const auto parts = py::reinterpret_borrow<py::sequence>(argument);
    const InputField& field = InputFieldNamed(py::str(parts[0]).cast<std::string>());
    const std::string name(field.name);
    const std::string from = BoxText(parts[1], separator, name + " from");
    const std::string to = BoxText(parts[2], separator, name + " to");
    const std::string step = BoxText(parts[3], separator, name + " step");
    return Naming<SweepError>(std::string(what) + " " + name + ": ",
                              [&] { return MakeSweepAxis(field, from, to, step, separator); });
}

py::dict Sweep(const py::object& first, const py::object& second, const py::object& threads,
               const py::object& casePath, const std::string& decimalSeparator,
               const std::string& units, const py::object& limits, const py::object& accept,
               const py::kwargs& texts) {
    const char separator = SeparatorOf(decimalSeparator);
    const UnitSystem system = UnitSystemOf(units);
    std::vector<SweepAxis> axes{AxisOf(first, "first", separator)};
    if (!second.is_none()) axes.push_back(AxisOf(second, "second", separator));
    unsigned workers = 0;
    if (!threads.is_none()) {
        const auto asked = threads.cast<long long>();
        if (asked < 1 || asked > 1024)
            throw InputError("threads: " + std::to_string(asked) + " is not from 1 to 1024");
        workers = static_cast<unsigned>(asked);
    }
    CaseInput base = CaseOf(casePath, texts, separator, LimitsOf(limits), AcceptanceOf(accept));
    SweepPlan plan = Naming<SweepError>("sweep: ", [&] {
        return MakeSweepPlan(std::move(base.texts), std::move(axes), separator, std::nullopt);
    });
    plan.viscosityRanges = base.viscosityRanges;
    plan.limits = std::move(base.limits);
    plan.acceptedWarnings = base.acceptedWarnings;
    return SweepArrays(plan, workers, system);
}

// The indicators' names and units, from their table.
const std::string& IndicatorsDoc() {
    static const std::string doc = [] {
        std::string text = "The design indicators of a complete run by name; empty for a run that\n"
                           "stopped:";
        for (const IndicatorColumn& column : IndicatorColumns())
            text += "\n  " + std::string(column.name) + " (" + std::string(column.unit) + ")";
        return text;
    }();
    return doc;
}

std::string ResultRepr(const Result& result) {
    std::string text = "<vortane.Result " + std::string(OutcomeName(result.run.outcome)) +
                       ", passes=" + std::to_string(result.run.passes);
    if (result.run.outcome == RunOutcome::Complete)
        text += ", TemperatureRise=" +
                std::string(py::repr(py::float_(result.run.data.TemperatureRise)));
    return text + '>';
}

std::string ResultHtml(const Result& result, const std::string& units) {
    return HtmlDocument(ResultDocument(result, UnitSystemOf(units)));
}

void DefineResult(py::module_& m) {
    py::class_<Result> result(
        m, "Result",
        "One run: how it ended, what it showed, and every field of its case record.\n\n"
        "The fields of the record (BarrelDiameter ... MeanMeltTemp, the stage flags\n"
        "InputOk ... Converged) are attributes of their own name, and `fields` holds\n"
        "them all as a dict. The record holds what the stages computed before the\n"
        "run ended; a value of the report's blocks the run did not compute is NaN:\n"
        "the channel block's before the pressure step, the results block's unless\n"
        "complete, as in sweep(); so is an input the run did not read: the field\n"
        "whose text it rejected and those after it.");
    result
        .def_property_readonly(
            "outcome", [](const Result& r) { return std::string(OutcomeName(r.run.outcome)); },
            "'complete', or the stage that stopped the run: 'input', 'file', 'channel',\n"
            "'pressure', 'nonconvergent', 'fault'.")
        .def_property_readonly(
            "messages", [](const Result& r) { return r.run.messages; },
            "The messages the stages raised, in order.")
        .def_property_readonly(
            "fault", [](const Result& r) { return r.run.fault; },
            "The text of the arithmetic fault or I/O error that ended the run, or ''.")
        .def_property_readonly(
            "detail", [](const Result& r) { return r.run.detail; },
            "Why the run stopped, beyond its message, or ''.")
        .def_property_readonly(
            "passes", [](const Result& r) { return r.run.passes; },
            "Passes of the temperature iteration made.")
        .def_property_readonly(
            "blocks_written", [](const Result& r) { return r.run.blocksWritten; },
            "Report blocks written to the file, 0 to 3 (0 without a report).")
        .def_property_readonly(
            "rejected_field",
            [](const Result& r) -> py::object {
                if (r.run.rejectedBox == 0) return py::none();
                return py::str(std::string(InputFields()[r.run.rejectedBox - 1].name));
            },
            "The field whose text did not convert, or None.")
        .def_property_readonly(
            "warnings", [](const Result& r) { return r.run.warnings; },
            "Inputs and results that mean nothing physically, one sentence each.")
        .def(
            "warnings_in",
            [](const Result& r, const std::string& units) {
                return WarningTexts(r.run, UnitSystemOf(units), r.separator);
            },
            "units"_a,
            "The warnings with their numbers in `units`: 'metric' (as `warnings`), 'si'\n"
            "or 'us'; a converted number is followed by its unit.")
        .def_property_readonly(
            "indicators", [](const Result& r) { return IndicatorsOf(r.run); },
            IndicatorsDoc().c_str())
        .def_property_readonly(
            "least_inlet_pressure",
            [](const Result& r) -> py::object {
                if (!r.run.leastInletPressure) return py::none();
                return py::float_(*r.run.leastInletPressure);
            },
            "kgf/cm2: every pass passes the inlet pressure test above it; None before\n"
            "a pass has run.")
        .def_property_readonly(
            "limits", [](const Result& r) { return LimitTexts(r.limits); },
            "The limits the run is judged by, as texts: the case file's, then those\n"
            "of the `limits` argument.")
        .def_property_readonly(
            "feasible",
            [](const Result& r) { return Feasible(r.run.outcome, r.run.warningKinds, r.acceptedWarnings, r.margins); },
            "Whether the design is feasible: its run is complete, raises no warning of a\n"
            "kind not accepted, and meets every limit.")
        .def_property_readonly(
            "accepted_warnings", [](const Result& r) { return KindNames(r.acceptedWarnings); },
            "The kinds of warning a feasible run may raise: the case file's, then those\n"
            "of the `accept_warnings` argument.")
        .def_property_readonly(
            "warning_kinds", [](const Result& r) { return KindNames(r.run.warningKinds); },
            "The kinds of the run's warnings: 'sound-range', 'unmelted-feed',\n"
            "'negative-pressure', 'negative-power', 'fitted-range'.")
        .def_property_readonly(
            "margins",
            [](const Result& r) { return MarginDict(r.limits, r.margins, &LimitMargin::margin); },
            "By limit text, how far inside the limit the run lies, in the limit's unit\n"
            "(negative where it fails); NaN where the run did not compute the value.")
        .def_property_readonly(
            "margin_fractions",
            [](const Result& r) { return MarginDict(r.limits, r.margins, &LimitMargin::fraction); },
            "The margins over the bounds' magnitudes (over 1 for a bound of 0).")
        .def_property_readonly(
            "failed_limits", [](const Result& r) { return FailedLimits(r.limits, r.margins); },
            "The texts of the limits that do not hold, in order.")
        .def_property_readonly(
            "fields", [](const Result& r) { return FieldsOf(r.run); },
            "Every field of the case record by name, in the record's order.")
        .def_property_readonly(
            "texts", [](const Result& r) { return TextsDict(r.texts); },
            "The 28 box texts the run read, by field name.")
        .def("__repr__", &ResultRepr)
        .def("to_html", &ResultHtml, "units"_a = "metric",
             "The report to hand on as one self-contained HTML page (UTF-8 str): the case,\n"
             "date and program version, the inputs, the viscosity law and its fitted\n"
             "ranges, the channel characteristics, results and design indicators, the\n"
             "warnings or what stopped the run, and the profile chart as inline SVG; with\n"
             "limits or accepted warnings, each limit with its value and margin, and\n"
             "whether the design is feasible or why not.\n"
             "units: 'metric' (the report's), 'si' or 'us', of the inputs, values and chart.")
        .def("_repr_html_", [](const Result& r) { return ResultHtml(r, "metric"); });
    for (const CaseField& field : CaseFields())
        result.def_property_readonly(
            std::string(field.name).c_str(),
            [f = &field](const Result& r) { return FieldValue(r.run, *f); });
}

void DefineProfile(py::module_& m) {
    py::class_<Profile>(
        m, "Profile",
        "The flow and pressures along the channels of a complete run at z = i/steps:\n"
        "empty arrays and the reason in `fault` when the run did not complete or the\n"
        "profile's arithmetic faulted.")
        .def_readonly("result", &Profile::result, "The run.")
        .def_readonly("fault", &Profile::fault, "Why there is no profile, or ''.")
        .def_readonly("z", &Profile::z, "Relative position along the channels, 0 to 1.")
        .def_readonly("y", &Profile::y, "Share of the channel flow in the inlet channel.")
        .def_readonly("p1", &Profile::p1, "Relative pressure in the inlet channel.")
        .def_readonly("p2", &Profile::p2, "Relative pressure in the outlet channel.")
        .def_readonly("pressure_inlet", &Profile::pressureInlet,
                      "Pressure in the inlet channel, kgf/cm2 (p1 times InletPressure).")
        .def_readonly("pressure_outlet", &Profile::pressureOutlet,
                      "Pressure in the outlet channel, kgf/cm2 (p2 times InletPressure).");
}

}  // namespace

}  // namespace vortane::python

PYBIND11_MODULE(_vortane, m) {
    using namespace vortane;
    using namespace vortane::python;
    m.doc() = "The compiled core of the package vortane.";
    m.attr("__version__") = VORTANE_VERSION;
    RegisterErrors(m);
    DefineResult(m);
    DefineProfile(m);
    DefineViscosityFit(m);
    DefineMaterials(m);
#ifdef VORTANE_DESIGN
    DefineDesign(m);
#endif

    m.def(
        "run",
        [](const py::object& casePath, const py::object& report, const std::string& decimalSeparator,
           const py::object& limits, const py::object& accept, const py::object& material, const py::kwargs& texts) {
            const char separator = SeparatorOf(decimalSeparator);
            return Run(CaseOf(casePath, texts, separator, LimitsOf(limits), AcceptanceOf(accept), material), report,
                       separator);
        },
        "case"_a = py::none(), "report"_a = py::none(), "decimal_separator"_a = ".", "limits"_a = py::none(),
        "accept_warnings"_a = py::none(), "material"_a = py::none(),
        "Runs one case, as one press of OK in the window, and returns its Result.\n\n"
        "texts: box texts by field or box name (OutputRate='30', Edit3='30'), over\n"
        "the case file `case` and the default texts. A number stands for its text:\n"
        "an int as str() writes it, a float with repr()'s shortest round-trip digits.\n"
        "A text may end in a unit of the field's quantity (OutputRate='350 lb/hr'):\n"
        "the run reads the number converted exactly to the box's own unit.\n"
        "report: the file the report is written to; None writes none.\n"
        "decimal_separator: of the texts and the report.\n"
        "limits: texts such as 'TemperatureRise<=30' or 'Barrier1ShearStress>=120' (a\n"
        "numeric column of sweep()'s table without its unit, the bound in its\n"
        "technical metric unit), after the case file's: the Result's feasible,\n"
        "margins and failed_limits judge the run by them.\n"
        "accept_warnings: kinds of warning ('negative-pressure', ...) a feasible run may\n"
        "raise, after the case file's; otherwise any warning makes it infeasible.\n"
        "material: the name of a grade of materials(): its six coefficients, thermal\n"
        "values and ranges go in the boxes over the case file, before `texts`.\n\n"
        "A run that a stage stops is a Result like any other; an unknown field, a\n"
        "value that is neither text nor number, a case file that cannot be read or a\n"
        "limit that does not read as one raises vortane.Error (a ValueError) naming it.");

    m.def("sweep", &Sweep, "first"_a, "second"_a = py::none(), "threads"_a = py::none(),
          "case"_a = py::none(), "decimal_separator"_a = ".", "units"_a = "metric", "limits"_a = py::none(),
          "accept_warnings"_a = py::none(),
          "Runs one case per point of the grid of one or two inputs and returns its table\n"
          "as `vortane-calc --sweep ... --csv` writes it: a dict of one NumPy array per\n"
          "column, under the CSV header's names and in its order, a point a row.\n\n"
          "first, second: (field, from, to, step), the values from, from + step, ... up\n"
          "to `to`, each read as a box reads its text; the first varies slowest.\n"
          "threads: worker threads, None for one per core. texts and case: the other\n"
          "boxes, as for run().\n\n"
          "Point and Passes are int64 arrays; the swept fields hold the values as the\n"
          "runs read them; Outcome holds strings ('complete', 'pressure', ...); Message\n"
          "and Warnings str objects; every other column exactly the doubles of the\n"
          "CSV's numbers, NaN where its field is empty. The GIL is released while the\n"
          "points run; Ctrl+C stops the sweep after the points under way and raises\n"
          "KeyboardInterrupt.\n\n"
          "units: 'metric' (the report's units), 'si' or 'us'; outside metric the\n"
          "numbers are in that system and the names of columns with a unit carry it,\n"
          "as in `vortane-calc --units`: 'TotalPressureDrop (MPa)'.\n\n"
          "limits, accept_warnings: as for run(); with limits the table ends with\n"
          "Feasible and a margin per limit.");

    m.def(
        "profile",
        [](const py::object& casePath, int steps, const std::string& decimalSeparator,
           const std::string& units, const py::kwargs& texts) {
            const char separator = SeparatorOf(decimalSeparator);
            const UnitSystem system = UnitSystemOf(units);
            return ProfileOf(Run(CaseOf(casePath, texts, separator), py::none(), separator),
                             steps, system);
        },
        "case"_a = py::none(), "steps"_a = 100, "decimal_separator"_a = ".", "units"_a = "metric",
        "Runs one case without a report and returns the Profile along its channels\n"
        "at z = 0, 1/steps, ... 1: the arrays z, y, p1, p2 and the absolute pressures\n"
        "pressure_inlet and pressure_outlet (kgf/cm2; MPa with units='si', psi with\n"
        "units='us'). texts and case as for run().");

    m.def(
        "read_case",
        [](const py::object& path, const std::string& decimalSeparator) {
            const char separator = SeparatorOf(decimalSeparator);
            return TextsDict(CaseOf(path, {}, separator).texts);
        },
        "path"_a, "decimal_separator"_a = ".",
        "The 28 box texts of a case file by field name, in box order: the defaults\n"
        "with the file's entries in their boxes, numbers in the notation of\n"
        "`decimal_separator`. The format is the window's and vortane-calc's; a file\n"
        "that cannot be read or taken raises vortane.Error naming it and the line.");

    m.def(
        "_case_file_text",
        [](const py::dict& texts, const std::string& decimalSeparator) {
            const char separator = SeparatorOf(decimalSeparator);
            return py::bytes(CaseFileText(CaseOf(py::none(), texts, separator).texts, {}, separator));
        },
        "texts"_a, "decimal_separator"_a = ".",
        "The bytes of a case file holding `texts` (others at their defaults).");

    m.def(
        "_write_file",
        [](const py::object& path, const py::bytes& content) {
            const std::string name = PathOf(path);
            const std::string bytes = content;
            const py::gil_scoped_release released;
            WriteWholeFile(name, bytes);
        },
        "path"_a, "content"_a,
        "Writes `content` as the whole file at `path`, or nothing: a file that\n"
        "cannot be written raises vortane.Error naming it and the reason, and is\n"
        "left as it was.");
}
