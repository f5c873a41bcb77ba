#pragma once

#include "case/case_data.h"
#include "case/messages.h"

namespace vortane {

// The channel stage of a run: angle, width, cross-section and shape factors,
// then the inlet energy balance, first working temperature and mass flow. It
// runs to the end whatever WidthOk and SectionOk say; the run tests both after.
void PrepareChannel(CaseData& data, Messages& messages);

}  // namespace vortane
