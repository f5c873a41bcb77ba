#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "case/case_data.h"
#include "case/input_fields.h"

namespace vortane {

// One line that says why a run stopped, beyond the stage's own message.

// `Edit7 BarrierClearance1 ("Barrier Clearance - 1 (cm)"): "0.0x5" is not a
// real number`.
std::string RejectedBoxDetail(const InputField& field, std::string_view text);

// `cannot open /full/path/result.txt: Permission denied`.
std::string FileDetail(const std::string& resultFileName, const std::string& reason);

// The inlet channel's pressure loss in the current pass, kgf/cm2:
// InletPressure · (1 − RelPressureInletEnd). The pressure flow ratios are
// proportional to InletPressure and nothing else of a pass depends on it, so
// the loss is P0 · (loss term) / InletPressureFlowRatio whatever P0 is: the
// inlet pressure test of the pass, RelPressureInletEnd > 0, holds exactly when
// InletPressure exceeds the loss.
double InletChannelLoss(const CaseData& data);

// The least InletPressure above which every pass of the case passes the test:
// the largest loss over its passes. The working temperatures do not depend on
// InletPressure either, so after a pass that failed (it leaves the record as
// it was) the passes go on at twice the largest loss met, repeating a pass
// that fails again, until the iteration converges or reaches its limit.
// `data` is the record after the failed pass, `largestLoss` the largest loss of
// the passes made. Empty when the loss is not positive or the passes fault.
std::optional<double> LeastPassingInletPressure(CaseData data, double largestLoss, int passes);

// `the inlet pressure test passes in every pass above InletPressure =
// 21.13069 kgf/cm2`.
std::string InletPressureDetail(double leastPassing, char decimalSeparator);

// `the working temperature alternates between 169.57 ℃ and 581.36 ℃`.
std::string AlternationDetail(double workingTemp, double nextWorkingTemp, char decimalSeparator);

}  // namespace vortane
