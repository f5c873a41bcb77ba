#include "sweep_arrays.h"

#include <pybind11/numpy.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <memory>
#include <span>
#include <stop_token>
#include <string>
#include <vector>

#include "case/number_text.h"
#include "result/limit_check.h"
#include "result/run_table.h"
#include "signal_poll.h"
#include "study/design_rows.h"
#include "study/study_csv.h"
#include "study/sweep_run.h"

namespace py = pybind11;

namespace vortane::python {

namespace {

constexpr double Empty = std::numeric_limits<double>::quiet_NaN();

// The columns of RunColumns and of the plan's limits, filled point by point
// without the GIL.
struct RunColumnValues {
    std::vector<RunOutcome> outcomes;
    std::vector<std::vector<double>> numbers;     // per numeric column
    std::vector<std::vector<std::string>> texts;  // per text column but Outcome
    std::span<const Limit> limits;
    WarningKinds accepted;
    std::vector<const RunColumn*> limitColumns;
    std::vector<bool> feasible;
    std::vector<std::vector<double>> margins;  // per limit, in `system`

    UnitSystem system;

    RunColumnValues(std::size_t points, std::span<const Limit> judgedBy, WarningKinds acceptedWarnings,
                    UnitSystem units)
        : numbers(RunColumns().size()),
          texts(RunColumns().size()),
          limits(judgedBy),
          accepted(acceptedWarnings),
          limitColumns(LimitColumns(judgedBy)),
          margins(judgedBy.size()),
          system(units) {
        outcomes.reserve(points);
        feasible.reserve(points);
        for (std::vector<double>& margin : margins) margin.reserve(points);
        for (std::size_t c = 0; c < RunColumns().size(); ++c) {
            const RunColumn::Kind kind = RunColumns()[c].kind;
            if (!HoldsText(kind))
                numbers[c].reserve(points);
            else if (kind != RunColumn::Kind::Outcome)
                texts[c].reserve(points);
        }
    }

    void Add(const RunResult& run) {
        outcomes.push_back(run.outcome);
        for (std::size_t c = 0; c < RunColumns().size(); ++c) {
            const RunColumn& column = RunColumns()[c];
            if (!HoldsText(column.kind))
                numbers[c].push_back(
                    InSystem(ColumnNumber(column, run).value_or(Empty), column.quantity, system));
            else if (column.kind != RunColumn::Kind::Outcome)
                texts[c].push_back(ColumnText(column, run));
        }
        const std::vector<LimitMargin> judged = LimitMargins(limits, limitColumns, run);
        feasible.push_back(Feasible(run.outcome, run.warningKinds, accepted, judged));
        for (std::size_t i = 0; i < judged.size(); ++i) {
            const Quantity quantity = MarginQuantity(*limitColumns[i]);
            margins[i].push_back(judged[i].margin ? InSystem(*judged[i].margin, quantity, system) : Empty);
        }
    }
};

// Looks for a pending signal (Ctrl+C) now and then, after a point and while
// waiting for one, the GIL taken for the moment; one that raised leaves its
// exception pending and stops the sweep.
class SweepInterrupt {
public:
    explicit SweepInterrupt(std::stop_source stop) : stop_(std::move(stop)) {}

    void operator()(std::size_t /*done*/, std::size_t /*total*/) { Poll(); }

    void Poll() {
        if (interrupted_ || !poll_.Raised()) return;
        interrupted_ = true;
        stop_.request_stop();
    }

