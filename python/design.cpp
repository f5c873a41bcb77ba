#include "design.h"

#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include <atomic>
#include <limits>
#include <thread>

#include "box_texts.h"
#include "case/limit.h"
#include "design/end_text.h"
#include "design/goal_seek.h"
#include "design/optimisation.h"
#include "design/pareto_front.h"
#include "design/scale_up.h"
#include "design_document/front_document.h"
#include "design_document/front_table.h"
#include "document/html_document.h"
#include "study/design_rows.h"
#include "sweep_arrays.h"
#include "result.h"
#include "run_limits.h"
#include "signal_poll.h"

namespace py = pybind11;
using namespace py::literals;

namespace vortane::python {

namespace {

// A goal seek's answer, with the run at its text as a Result.
struct Solution {
    GoalSeekResult seek;
    std::string field, quantity;
    Result result;
};

// An optimisation's answer, with the best design's run as a Result.
struct Optimum {
    OptimisationResult best;
    std::vector<std::string> fields;
    std::string objective;
    std::vector<Limit> limits;
    Result result;
};

// A front's designs, with their table as NumPy arrays.
struct Front {
    FrontRequest request;
    CaseInput base;
    char separator;
    FrontResult front;
    std::vector<std::string> fields;
    py::dict table;
};

// A scale-up's table, each design's run as a Result.
struct ScaledDesigns {
    ScaleUpResult table;
    std::vector<Result> results;
};

// Ctrl+C during a search: now and then, on the thread that called (where
// Python takes signals), the GIL is taken for a look at pending signals; one
// that raised cancels the search and leaves its exception pending.
class SearchInterrupt {
public:
    void operator()(const Evaluation& /*run*/) {
        if (std::this_thread::get_id() != caller_ || !poll_.Raised()) return;
        interrupted_ = true;
        cancel_ = true;
    }
    const std::atomic<bool>* Cancel() const { return &cancel_; }
    void RaiseIfInterrupted() const {
        if (interrupted_) throw py::error_already_set();
    }

private:
    std::thread::id caller_ = std::this_thread::get_id();
    SignalPoll poll_;
    std::atomic<bool> cancel_ = false;
    bool interrupted_ = false;
};

py::array_t<double> Column(const std::vector<Evaluation>& history, const auto& value) {
    py::array_t<double> array(static_cast<py::ssize_t>(history.size()));
    auto out = array.mutable_unchecked<1>();
    for (std::size_t i = 0; i < history.size(); ++i)
        out(static_cast<py::ssize_t>(i)) = value(history[i]).value_or(std::numeric_limits<double>::quiet_NaN());
    return array;
}

// Every run in order: the varied inputs' values, the quantity's (NaN where not
// computed), each limit's margin, and how each run ended.
py::dict HistoryOf(const std::vector<Evaluation>& history, const std::vector<std::string>& fields,
                   const std::string& quantity, const std::vector<Limit>& limits) {
    py::dict table;
    for (std::size_t i = 0; i < fields.size(); ++i)
        table[py::str(fields[i])] =
            Column(history, [i](const Evaluation& e) { return std::optional<double>(e.inputs[i]); });
    table[py::str(quantity)] = Column(history, [](const Evaluation& e) { return e.objective; });
    for (std::size_t j = 0; j < limits.size(); ++j)
        table[py::str("margin " + LimitText(limits[j]))] =
            Column(history, [j](const Evaluation& e) { return e.margins[j]; });
    py::list outcomes;
    for (const Evaluation& e : history) outcomes.append(std::string(OutcomeName(e.outcome)));
    table["Outcome"] = outcomes;
    return table;
}

std::string EndName(GoalSeekEnd end) {
    switch (end) {
        case GoalSeekEnd::Found: return "found";
        case GoalSeekEnd::Unsound: return "unsound";
        case GoalSeekEnd::OutOfRange: return "out_of_range";
        case GoalSeekEnd::InStep: return "in_step";
        case GoalSeekEnd::NotMonotonic: return "not_monotonic";
        case GoalSeekEnd::RunLimit: return "run_limit";
        case GoalSeekEnd::EveryRunStopped: return "every_run_stopped";
        case GoalSeekEnd::Cancelled: break;
    }
    return "cancelled";
}

std::string EndName(OptimisationEnd end) {
    switch (end) {
        case OptimisationEnd::Converged: return "converged";
        case OptimisationEnd::RunLimit: return "run_limit";
        case OptimisationEnd::Roundoff: return "roundoff";
        case OptimisationEnd::Infeasible: return "infeasible";
        case OptimisationEnd::EveryRunStopped: return "every_run_stopped";
        case OptimisationEnd::Cancelled: break;
    }
    return "cancelled";
}

py::object OptionalFloat(std::optional<double> value) {
    return value ? py::object(py::float_(*value)) : py::none();
}

// The inputs of `vary` = {field: (low, high)}, in order.
std::vector<VariedInput> VariedInputs(const py::dict& vary) {
    std::vector<VariedInput> inputs;
    for (const auto& [name, bounds] : vary) {
        const InputField& field = InputFieldNamed(py::str(name).cast<std::string>());
        std::pair<double, double> range;
        try {
            range = bounds.cast<std::pair<double, double>>();
        } catch (const py::cast_error&) {
            throw InputError("vary: " + std::string(field.name) + ": expected (low, high)");
        }
        inputs.push_back({&field, range.first, range.second});
    }
    return inputs;
}

int ThreadsOf(const py::object& threads) {
    const int count = threads.is_none() ? 0 : threads.cast<int>();
    if (count < 0) throw InputError("threads: " + std::to_string(count) + " is below 0");
    return count;
}

// The run a search varies: the case's texts and ranges, without a report.
RunRequest SearchRun(const CaseInput& base, char separator) {
    return {base.texts, {}, separator, ReportTarget::None, base.viscosityRanges};
}

Solution Solve(const std::string& fieldName, double low, double high, const std::string& quantity, double target,
               double tolerance, int maxRuns, const py::object& casePath, const std::string& decimalSeparator,
               const py::object& accept, const py::kwargs& texts) {
    const char separator = SeparatorOf(decimalSeparator);
    const CaseInput base = CaseOf(casePath, texts, separator, {}, AcceptanceOf(accept));
    GoalSeekRequest request;
    request.base = SearchRun(base, separator);
    request.field = &InputFieldNamed(fieldName);
    request.low = low;
    request.high = high;
    request.quantity = quantity;
    request.target = target;
    request.tolerance = tolerance;
    request.runLimit = maxRuns;
    request.acceptedWarnings = base.acceptedWarnings;
    SearchInterrupt check;
    Solution solution;
    {
        const py::gil_scoped_release released;
        solution.seek = GoalSeek(request, check.Cancel(), std::ref(check));
    }
    check.RaiseIfInterrupted();
    InputTexts found = base.texts;
    if (!solution.seek.text.empty()) found[request.field->box - 1] = solution.seek.text;
    solution.field = request.field->name;
    solution.quantity = quantity;
    solution.result = {solution.seek.run, found, base.viscosityRanges, base.caseFile, separator, {}, {},
                       request.acceptedWarnings};
    return solution;
}

// The case a search starts from: the file, the box texts, and the limits
// given as texts.
CaseInput SearchBase(const py::object& casePath, const py::kwargs& texts, char separator,
                     const std::vector<std::string>& limits, const py::object& accept) {
    std::vector<Limit> given;
    given.reserve(limits.size());
    for (const std::string& limit : limits) given.push_back(ParseLimit(limit));
    return CaseOf(casePath, texts, separator, given, AcceptanceOf(accept));
}

Optimum Optimise(const std::string& objective, const py::dict& vary, const std::vector<std::string>& limits,
                 bool maximise, double tolerance, int maxRuns, const py::object& threads, const py::object& casePath,
                 const std::string& decimalSeparator, const py::object& accept, const py::kwargs& texts) {
    const char separator = SeparatorOf(decimalSeparator);
    const CaseInput base = SearchBase(casePath, texts, separator, limits, accept);
    OptimisationRequest request;
    request.base = SearchRun(base, separator);
    Optimum optimum;
    request.inputs = VariedInputs(vary);
    for (const VariedInput& input : request.inputs) optimum.fields.emplace_back(input.field->name);
    request.limits = base.limits;
    request.acceptedWarnings = base.acceptedWarnings;
    request.objective = objective;
    request.maximise = maximise;
    request.tolerance = tolerance;
    request.runLimit = maxRuns;
    request.threads = ThreadsOf(threads);
    SearchInterrupt check;
    {
        const py::gil_scoped_release released;
        optimum.best = vortane::Optimise(request, check.Cancel(), std::ref(check));
    }
    check.RaiseIfInterrupted();
    optimum.objective = objective;
    optimum.limits = request.limits;
    optimum.result = {optimum.best.run, optimum.best.found ? optimum.best.texts : base.texts, base.viscosityRanges,
                      base.caseFile, separator, request.limits,
                      LimitMargins(request.limits, LimitColumns(request.limits), optimum.best.run),
                      request.acceptedWarnings};
    return optimum;
}

Front FrontOf(const std::vector<std::string>& objectives, const py::dict& vary, const std::vector<std::string>& limits,
             int divisions, double tolerance, int maxRuns, const py::object& threads, const py::object& casePath,
             const std::string& decimalSeparator, const py::object& accept, const py::kwargs& texts) {
    const char separator = SeparatorOf(decimalSeparator);
    const CaseInput base = SearchBase(casePath, texts, separator, limits, accept);
    FrontRequest request;
    request.base = SearchRun(base, separator);
    for (const std::string& objective : objectives) request.objectives.push_back(ParseObjective(objective));
    request.inputs = VariedInputs(vary);
    request.limits = base.limits;
    request.acceptedWarnings = base.acceptedWarnings;
    request.divisions = divisions;
    request.tolerance = tolerance;
    request.runLimit = maxRuns;
    request.threads = ThreadsOf(threads);
    Front front{request, base, separator, {}, {}, {}};
    SearchInterrupt check;
    {
        const py::gil_scoped_release released;
        front.front = ParetoFront(request, check.Cancel(), std::ref(check));
    }
    check.RaiseIfInterrupted();
    for (const VariedInput& input : request.inputs) front.fields.emplace_back(input.field->name);
    front.table = DesignArrays(FrontTable(request, front.front, separator), UnitSystem::Metric);
    return front;
}

// Design `design` of the front (None: the knee): its report, carrying the front.
std::string FrontDesignHtml(const Front& f, const py::object& design, const std::string& units) {
    const std::optional<std::size_t> chosen = design.is_none() ? f.front.knee : design.cast<std::size_t>();
    if (!chosen || *chosen >= f.front.designs.size())
        throw py::index_error("the front has " + std::to_string(f.front.designs.size()) + " designs");
    const FrontDesign& chosenDesign = f.front.designs[*chosen];
    const Result result{chosenDesign.run,
                        chosenDesign.texts,
                        f.base.viscosityRanges,
                        f.base.caseFile,
                        f.separator,
                        f.request.limits,
                        {},
                        f.request.acceptedWarnings,
                        f.base.material};
    const UnitSystem system = UnitSystemOf(units);
    ReportDocument document = ResultDocument(result, system);
    AppendFront(document, f.request, f.front, chosen, f.separator, system);
    return HtmlDocument(document);
}

std::string EndName(FrontEnd end) {
    switch (end) {
        case FrontEnd::Complete: return "complete";
        case FrontEnd::Infeasible: return "infeasible";
        case FrontEnd::EveryRunStopped: return "every_run_stopped";
        case FrontEnd::Cancelled: break;
    }
    return "cancelled";
}

// The varied inputs' texts of design `i` by field name.
py::dict DesignTexts(const Front& f, std::size_t i) {
    py::dict texts;
    for (std::size_t k = 0; k < f.fields.size(); ++k) texts[py::str(f.fields[k])] = f.front.designs[i].inputTexts[k];
    return texts;
}

void DefineFront(py::module_& m) {
    py::class_<Front>(m, "Front", "What front() found: the feasible designs no other betters in every objective.")
        .def_property_readonly(
            "end", [](const Front& f) { return EndName(f.front.end); },
            "'complete', 'infeasible' (no run met the limits), 'every_run_stopped' or\n"
            "'cancelled'.")
        .def_property_readonly(
            "reason", [](const Front& f) { return f.front.reason; }, "Why there are no designs; else ''.")
        .def_property_readonly(
            "designs", [](const Front& f) { return f.table; },
            "The designs along the front (by the first objective, best first) as a dict of\n"
            "NumPy arrays under the columns of the CSV vortane-calc --front writes: Point,\n"
            "the varied fields, every column of a run, Feasible, a margin per limit and\n"
            "Knee.")
        .def_property_readonly(
            "knee",
            [](const Front& f) {
                return f.front.knee ? py::object(py::int_(*f.front.knee)) : py::object(py::none());
            },
            "The row of the knee, the balanced design: of the objectives each scaled to\n"
            "[0, 1] over the front, the design nearest the ideal point. None without\n"
            "designs.")
        .def_property_readonly(
            "texts",
            [](const Front& f) {
                py::list texts;
                for (std::size_t i = 0; i < f.front.designs.size(); ++i) texts.append(DesignTexts(f, i));
                return texts;
            },
            "Each design's varied inputs' texts by field name, in the rows' order.")
        .def_property_readonly(
            "objectives",
            [](const Front& f) {
                py::array_t<double> values({static_cast<py::ssize_t>(f.front.designs.size()),
                                            static_cast<py::ssize_t>(f.request.objectives.size())});
                auto out = values.mutable_unchecked<2>();
                for (std::size_t i = 0; i < f.front.designs.size(); ++i) {
                    const std::vector<double>& objectives = f.front.designs[i].objectives;
                    for (std::size_t k = 0; k < objectives.size(); ++k)
                        out(static_cast<py::ssize_t>(i), static_cast<py::ssize_t>(k)) = objectives[k];
                }
                return values;
            },
            "The objectives' values, a row per design, a column per objective (in their\n"
            "technical metric units).")
        .def_property_readonly(
            "runs", [](const Front& f) { return f.front.runs; }, "The runs made.")
        .def("to_html", &FrontDesignHtml, "design"_a = py::none(), "units"_a = "metric",
             "The report to hand on of one design (its row; None: the knee) as one HTML\n"
             "page, as Result.to_html writes it, carrying the front after its own sections:\n"
             "the question, every design with the knee and this one marked, and the chart.\n"
             "IndexError for a row the front does not have.")
        .def("__len__", [](const Front& f) { return f.front.designs.size(); })
        .def("__repr__", [](const Front& f) {
            return "<vortane.Front " + EndName(f.front.end) + ", " + std::to_string(f.front.designs.size()) +
                   " designs>";
        });
}

ScaledDesigns ScaleUpOf(double barrelDiameter, double output, const std::vector<std::string>& keep,
                        const std::vector<std::string>& watch, const py::object& vary,
                        const std::vector<std::string>& limits, double tolerance, int maxRuns,
                        const py::object& threads, const py::object& casePath, const std::string& decimalSeparator,
                        const py::object& accept, const py::kwargs& texts) {
    const char separator = SeparatorOf(decimalSeparator);
    const CaseInput base = SearchBase(casePath, texts, separator, limits, accept);
    ScaleUpRequest request;
    request.base = SearchRun(base, separator);
    request.barrelDiameter = barrelDiameter;
    request.outputRate = output;
    request.keep = keep;
    request.watch = watch;
    if (!vary.is_none()) request.inputs = VariedInputs(vary.cast<py::dict>());
    request.limits = base.limits;
    request.acceptedWarnings = base.acceptedWarnings;
    request.tolerance = tolerance;
    request.runLimit = maxRuns;
    request.threads = ThreadsOf(threads);
    ScaledDesigns designs;
    SearchInterrupt check;
    {
        const py::gil_scoped_release released;
        designs.table = ScaleUp(request, check.Cancel(), std::ref(check));
    }
    check.RaiseIfInterrupted();
    for (const ScaleUpRow& row : designs.table.rows)
        designs.results.push_back({row.run, row.texts, base.viscosityRanges, base.caseFile, separator, request.limits,
                                   LimitMargins(request.limits, LimitColumns(request.limits), row.run),
                                   request.acceptedWarnings, base.material});
    return designs;
}

// Per design, by its name: what `value(row, i)` makes of it.
template <class Value>
py::dict ByDesign(const ScaledDesigns& d, Value value) {
    py::dict designs;
    for (std::size_t i = 0; i < d.table.rows.size(); ++i) designs[py::str(d.table.rows[i].name)] = value(d.table.rows[i], i);
    return designs;
}

// Per column of the table: the row's numbers, None where it has none.
py::dict ByColumn(const ScaledDesigns& d, const ScaleUpRow& row, bool deviations) {
    py::dict columns;
    for (std::size_t c = 0; c < d.table.columns.size(); ++c)
        columns[py::str(d.table.columns[c])] = OptionalFloat(deviations ? row.deviations[c] : row.values[c]);
    return columns;
}

void DefineScaleUp(py::module_& m) {
    using D = const ScaledDesigns&;
    py::class_<ScaledDesigns>(m, "ScaleUp",
                              "What scale_up() made: the reference, a design per classic rule and the Kept\n"
                              "design, each with its texts, run and deviations from the reference.")
        .def_property_readonly(
            "designs",
            [](D d) {
                std::vector<std::string> names;
                for (const ScaleUpRow& row : d.table.rows) names.push_back(row.name);
                return names;
            },
            "The designs' names in order: 'Reference', each rule's, then 'Kept' when found.")
        .def_property_readonly(
            "columns", [](D d) { return d.table.columns; }, "The kept, then the watched columns.")
        .def_property_readonly(
            "texts",
            [](D d) {
                return ByDesign(d, [](const ScaleUpRow& row, std::size_t) { return TextsDict(row.texts); });
            },
            "Each design's 28 box texts by field name, by design name.")
        .def_property_readonly(
            "values", [](D d) { return ByDesign(d, [&d](const ScaleUpRow& row, std::size_t) { return ByColumn(d, row, false); }); },
            "Each design's values of the columns (None where its run has none), by design name.")
        .def_property_readonly(
            "deviations", [](D d) { return ByDesign(d, [&d](const ScaleUpRow& row, std::size_t) { return ByColumn(d, row, true); }); },
            "Each design's deviations from the reference in %, by column, by design name.")
        .def_property_readonly(
            "feasible", [](D d) { return ByDesign(d, [](const ScaleUpRow& row, std::size_t) { return row.feasible; }); },
            "Whether each design's run meets the limits, by design name.")
        .def_property_readonly(
            "results", [](D d) { return ByDesign(d, [&d](const ScaleUpRow&, std::size_t i) { return d.results[i]; }); },
            "Each design's run, a Result, by design name.")
        .def_property_readonly(
            "kept", [](D d) { return d.table.kept; }, "Whether every kept column is within the tolerance.")
        .def_property_readonly(
            "verdict", [](D d) { return d.table.verdict; },
            "What could be kept together, or what could not and by how much; why there\n"
            "is no Kept design.")
        .def_property_readonly(
            "end", [](D d) { return EndName(d.table.end); },
            "How the Kept search ended, as optimise() says it ('converged' when none was needed).")
        .def_property_readonly("table", [](D d) { return ScaleUpTableText(d.table); },
                               "The table as vortane-calc prints it.")
        .def_property_readonly(
            "runs", [](D d) { return d.table.runs; }, "The runs of the Kept search.")
        .def("__len__", [](D d) { return d.table.rows.size(); })
        .def("__repr__", [](D d) {
            return "<vortane.ScaleUp " + std::to_string(d.table.rows.size()) + " designs, " +
                   (d.table.kept ? "kept" : "not kept") + ">";
        });
}

py::dict VariedTexts(const Optimum& o) {
    py::dict texts;
    for (std::size_t i = 0; i < o.best.inputTexts.size(); ++i) texts[py::str(o.fields[i])] = o.best.inputTexts[i];
    return texts;
}

py::dict MarginsOf(const Optimum& o) {
    py::dict margins;
    for (std::size_t j = 0; j < o.best.margins.size(); ++j)
        margins[py::str(LimitText(o.limits[j]))] = OptionalFloat(o.best.margins[j].margin);
    return margins;
}

void DefineSolution(py::module_& m) {
    py::class_<Solution>(m, "Solution",
                         "What solve() found: the input's text and the run at it, or why there is none.")
        .def_property_readonly(
            "found", [](const Solution& s) { return s.seek.end == GoalSeekEnd::Found; },
            "Whether the quantity reached the target within the tolerance.")
        .def_property_readonly(
            "end", [](const Solution& s) { return EndName(s.seek.end); },
            "'found', 'out_of_range', 'in_step' (the quantity jumps across the target),\n"
            "'not_monotonic', 'run_limit', 'every_run_stopped' or 'cancelled'.")
        .def_property_readonly(
            "reason", [](const Solution& s) { return s.seek.reason; },
            "Why none was found, with the values at the ends; '' when found.")
        .def_property_readonly(
            "summary", [](const Solution& s) { return GoalSeekEndText(s.seek.end); },
            "How the search ended, as the window says it: 'Found', or\n"
            "'Not found: ...' with the cause.")
        .def_property_readonly(
            "text", [](const Solution& s) { return s.seek.text; },
            "The input's text: the fewest digits that meet the tolerance; when not\n"
            "found, the text of the run closest to the target.")
        .def_property_readonly(
            "residual", [](const Solution& s) { return OptionalFloat(s.seek.residual); },
            "The quantity's value at `text` minus the target; None when not computed.")
        .def_readonly("result", &Solution::result, "The run at `text`, a Result.")
        .def_property_readonly(
            "runs", [](const Solution& s) { return s.seek.history.size(); }, "The runs made.")
        .def_property_readonly(
            "history", [](const Solution& s) { return HistoryOf(s.seek.history, {s.field}, s.quantity, {}); },
            "Every run made, in order: a dict of arrays under the input's and the\n"
            "quantity's names (NaN where not computed), and 'Outcome'.")
        .def("__repr__", [](const Solution& s) {
            return "<vortane.Solution " + EndName(s.seek.end) + ", " + s.field + "=" + s.seek.text + ">";
        });
}

void DefineOptimum(py::module_& m) {
    py::class_<Optimum>(m, "Optimum", "What optimise() found: the best design meeting the limits, or why none.")
        .def_property_readonly(
            "found", [](const Optimum& o) { return o.best.found; },
            "Whether a design met every limit.")
        .def_property_readonly(
            "end", [](const Optimum& o) { return EndName(o.best.end); },
            "'converged' (by the tolerance), 'run_limit', 'roundoff' (rounding kept the\n"
            "optimiser short of the tolerance), 'infeasible', 'every_run_stopped' or\n"
            "'cancelled'.")
        .def_property_readonly(
            "reason", [](const Optimum& o) { return o.best.reason; },
            "When none is found: the limits the nearest run fails, or, when every run\n"
            "stopped, the reason most of them gave; else ''.")
        .def_property_readonly(
            "summary", [](const Optimum& o) { return OptimisationEndText(o.best.end, !o.limits.empty()); },
            "How the search ended, as the window says it: 'Found: the best design,\n"
            "stopped by the tolerance', '... (no limits set)' when no limit was given, or\n"
            "why none was found.")
        .def_property_readonly("texts", &VariedTexts, "The varied inputs' texts by field name.")
        .def_property_readonly(
            "objective", [](const Optimum& o) { return OptionalFloat(o.best.objective); },
            "The objective's value in the best design's run; None when none found.")
        .def_property_readonly("margins", &MarginsOf,
                               "Each limit's margin (in its unit, 0 or more where it holds) by its text.")
        .def_readonly("result", &Optimum::result, "The best design's run, a Result.")
        .def_property_readonly(
            "runs", [](const Optimum& o) { return o.best.history.size(); }, "The runs made.")
        .def_property_readonly(
            "history",
            [](const Optimum& o) { return HistoryOf(o.best.history, o.fields, o.objective, o.limits); },
            "Every run made, in the order finished: a dict of arrays under the varied\n"
            "inputs' names, the objective's name and 'margin LIMIT' for each limit (NaN\n"
            "where not computed), and 'Outcome'.")
        .def("__repr__", [](const Optimum& o) {
            return "<vortane.Optimum " + EndName(o.best.end) + ", " + o.objective + "=" +
                   (o.best.objective ? std::string(py::repr(py::float_(*o.best.objective))) : "None") + ">";
        });
}

}  // namespace

void DefineDesign(py::module_& m) {
    DefineSolution(m);
    DefineOptimum(m);
    DefineFront(m);
    DefineScaleUp(m);
    m.def("scale_up", &ScaleUpOf, "barrel_diameter"_a, "output"_a, "keep"_a = std::vector<std::string>{},
          "watch"_a = std::vector<std::string>{}, "vary"_a = py::none(), "limits"_a = std::vector<std::string>{},
          "tolerance"_a = 1.0, "max_runs"_a = 600, "threads"_a = py::none(), "case"_a = py::none(),
          "decimal_separator"_a = ".", "accept_warnings"_a = py::none(),
          "The case carried to `barrel_diameter` (cm) by geometric similarity: every\n"
          "length times D2/D1, the speed set by each classic rule (constant speed,\n"
          "peripheral speed, shear rate, residence time, specific energy) at the output\n"
          "its drag flow implies; and a Kept design at `output` (kg/hr) holding the\n"
          "`keep` columns at the reference's values by least squares over `vary` =\n"
          "{field: (low, high)} (None: ScrewSpeed, ChannelDepth and the barrier\n"
          "clearances around their similar values), the one nearest similarity of\n"
          "those that hold them alike, meeting every limit. `watch`: the\n"
          "columns shown beside them (default the shear stress, temperature rise,\n"
          "residence time, specific energy and pressure drop); `tolerance` (%) within\n"
          "which a kept column counts as kept. Returns a ScaleUp. A question it cannot\n"
          "take raises vortane.Error. texts and case as for run(). The GIL is\n"
          "released; Ctrl+C stops it and raises KeyboardInterrupt.");
    m.def("front", &FrontOf, "objectives"_a, "vary"_a, "limits"_a = std::vector<std::string>{}, "divisions"_a = 0,
          "tolerance"_a = 1e-4, "max_runs"_a = 400, "threads"_a = py::none(), "case"_a = py::none(),
          "decimal_separator"_a = ".", "accept_warnings"_a = py::none(),
          "The Pareto front of two or three `objectives` ('minimise TotalPressureDrop',\n"
          "'maximise Barrier1ShearStress'), over up to six inputs `vary` = {field: (low,\n"
          "high)}, meeting every limit, as optimise() takes them. Each objective is\n"
          "optimised alone, then the first again with the others bounded in `divisions`\n"
          "steps between those ends (0: 48 with two objectives, 8 a side with three),\n"
          "each optimisation of at most `max_runs` runs on `threads`. Returns a Front:\n"
          "its designs as NumPy arrays, sorted along the front, and its knee. Fewer\n"
          "than two objectives or more than three, or an unknown quantity, raises\n"
          "vortane.Error. texts and case as for run(). The GIL is released; Ctrl+C\n"
          "stops it and raises KeyboardInterrupt.");
    m.def("solve", &Solve, "field"_a, "low"_a, "high"_a, "quantity"_a, "target"_a, "tolerance"_a = 0.001,
          "max_runs"_a = 100, "case"_a = py::none(), "decimal_separator"_a = ".", "accept_warnings"_a = py::none(),
          "Goal seek: the text of `field` within [low, high] (in the box's unit) at which\n"
          "`quantity` (a CSV column's name without its unit) reaches `target` (in its\n"
          "technical metric unit) within `tolerance`, by TOMS 748. Returns a Solution;\n"
          "when there is none (the target beyond the values at both ends, inside a step\n"
          "of the temperature iteration's pass count, past a turn of the quantity), its\n"
          "`found` is False and `reason` says why. texts and case: the other boxes, as\n"
          "for run(). A target reached only where the run raises a warning of a kind not\n"
          "in `accept_warnings` (nor the case's) is not found ('unsound'). The GIL is\n"
          "released; Ctrl+C stops it and raises KeyboardInterrupt.");
    m.def("optimise", &Optimise, "objective"_a, "vary"_a, "limits"_a = std::vector<std::string>{},
          // cppcheck-suppress assignBoolToPointer ; a keyword argument's default
          "maximise"_a = false, "tolerance"_a = 1e-4, "max_runs"_a = 400, "threads"_a = py::none(),
          "case"_a = py::none(), "decimal_separator"_a = ".", "accept_warnings"_a = py::none(),
          "The design with the least (maximise=True: the greatest) `objective`, a\n"
          "quantity named as in solve(), meeting every limit ('TemperatureRise<=30',\n"
          "'Barrier1ShearStress>=120'), over up to six inputs `vary` = {field: (low,\n"
          "high)}: a coarse grid, then COBYLA from its best points, in parallel on\n"
          "`threads` (None: every core), after the case file's limits. Only a feasible\n"
          "run counts: one that stops, or raises a warning of a kind not in\n"
          "`accept_warnings` (nor the case's), meets no limit. Returns an Optimum; when\n"
          "no run is feasible its `found` is False. max_runs below 1 raises\n"
          "vortane.Error. texts and case as for run(). The GIL is released; Ctrl+C\n"
          "stops it and raises KeyboardInterrupt.");
}

}  // namespace vortane::python
