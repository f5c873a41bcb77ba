#pragma once

#include "run/case_data.h"

namespace vortane {

// Mechanical power dissipated in the whole mixing section in one pass, gf.cm/s:
// drag flow in an inlet and an outlet channel, the drag flow against the
// pressure gradients along both (midpoint rule, ten slices) and the shear in
// both barrier clearances, each times InletChannelCount. Recomputes the
// channel and barrier viscosities at WorkingTemp.
double ComputePower(CaseData& data);

}  // namespace vortane
