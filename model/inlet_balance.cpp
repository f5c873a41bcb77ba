#include "model/inlet_balance.h"

#include "model/arithmetic.h"
#include "model/viscosity.h"

namespace vortane {

void ComputeInletBalance(CaseData& data) {
    const Real Tm = data.MeltingPoint;
    const Real x = data.SolidRatio;
    const Real meltHeat = (Real{data.InletMeltTemp} - Tm) * data.MeltSpecificHeat * (1 - x);
    const Real solidHeat =
        x * ((Tm - data.InletSolidTemp) * data.SolidSpecificHeat + data.HeatOfFusion);
    Store(data.InletAverageMeltTemp, Tm + Over(meltHeat - solidHeat, data.MeltSpecificHeat));
    data.WorkingTemp = data.InletAverageMeltTemp;
    Store(data.MassFlowRate, Real{data.OutputRate} / 3.6_r);
}

double SurfaceShearRate(const CaseData& data, double gap) {
    return Stored(Over(Pi * data.BarrelDiameter * data.ScrewSpeed, 60 * Real{gap}));
}

double MeltViscosity(const CaseData& data, double shearRate) {
    return Viscosity(data.A0, data.A1, data.A11, data.A2, data.A22, data.A12, shearRate,
                     data.WorkingTemp);
}

void ComputeChannelFlow(CaseData& data) {
    Store(data.ChannelVolumeFlow,
          Over(data.MassFlowRate, static_cast<Real>(data.EffectiveChannelCount) * data.MeltDensity));
    data.ChannelShearRate = SurfaceShearRate(data, data.ChannelDepth);
    data.ChannelViscosity = MeltViscosity(data, data.ChannelShearRate);
    data.Barrier1ShearRate = SurfaceShearRate(data, data.BarrierClearance1);
    data.Barrier1Viscosity = MeltViscosity(data, data.Barrier1ShearRate);
    data.Barrier2ShearRate = SurfaceShearRate(data, data.BarrierClearance2);
    data.Barrier2Viscosity = MeltViscosity(data, data.Barrier2ShearRate);
}

}  // namespace vortane
