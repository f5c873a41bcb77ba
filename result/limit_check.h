#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "case/limit.h"
#include "case/warning_kind.h"
#include "result/run_table.h"
#include "run/calculation_run.h"

namespace vortane {

// Limits against the runs they judge. A limit names a column of the table of
// runs (RunColumns) that holds numbers, by its name without the unit
// ("Barrier1ShearStress" for "Barrier1ShearStress (kPa)"); its value is in
// that column's technical metric unit.

// The column a quantity's name gives; none for a name of no numeric column.
const RunColumn* LimitColumn(const std::string& quantity);

// The names limits may take, in column order.
std::vector<std::string> LimitQuantities();

// A name that is no quantity, as every refusal words it: "unknown quantity
// TemperatureRis (did you mean TemperatureRise?)", or with the quantities
// there are when none is near.
std::string UnknownQuantityText(std::string_view quantity);

// Each limit's column, in order. A name that is no numeric column is a
// LimitError naming it and the nearest quantity, or all there are when none
// is near.
std::vector<const RunColumn*> LimitColumns(std::span<const Limit> limits);

// The position of a column of RunColumns.
std::size_t ColumnIndex(const RunColumn& column);

// What a margin of the column measures: a difference of its quantity, which
// for a temperature converts without the offset.
Quantity MarginQuantity(const RunColumn& column);

// A limit's quantity by the caption of its column in `system` ("Temperature
// Difference (℃)"); a name of no column as it is.
std::string QuantityCaption(const std::string& quantity, UnitSystem system = UnitSystem::Metric);

// "Temperature Difference (℃) ≤ 30": the caption of the limit's quantity in
// `system` and its bound in that unit; the limit as LimitText writes it where
// it names no quantity of a run.
std::string LimitCaption(const Limit& limit, UnitSystem system, char decimalSeparator);

// How a value stands against a limit. The margin is how far inside the limit
// it lies, in the limit's unit: bound − value for at most, value − bound for at
// least; it holds when the margin is 0 or more. The fraction is the margin over
// the bound's magnitude (over 1 for a bound of 0). A run that left the value
// uncomputed has none: the limit does not hold.
struct LimitMargin {
    std::optional<double> value;  // the run's, in the limit's unit
    std::optional<double> margin;
    std::optional<double> fraction;
    bool holds = false;
};

LimitMargin MarginOf(const Limit& limit, std::optional<double> value);

// Each limit's margin for `run`; `columns` as LimitColumns gives them.
std::vector<LimitMargin> LimitMargins(std::span<const Limit> limits, std::span<const RunColumn* const> columns,
                                      const RunResult& run);

// Each limit's margin for the cells `number(c)` of the columns c of
// RunColumns a row holds, empty where the row leaves a cell empty.
template <class Number>
std::vector<LimitMargin> LimitMarginsOf(std::span<const Limit> limits, std::span<const RunColumn* const> columns,
                                        Number number) {
    std::vector<LimitMargin> margins;
    margins.reserve(limits.size());
    for (std::size_t i = 0; i < limits.size(); ++i)
        margins.push_back(MarginOf(limits[i], number(ColumnIndex(*columns[i]))));
    return margins;
}

// Whether a design is feasible: its run is complete, raised no warning of a
// kind `accepted` does not hold (its numbers would not hold physically), and
// every limit holds. The one rule every search, map, table, comparison and
// exit status judges by.
bool Feasible(RunOutcome outcome, WarningKinds raised, WarningKinds accepted, std::span<const LimitMargin> margins);

// The kinds of warning a run raised that are not accepted, as
// "warns of negative-pressure, fitted-range"; empty when there are none.
std::string UnacceptedWarningsText(WarningKinds raised, WarningKinds accepted);

// Why a complete run is not feasible: its unaccepted warnings, then the limits
// that fail, joined by "; " ("warns of negative-pressure; TemperatureRise<=30 (31.2)").
std::string InfeasibleText(WarningKinds raised, WarningKinds accepted, std::span<const Limit> limits,
                           std::span<const LimitMargin> margins);

// The same for a reader: each failing limit by LimitCaption in `system`, with
// the run's value there to seven significant digits ("Total Pressure Drop
// (kgf/cm2) ≤ 30 (85.87159)").
std::string InfeasibleCaption(WarningKinds raised, WarningKinds accepted, std::span<const Limit> limits,
                              std::span<const LimitMargin> margins, UnitSystem system, char decimalSeparator);

// What a kind of warning says: "the pressure in a channel falls below zero".
std::string_view WarningKindMeaning(WarningKind kind);

// "accepting warnings of negative-pressure", or empty when none are accepted.
std::string AcceptanceText(WarningKinds accepted);

// The lines every front end shows under a design found: the acceptance it
// stands by (when any), then "warning: " and each warning of its run.
std::vector<std::string> FoundWarningLines(const RunResult& run, WarningKinds accepted);

// The limits that fail, as LimitText writes them, joined by "; ", each with the
// value found ("TemperatureRise<=30 (31.2)") or "(not computed)".
std::string FailedLimitsText(std::span<const Limit> limits, std::span<const LimitMargin> margins);

}  // namespace vortane
