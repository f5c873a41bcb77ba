#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "case/units.h"
#include "model/design_indicators.h"
#include "run/calculation_run.h"

namespace vortane {

// The columns of a table of runs after its Point and swept fields, in the one
// order the CSV and every other table of them share: Outcome, Passes,
// Message, the values of the report's channel and results blocks, the design
// indicators (their units in the name) and Warnings. A row carries the values
// its run's report would hold: the channel block's from the pressure step on,
// the results block's and the indicators when complete; the others are empty.
struct RunColumn {
    enum class Kind { Outcome, Passes, Message, Channel, Results, Indicator, Warnings };
    Kind kind;
    std::string name;                                        // the CSV header's
    std::string caption;  // as the Results window shows it (UTF-8, its technical metric unit)
    double CaseData::*field = nullptr;                       // of Channel and Results
    double (*indicator)(const DesignIndicators&) = nullptr;  // of Indicator
    Quantity quantity = Quantity::Dimensionless;             // of its numbers
};

const std::vector<RunColumn>& RunColumns();

// The column's name in `system`: as in RunColumn in technical metric; in
// another system, a column whose numbers carry a unit is followed by that
// unit in parentheses ("TotalPressureDrop (MPa)", "SpecificEnergy (kJ/kg)").
std::string ColumnName(const RunColumn& column, UnitSystem system);

// The column's caption in `system`, as the Results window shows the value
// ("Total Pressure Drop (MPa)" in SI); "Outcome", "Passes", "Message" and
// "Warnings" for the others.
std::string ColumnCaption(const RunColumn& column, UnitSystem system);

// An input's caption in `system`: the report's caption with the unit of its
// quantity in `system` ("Output Rate (lb/hr)" in US customary).
std::string InputCaption(const InputField& field, UnitSystem system);

// Whether the column holds texts: Outcome, Message and Warnings.
constexpr bool HoldsText(RunColumn::Kind kind) {
    return kind == RunColumn::Kind::Outcome || kind == RunColumn::Kind::Message ||
           kind == RunColumn::Kind::Warnings;
}

// The number of a run in a column that holds numbers; empty where the row
// leaves it empty.
std::optional<double> ColumnNumber(const RunColumn& column, const RunResult& run);

// The text of a run in a column that holds texts: the outcome's name; the
// messages and then the fault; the warnings; each list joined by "; ". In
// another system than technical metric the warnings are written in it, their
// numbers with `decimalSeparator`.
std::string ColumnText(const RunColumn& column, const RunResult& run, UnitSystem system = UnitSystem::Metric,
                       char decimalSeparator = '.');

// Whether the run computed a value of its report's channel or results block:
// as a row of the table has it, the channel block's from the pressure step on,
// the results block's when complete; an input's, when the run read its box
// (not the box whose text did not convert, nor those after it). Other fields
// of the record: true.
bool RunComputed(const RunResult& run, double CaseData::*field);
bool RunComputed(const RunResult& run, std::int32_t CaseData::*field);

// "complete", or the stage that stopped the run: "input", "file", "channel",
// "pressure", "nonconvergent", "fault".
std::string_view OutcomeName(RunOutcome outcome);

}  // namespace vortane