    bool Interrupted() const { return interrupted_; }

private:
    std::stop_source stop_;
    SignalPoll poll_;
    bool interrupted_ = false;
};

// An array that owns the vector's storage, without a copy.
template <class T>
py::array_t<T> ArrayOf(std::vector<T> values) {
    auto owned = std::make_unique<std::vector<T>>(std::move(values));
    const auto size = static_cast<py::ssize_t>(owned->size());
    T* data = owned->data();
    const py::capsule owner(owned.release(),
                            [](void* p) { delete static_cast<std::vector<T>*>(p); });
    return py::array_t<T>(size, data, owner);
}

py::array_t<bool> BooleansOf(const std::vector<bool>& values) {
    py::array_t<bool> array(static_cast<py::ssize_t>(values.size()));
    auto out = array.mutable_unchecked<1>();
    for (std::size_t i = 0; i < values.size(); ++i) out(static_cast<py::ssize_t>(i)) = values[i];
    return array;
}

py::array_t<std::int64_t> IntegersOf(const std::vector<double>& values) {
    py::array_t<std::int64_t> array(static_cast<py::ssize_t>(values.size()));
    auto out = array.mutable_unchecked<1>();
    for (std::size_t i = 0; i < values.size(); ++i)
        out(static_cast<py::ssize_t>(i)) = static_cast<std::int64_t>(values[i]);
    return array;
}

// The outcomes' names as a fixed-width unicode array (they are ASCII).
py::array OutcomeArray(const std::vector<RunOutcome>& outcomes) {
    std::size_t width = 1;
    for (const RunOutcome outcome : outcomes) width = std::max(width, OutcomeName(outcome).size());
    py::array array(py::dtype("<U" + std::to_string(width)),
                    std::vector<py::ssize_t>{static_cast<py::ssize_t>(outcomes.size())});
    auto* chars = static_cast<std::uint32_t*>(array.mutable_data());
    std::fill_n(chars, outcomes.size() * width, 0);
    for (std::size_t i = 0; i < outcomes.size(); ++i) {
        const std::string_view name = OutcomeName(outcomes[i]);
        std::copy(name.begin(), name.end(), chars + i * width);
    }
    return array;
}

// Free texts as an array of str objects: each text is kept once, however long.
py::array TextArray(const std::vector<std::string>& texts) {
    py::list list(texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i) list[i] = py::str(texts[i]);
    return py::module_::import("numpy").attr("array")(list, py::arg("dtype") = "O");
}

// The values of an axis at every point, as the runs read the texts.
py::array_t<double> SweptValues(const SweepPlan& plan, std::size_t axis, std::size_t points,
                                UnitSystem system) {
    const Quantity quantity = plan.axes[axis].field->quantity;
    std::vector<double> values;
    for (const std::string& text : plan.axes[axis].texts)
        values.push_back(
            InSystem(ConvertReal(text, plan.decimalSeparator).value_or(Empty), quantity, system));
    std::vector<double> column;
    column.reserve(points);
    for (std::size_t i = 0; i < points; ++i) column.push_back(values[AxisPositions(plan, i)[axis]]);
    return ArrayOf(std::move(column));
}

py::array_t<std::int64_t> PointNumbers(std::size_t count) {
    std::vector<std::int64_t> numbers(count);
    for (std::size_t i = 0; i < count; ++i) numbers[i] = static_cast<std::int64_t>(i + 1);
    return ArrayOf(std::move(numbers));
}

void AddRunColumns(py::dict& table, RunColumnValues& values, bool withoutLimits) {
    const UnitSystem system = values.system;
    for (std::size_t c = 0; c < RunColumns().size(); ++c) {
        const RunColumn& column = RunColumns()[c];
        const py::str name(ColumnName(column, system));
        switch (column.kind) {
            case RunColumn::Kind::Outcome: table[name] = OutcomeArray(values.outcomes); break;
            case RunColumn::Kind::Message:
            case RunColumn::Kind::Warnings: table[name] = TextArray(values.texts[c]); break;
            case RunColumn::Kind::Passes: table[name] = IntegersOf(values.numbers[c]); break;
            default: table[name] = ArrayOf(std::move(values.numbers[c]));
        }
    }
    if (withoutLimits) return;
    table["Feasible"] = BooleansOf(values.feasible);
    for (std::size_t i = 0; i < values.limits.size(); ++i)
        table[py::str(MarginName(values.limits[i], system))] = ArrayOf(std::move(values.margins[i]));
}

}  // namespace

py::dict SweepArrays(const SweepPlan& plan, unsigned threads, UnitSystem system) {
    const std::size_t count = PointCount(plan);
    RunColumnValues values(count, plan.limits, plan.acceptedWarnings, system);
    std::stop_source stop;
    SweepInterrupt check(stop);
    {
        const py::gil_scoped_release released;
        RunSweep(plan, {threads, std::ref(check), stop.get_token(), [&check] { check.Poll(); }},
                 [&](const PointResult& point) { values.Add(point.run); });
    }
    if (check.Interrupted()) throw py::error_already_set();

    py::dict table;
    table["Point"] = PointNumbers(count);
    for (std::size_t a = 0; a < plan.axes.size(); ++a)
        table[py::str(SweptName(*plan.axes[a].field, system))] = SweptValues(plan, a, count, system);
    AddRunColumns(table, values, plan.limits.empty());
    return table;
}

py::dict DesignArrays(const DesignTable& designs, UnitSystem system) {
    const std::size_t count = designs.rows.size();
    RunColumnValues values(count, designs.limits, designs.acceptedWarnings, system);
    for (const DesignRow& row : designs.rows) values.Add(*row.run);
    py::dict table;
    table["Point"] = PointNumbers(count);
    for (std::size_t a = 0; a < designs.fields.size(); ++a) {
        const InputField& field = *designs.fields[a];
        std::vector<double> column;
        column.reserve(count);
        for (const DesignRow& row : designs.rows)
            column.push_back(InSystem(ConvertReal(row.texts[a], designs.decimalSeparator).value_or(Empty),
                                      field.quantity, system));
        table[py::str(SweptName(field, system))] = ArrayOf(std::move(column));
    }
    AddRunColumns(table, values, false);
    std::vector<bool> marked;
    marked.reserve(count);
    for (const DesignRow& row : designs.rows) marked.push_back(row.marked);
    table[py::str(designs.markName)] = BooleansOf(marked);
    return table;
}


}  // namespace vortane::python
