#include "model/input_domain.h"

#include <cmath>

#include "case/units.h"

namespace vortane {

namespace {

constexpr double RightAngle = 90;        // deg

class Breaches {
public:
    void AtLeastZero(std::string_view field, double value) {
        if (value < 0) found_.push_back({field, value, "0 or more", {}, 0});
    }
    void AboveZero(std::string_view field, double value) {
        if (!(value > 0)) found_.push_back({field, value, "above 0", {}, 0});
    }
    void AtLeastOne(std::string_view field, double value) {
        if (value < 1) found_.push_back({field, value, "1 or more", {}, 0});
    }
    void AboveAbsoluteZero(std::string_view field, double value) {
        if (value < AbsoluteZero)
            found_.push_back({field, value, AbsoluteZeroRange, {}, 0});
    }
    void Below(std::string_view field, double value, std::string_view limitField, double limit) {
        if (!(value < limit)) found_.push_back({field, value, "below", limitField, limit});
    }
    void AtMost(std::string_view field, double value, std::string_view limitField, double limit) {
        if (value > limit) found_.push_back({field, value, "at most", limitField, limit});
    }
    void AtLeast(std::string_view field, double value, std::string_view limitField, double limit) {
        if (value < limit) found_.push_back({field, value, "at least", limitField, limit});
    }
    void Within(std::string_view field, double value, double low, double high,
                std::string_view range) {
        if (value < low || value > high) found_.push_back({field, value, range, {}, 0});
    }
    void Across(std::string_view field, double value, double bound, std::string_view range) {
        if (!(std::fabs(value) < bound)) found_.push_back({field, value, range, {}, 0});
    }

    std::vector<DomainBreach> Found() && { return std::move(found_); }

private:
    std::vector<DomainBreach> found_;
};

}  // namespace

std::vector<DomainBreach> InputDomainBreaches(const CaseData& d) {
    Breaches b;
    b.AboveZero("BarrelDiameter", d.BarrelDiameter);
    b.AboveZero("ScrewSpeed", d.ScrewSpeed);
    b.AboveZero("OutputRate", d.OutputRate);
    b.AboveZero("ChannelLength", d.ChannelLength);
    b.AboveZero("BarrierWidth1", d.BarrierWidth1);
    b.AboveZero("BarrierWidth2", d.BarrierWidth2);
    b.AboveZero("BarrierClearance1", d.BarrierClearance1);
    b.Below("BarrierClearance1", d.BarrierClearance1, "ChannelDepth", d.ChannelDepth);
    b.AboveZero("BarrierClearance2", d.BarrierClearance2);
    b.Below("BarrierClearance2", d.BarrierClearance2, "ChannelDepth", d.ChannelDepth);
    b.AboveZero("ChannelDepth", d.ChannelDepth);
    b.AtLeastZero("CornerRadius", d.CornerRadius);
    b.Across("ChannelAngle", d.ChannelAngle, RightAngle, "above -90 and below 90");
    b.AtLeastOne("InletChannelCount", d.InletChannelCount);
    b.AtLeastOne("EffectiveChannelCount", d.EffectiveChannelCount);
    b.AtMost("EffectiveChannelCount", d.EffectiveChannelCount, "InletChannelCount",
             d.InletChannelCount);
    b.AboveAbsoluteZero("InletMeltTemp", d.InletMeltTemp);
    b.AtLeast("InletMeltTemp", d.InletMeltTemp, "MeltingPoint", d.MeltingPoint);
    b.AboveAbsoluteZero("InletSolidTemp", d.InletSolidTemp);
    b.AtMost("InletSolidTemp", d.InletSolidTemp, "MeltingPoint", d.MeltingPoint);
    b.Within("SolidRatio", d.SolidRatio, 0, 1, "0 to 1");
    b.AboveZero("InletPressure", d.InletPressure);
    b.AboveAbsoluteZero("MeltingPoint", d.MeltingPoint);
    b.AboveZero("MeltDensity", d.MeltDensity);
    b.AtLeastZero("SolidSpecificHeat", d.SolidSpecificHeat);
    b.AtLeastZero("HeatOfFusion", d.HeatOfFusion);
    b.AboveZero("MeltSpecificHeat", d.MeltSpecificHeat);
    return std::move(b).Found();
}

}  // namespace vortane
