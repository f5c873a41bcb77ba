#include "model/temperature_iteration.h"

#include <cmath>

#include "model/arithmetic.h"
#include "model/inlet_balance.h"
#include "model/power.h"
#include "model/pressure_profile.h"

namespace vortane {

namespace {
constexpr Real Tolerance = 0.5;  // degC
}

void ApplyTemperatureRise(CaseData& d, double power) {
    Store(d.PowerCalPerSec, Real{power} * 2.34302_r / 100000);
    Store(d.PowerKW, 0.0041897_r * d.PowerCalPerSec);
    Store(d.TemperatureRise, Over(d.PowerCalPerSec, Real{d.MeltSpecificHeat} * d.MassFlowRate));
    Store(d.OutletAverageMeltTemp, Real{d.InletAverageMeltTemp} + d.TemperatureRise);
    Store(d.MeanMeltTemp, (Real{d.OutletAverageMeltTemp} + d.InletAverageMeltTemp) / 2);
    d.Converged = !(std::fabs(Finite(Real{d.MeanMeltTemp} - d.WorkingTemp)) > Tolerance);
    if (!d.Converged) d.WorkingTemp = d.MeanMeltTemp;
}

void SolvePressureAndTemperature(CaseData& data, Messages& messages) {
    ComputeChannelFlow(data);
    SolvePressureProfile(data, messages);
    if (!data.PressureOk) return;
    ApplyTemperatureRise(data, ComputePower(data));
}

}  // namespace vortane
