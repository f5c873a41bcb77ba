#include "model/pressure_profile.h"

#include <gtest/gtest.h>

#include <cmath>

#include "model/inlet_balance.h"
#include "support/case_request.h"
#include "support/significant.h"

namespace vortane {
namespace {

using testing::PreparedCase;

struct Pass {
    CaseData data;
    std::vector<std::string> messages;
};

// The pressure step of the first pass, at the inlet average melt temperature.
Pass FirstPassProfile(const std::map<std::string, std::string>& overrides = {}) {
    Pass pass{PreparedCase(overrides), {}};
    ComputeChannelFlow(pass.data);
    Messages sink;
    SolvePressureProfile(pass.data, sink);
    pass.messages = sink;
    return pass;
}

// Reference values: the pressure profile's worked example, 15 degrees (general
// branch), seven digits.
TEST(PressureProfile, InclinedChannelsFirstPass) {
    const auto [d, messages] = FirstPassProfile();
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(d.PressureOk);
    EXPECT_SIGNIFICANT(d.BarrierDragRatio, 1.100511, 7);
    EXPECT_SIGNIFICANT(d.InletPressureFlowRatio, 1.700500, 7);
    EXPECT_EQ(d.OutletPressureFlowRatio, d.InletPressureFlowRatio);
    EXPECT_SIGNIFICANT(d.BarrierPressureFlowRatio, 1.382147, 7);
    EXPECT_SIGNIFICANT(d.InletDragFlowRatio, 0.3203373, 7);
    EXPECT_EQ(d.OutletDragFlowRatio, d.InletDragFlowRatio);
    EXPECT_SIGNIFICANT(d.ProfileK, 1.625577, 7);
    EXPECT_SIGNIFICANT(d.ProfileForcing, 0.8127883, 7);
    EXPECT_SIGNIFICANT(d.ProfileCoefA, -0.1939011, 7);
    EXPECT_SIGNIFICANT(d.ProfileCoefB, 0.6939011, 7);
    EXPECT_NEAR(d.ProfileOffset, 0.5, 1e-15);
    EXPECT_SIGNIFICANT(d.RelPressureInletEnd, 0.8943471, 7);
    EXPECT_SIGNIFICANT(d.RelPressureOutletStart, 0.9772672, 7);
    EXPECT_SIGNIFICANT(d.RelPressureOutletEnd, 0.8716144, 7);
    EXPECT_SIGNIFICANT(d.TotalPressureDrop, 25.67712, 7);
}

// The same worked example at 0 degrees (axial branch).
TEST(PressureProfile, AxialChannelsFirstPass) {
    const auto [d, messages] = FirstPassProfile({{"ChannelAngle", "0"}});
    EXPECT_TRUE(d.PressureOk);
    EXPECT_SIGNIFICANT(d.BarrierDragRatio, 1.100511, 7);
    EXPECT_SIGNIFICANT(d.InletPressureFlowRatio, 1.900339, 7);
    EXPECT_SIGNIFICANT(d.BarrierPressureFlowRatio, 1.335051, 7);
    EXPECT_EQ(d.InletDragFlowRatio, 0.0);
    EXPECT_EQ(d.OutletDragFlowRatio, 0.0);
    EXPECT_SIGNIFICANT(d.ProfileK, 1.405067, 7);
    EXPECT_SIGNIFICANT(d.ProfileForcing, 0.7025334, 7);
    EXPECT_SIGNIFICANT(d.ProfileCoefA, -0.2200851, 7);
    EXPECT_SIGNIFICANT(d.ProfileCoefB, 0.7200851, 7);
    EXPECT_EQ(d.ProfileOffset, 0.5);
    EXPECT_SIGNIFICANT(d.RelPressureInletEnd, 0.7368890, 7);
    EXPECT_SIGNIFICANT(d.RelPressureOutletStart, 0.9895701, 7);
    EXPECT_SIGNIFICANT(d.RelPressureOutletEnd, 0.7264591, 7);
    EXPECT_SIGNIFICANT(d.TotalPressureDrop, 54.70819, 7);
}

TEST(PressureProfile, HalfDegreeIsTheLastAxialAngle) {
    const Pass axial = FirstPassProfile({{"ChannelAngle", "0.5"}});
    EXPECT_EQ(axial.data.InletDragFlowRatio, 0.0);
    EXPECT_SIGNIFICANT(axial.data.TotalPressureDrop, 54.71389, 7);

    const Pass inclined = FirstPassProfile({{"ChannelAngle", "0.50001"}});
    EXPECT_SIGNIFICANT(inclined.data.InletDragFlowRatio, 0.01163866, 7);
    EXPECT_SIGNIFICANT(inclined.data.TotalPressureDrop, 53.49204, 7);

    EXPECT_EQ(FirstPassProfile({{"ChannelAngle", "-5"}}).data.InletDragFlowRatio, 0.0);
}

TEST(PressureProfile, LowInletPressureStopsThePass) {
    const auto [d, messages] = FirstPassProfile({{"InletPressure", "21"}});
    EXPECT_FALSE(d.PressureOk);
    EXPECT_SIGNIFICANT(d.RelPressureInletEnd, -0.006218, 4);
    EXPECT_EQ(messages, std::vector<std::string>{"Assumed inlet pressure is too low!"});
    // The outlet pressures and the drop are not reached.
    EXPECT_EQ(d.RelPressureOutletStart, 0.0);
    EXPECT_EQ(d.TotalPressureDrop, 0.0);
}

TEST(PressureProfile, DropDoesNotDependOnTheInletPressure) {
    const Pass barely = FirstPassProfile({{"InletPressure", "22"}});
    EXPECT_TRUE(barely.messages.empty());
    EXPECT_SIGNIFICANT(barely.data.RelPressureInletEnd, 0.03952, 4);
    EXPECT_SIGNIFICANT(barely.data.RelPressureOutletEnd, -0.1671, 4);
    EXPECT_SIGNIFICANT(barely.data.TotalPressureDrop, 25.67712, 7);

    const Pass negative = FirstPassProfile({{"InletPressure", "-200"}});
    EXPECT_TRUE(negative.data.PressureOk);
    EXPECT_SIGNIFICANT(negative.data.RelPressureInletEnd, 1.105653, 7);
    EXPECT_SIGNIFICANT(negative.data.RelPressureOutletEnd, 1.128386, 7);
    EXPECT_SIGNIFICANT(negative.data.TotalPressureDrop, 25.67712, 7);

    EXPECT_SIGNIFICANT(FirstPassProfile({{"InletPressure", "400"}}).data.TotalPressureDrop,
                       25.67712, 7);
}

TEST(PressureProfile, ClearancesSetTheLeakage) {
    const Pass equal = FirstPassProfile({{"BarrierClearance1", "0.03"}, {"BarrierClearance2", "0.03"}});
    EXPECT_EQ(equal.data.BarrierDragRatio, 0.0);

    const Pass narrow =
        FirstPassProfile({{"BarrierClearance1", "0.005"}, {"BarrierClearance2", "0.005"}});
    EXPECT_TRUE(narrow.messages.empty());
    EXPECT_SIGNIFICANT(narrow.data.RelPressureInletEnd, 0.8943471, 7);
    EXPECT_SIGNIFICANT(narrow.data.RelPressureOutletStart, -43.93, 4);
    EXPECT_SIGNIFICANT(narrow.data.RelPressureOutletEnd, -44.04, 4);
    EXPECT_SIGNIFICANT(narrow.data.TotalPressureDrop, 9008, 4);

    const Pass wide = FirstPassProfile({{"BarrierClearance1", "1.0"}});
    EXPECT_SIGNIFICANT(wide.data.ProfileK, 1604, 4);
    EXPECT_NEAR(std::sqrt(wide.data.ProfileK), 40, 0.5);
    EXPECT_TRUE(std::isfinite(wide.data.TotalPressureDrop));
    EXPECT_TRUE(std::isfinite(wide.data.ProfileCoefA));
}

TEST(PressureProfile, MeetsItsBoundaryValuesAndIsSymmetric) {
    for (const char* angle : {"15", "0"}) {
        const CaseData d = FirstPassProfile({{"ChannelAngle", angle}}).data;
        const double s = std::sqrt(d.ProfileK);
        EXPECT_NEAR(d.ProfileCoefA + d.ProfileCoefB + d.ProfileOffset, 1, 1e-14) << angle;
        EXPECT_NEAR(d.ProfileCoefA * std::exp(s) + d.ProfileCoefB * std::exp(-s) + d.ProfileOffset,
                    0, 1e-14)
            << angle;
        EXPECT_DOUBLE_EQ(InletFlowFraction(d, 0), 1.0);
        EXPECT_NEAR(InletFlowFraction(d, 1), 0, 1e-14);
        for (double z : {0.05, 0.3, 0.5, 0.85})
            EXPECT_NEAR(InletFlowFraction(d, z), 1 - InletFlowFraction(d, 1 - z), 1e-14) << z;
        // p1(1) = 1 − (0.5 − InletDragFlowRatio) / InletPressureFlowRatio.
        EXPECT_NEAR(d.RelPressureInletEnd,
                    1 - (0.5 - d.InletDragFlowRatio) / d.InletPressureFlowRatio, 1e-14);
    }
}

// An inlet channel end at exactly zero relative pressure fails: the axial
// branch with a pressure flow ratio of exactly 0.5 (750 / (12 · 125)).
TEST(PressureProfile, ZeroPressureAtTheInletEndFails) {
    CaseData d;
    d.EquivalentWidth = 1;
    d.ChannelDepth = 1;
    d.InletPressure = 0.75;
    d.PressureShapeFactor = 1;
    d.ChannelViscosity = 125;
    d.ChannelVolumeFlow = 1;
    d.ChannelLength = 1;
    d.ScrewSpeed = 60;
    d.BarrelDiameter = 1;
    d.BarrierClearance1 = d.BarrierClearance2 = 0.1;
    d.BarrierWidth1 = d.BarrierWidth2 = 1;
    d.Barrier1Viscosity = d.Barrier2Viscosity = 1;
    Messages sink;
    SolvePressureProfile(d, sink);
    EXPECT_EQ(d.InletPressureFlowRatio, 0.5);
    EXPECT_EQ(d.RelPressureInletEnd, 0.0);
    EXPECT_FALSE(d.PressureOk);
    EXPECT_EQ(sink, std::vector<std::string>{"Assumed inlet pressure is too low!"});
}

}  // namespace
}  // namespace vortane
