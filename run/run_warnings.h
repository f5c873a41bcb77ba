#pragma once

#include <string>
#include <vector>

#include "case/units.h"
#include "run/calculation_run.h"
#include "run/warning_text.h"

namespace vortane {

// What a run's inputs and results say about whether its numbers mean anything;
// a warning never stops a run nor changes its report.
//   Once the texts have converted: every input outside its sound range.
//   Once the channel is prepared: a feed that cannot melt completely (its
//   average melt temperature at the inlet below the melting point).
//   For a complete run: a pressure below zero along either channel (the
//   channel cannot run full), and a negative power.
std::vector<RunWarning> RunWarnings(const RunResult& run);

// Where the run used the viscosity law outside the data it was fitted on: the
// melt temperature and the shear rates of the channel and the two barrier
// clearances, each against the range the case gives for it. Checked once the
// law has been evaluated (the run holds its channel block); the temperature
// only while the record's working temperature is the one the last pass's
// viscosities were evaluated at (complete, or stopped by the pressure test).
std::vector<RunWarning> ViscosityRangeWarnings(const RunResult& run, const FittedRanges& ranges);

// The run's warnings, one sentence each, in `system`; in technical metric
// they are the run's own `warnings` when written with its decimal separator.
std::vector<std::string> WarningTexts(const RunResult& run, UnitSystem system, char decimalSeparator);

}  // namespace vortane
