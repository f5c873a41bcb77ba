#pragma once

#include "case/case_data.h"
#include "case/messages.h"

namespace vortane {

// Channel angle in radians (stored into the case) and width W of one channel
// normal to its direction, cm: W = (cos θ · π D / n − (e1 + e2)) / 2.
// Sets WidthOk (W > 0) and raises the width message otherwise.
double ComputeChannelWidth(CaseData& data, Messages& messages);

// Cross-section of one channel of width W, depth H and bottom corner radius R
// (cm). On success stores the area (cm2) and the width of the rectangle of the
// same depth and area (cm) and returns true; otherwise raises its message and
// leaves both untouched.
bool ComputeChannelSection(double width, double depth, double cornerRadius, double& area,
                           double& equivalentWidth, Messages& messages);

// Drag- and pressure-flow shape factors of a rectangular channel of depth H and
// width W (dimensionless, tending to 1 for a wide shallow channel).
double DragShapeFactor(double depth, double equivalentWidth);
double PressureShapeFactor(double depth, double equivalentWidth);

}  // namespace vortane
