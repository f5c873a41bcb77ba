#include "model/design_indicators.h"

#include <cmath>

#include "model/arithmetic.h"

namespace vortane {

namespace {
constexpr Real KilopascalPerGramForcePerCm2 = 0.0980665_r;
}

double BarrierShearStress(double viscosity, double shearRate) {
    return Stored(Real{viscosity} * shearRate * KilopascalPerGramForcePerCm2);
}

double SpecificEnergy(const CaseData& d) { return Stored(Over(d.PowerKW, d.OutputRate)); }

double MeanResidenceTime(const CaseData& d) {
    const Real meltVolume = Over(2 * static_cast<Real>(d.InletChannelCount) * d.SectionArea * d.ChannelLength,
                                 std::cos(Real{d.ChannelAngleRad}));
    const Real volumeFlow = Over(d.MassFlowRate, d.MeltDensity);
    return Stored(Over(meltVolume, volumeFlow));
}

DesignIndicators DesignIndicatorsOf(const CaseData& d) {
    const ChannelLeastPressures least = LeastPressuresAlongChannels(d);
    return {BarrierShearStress(d.Barrier1Viscosity, d.Barrier1ShearRate),
            BarrierShearStress(d.Barrier2Viscosity, d.Barrier2ShearRate),
            SpecificEnergy(d),
            MeanResidenceTime(d),
            least.inlet,
            least.outlet};
}

}  // namespace vortane
