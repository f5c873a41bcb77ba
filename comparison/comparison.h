#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "case/case_file.h"
#include "case/input_fields.h"
#include "case/limit.h"
#include "run/calculation_run.h"
#include "result/compose_case.h"

namespace vortane {

// Designs side by side: the runs of two or more cases, each against the first.

// One design: its name (the case's file name, "Untitled", "Baseline",
// "Current"), the box texts it ran, its run, and the limits of its case with
// the kinds of warning it accepts.
struct ComparedDesign {
    std::string name;
    InputTexts texts;
    RunResult run;
    std::vector<Limit> limits;
    WarningKinds acceptedWarnings = {};
};

// The design of the case file at `path`, composed with the overrides, limits
// and accepted warnings given (ComposeCase) and run without a report: its
// file's name, its texts, its run and its limits. What ComposeCase refuses is
// its CaseFileError.
ComparedDesign RunCaseDesign(const std::string& path, std::span<const BoxOverride> overrides,
                             char decimalSeparator, std::span<const Limit> extraLimits = {},
                             WarningKinds extraAccepted = {});

// A quantity across the designs, one cell per design. A row of numbers keeps
// each design's value (none where its run left it uncomputed) and, against the
// first design, the difference and the percentage of the first's magnitude
// (none for the first design, where either value is missing, and the
// percentage where the first is 0). A row of texts keeps only texts.
struct ComparisonRow {
    enum class Kind { Input, Outcome, Value, Limit, Feasible };
    Kind kind;
    std::string quantity;  // "OutputRate (kg/hr)", "TotalPressureDrop", "TemperatureRise<=30"
    std::string caption;   // as the windows show it: "Output Rate (kg/hr)", "Temperature Difference (℃) ≤ 30"
    std::vector<std::optional<double>> values;
    std::vector<std::string> texts;
    std::vector<std::optional<double>> differences;
    std::vector<std::optional<double>> percentages;
};

constexpr bool HoldsNumbers(const ComparisonRow& row) {
    return row.kind == ComparisonRow::Kind::Input || row.kind == ComparisonRow::Kind::Value;
}

// The table in `system`: the inputs whose values differ, the outcome, the passes and the
// messages, every number of the table of runs (the report's channel and
// results blocks, the design indicators), then each limit of any design with
// whether it holds in the designs whose case sets it (a limit naming no
// quantity of a run fails, saying so), the warnings each design accepts
// (when any does), and whether each design is feasible as Feasible judges it
// ("no: warns of negative-pressure" where a warning not accepted stands). Each design's warnings stand beside the table,
// and what stopped each run that stopped. Numbers, differences and margins are
// in the unit of their quantity in `system` (a difference of temperatures
// without the offset), percentages of the first's magnitude in that unit; the
// quantities' names carry that unit as the CSV in `system` writes them
// (ColumnName), a limit's name its bound in technical metric as it is given.
// Texts (margins, a limit's bound in its caption) have the decimal separator
// given.
struct Comparison {
    std::vector<std::string> designs;
    std::vector<ComparisonRow> rows;
    std::vector<std::vector<std::string>> warnings;  // per design
    std::vector<std::string> stops;                  // per design: why its run stopped; empty when complete
};

Comparison CompareDesigns(const std::vector<ComparedDesign>& designs, UnitSystem system = UnitSystem::Metric,
                          char decimalSeparator = '.');

// The table as texts, a header and a row per quantity: the quantity's
// caption, then for the first design its value, for each other design its
// value, "Δ" and "Δ %". Inputs in their shortest exact digits, computed values
// to seven significant digits, differences to six with their sign,
// percentages to two decimals; all with the decimal separator given. The
// outcome of a run that stopped is followed by what stopped it.
struct ComparisonGrid {
    std::vector<std::string> header;
    std::vector<std::vector<std::string>> rows;
};

ComparisonGrid ComparisonCells(const Comparison& comparison, char decimalSeparator);

// The grid in aligned columns (UTF-8), a line saying what the differences are
// taken against, then the warnings of each design that has some.
std::string ComparisonText(const Comparison& comparison, char decimalSeparator);

// The table as CSV: Quantity, a column per design, then "Difference NAME" and
// "Percent NAME" for each design after the first; numbers as "%.17g", the
// warnings in a last row, joined by "; ".
std::string ComparisonCsv(const Comparison& comparison);

}  // namespace vortane
