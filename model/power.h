#pragma once

#include "case/case_data.h"

namespace vortane {

// Mechanical power dissipated in the whole mixing section in one pass, gf.cm/s:
// drag flow in an inlet and an outlet channel, the drag flow against the
// pressure gradients along both (midpoint rule, ten slices) and the shear in
// both barrier clearances, each times InletChannelCount. Recomputes the
// channel and barrier viscosities at WorkingTemp.
double ComputePower(CaseData& data);

// The contributions for one channel or one flight, gf.cm/s, and the slice
// length along the channel, cm, as ComputePower sums them.
struct PowerParts {
    double channelDrag;     // drag flow in one channel
    double sliceLength;     // a tenth of the channel length along the channel
    double inletPressure;   // drag flow against the gradient, inlet channel
    double outletPressure;  // the same, outlet channel
    double barrier1;        // shear over one barrier flight of kind 1
    double barrier2;        // shear over one barrier flight of kind 2
};
PowerParts ComputePowerParts(CaseData& data);

}  // namespace vortane
