#pragma once

#include <string>
#include <vector>

#include "model/input_domain.h"
#include "run/calculation_run.h"

namespace vortane {

// What a run's inputs and results say about whether its numbers mean anything,
// one sentence each; a warning never stops a run nor changes its report.
//   Once the texts have converted: every input outside its sound range.
//   Once the channel is prepared: a feed that cannot melt completely (its
//   average melt temperature at the inlet below the melting point).
//   For a complete run: a pressure below zero along either channel (the
//   channel cannot run full), and a negative power.
std::vector<std::string> RunWarnings(const RunResult& run, char decimalSeparator);

// `ScrewSpeed = 0 is outside its sound range, above 0`.
std::string BreachText(const DomainBreach& breach, char decimalSeparator);

}  // namespace vortane
