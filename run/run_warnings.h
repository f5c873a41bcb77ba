#pragma once

#include <string>
#include <vector>

#include "case/warning_kind.h"
#include "model/input_domain.h"
#include "run/calculation_run.h"

namespace vortane {

// A warning's kind and its sentence.
struct RunWarning {
    WarningKind kind;
    std::string text;
};

// What a run's inputs and results say about whether its numbers mean anything,
// one sentence each; a warning never stops a run nor changes its report.
//   Once the texts have converted: every input outside its sound range.
//   Once the channel is prepared: a feed that cannot melt completely (its
//   average melt temperature at the inlet below the melting point).
//   For a complete run: a pressure below zero along either channel (the
//   channel cannot run full), and a negative power.
std::vector<RunWarning> RunWarnings(const RunResult& run, char decimalSeparator);

// Where the run used the viscosity law outside the data it was fitted on: the
// melt temperature and the shear rates of the channel and the two barrier
// clearances, each against the range the case gives for it. Checked once the
// law has been evaluated (the run holds its channel block); the temperature
// only while the record's working temperature is the one the last pass's
// viscosities were evaluated at (complete, or stopped by the pressure test).
std::vector<RunWarning> ViscosityRangeWarnings(const RunResult& run, const FittedRanges& ranges,
                                                char decimalSeparator);

// `ScrewSpeed = 0 is outside its sound range, above 0`.
std::string BreachText(const DomainBreach& breach, char decimalSeparator);

}  // namespace vortane
