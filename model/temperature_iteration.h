#pragma once

#include "case/case_data.h"
#include "case/messages.h"

namespace vortane {

// One pass of the iteration on the melt temperature: flow and viscosities at
// WorkingTemp, pressure profile, power, and the temperature rise it causes.
// Converged when the mean melt temperature lies within 0.5 degC of WorkingTemp;
// otherwise the mean becomes the next WorkingTemp. A pass that fails the inlet
// pressure test ends after the profile, leaving PressureOk false.
void SolvePressureAndTemperature(CaseData& data, Messages& messages);

// Power (gf.cm/s) turned into heat in the melt: PowerCalPerSec, PowerKW, the
// temperature rise, the outlet and mean melt temperatures, and the convergence
// test that moves WorkingTemp.
void ApplyTemperatureRise(CaseData& data, double power);

}  // namespace vortane
