#include "model/power.h"

#include <gtest/gtest.h>

#include "model/inlet_balance.h"
#include "model/pressure_profile.h"
#include "support/case_request.h"
#include "support/significant.h"

namespace vortane {
namespace {

using testing::PreparedCase;

// The first pass up to its power: flow, viscosities and pressure profile.
CaseData BeforePower(const std::map<std::string, std::string>& overrides = {}) {
    CaseData d = PreparedCase(overrides);
    ComputeChannelFlow(d);
    Messages sink;
    SolvePressureProfile(d, sink);
    EXPECT_TRUE(d.PressureOk);
    return d;
}

// Reference values: the power's worked example, defaults, first pass, seven
// significant digits.
TEST(Power, InclinedChannelsFirstPass) {
    CaseData d = BeforePower();
    const CaseData before = d;
    const PowerParts parts = ComputePowerParts(d);
    EXPECT_SIGNIFICANT(d.ChannelShearRate_P, 77.22237, 7);
    EXPECT_EQ(d.ChannelShearRate_P, d.ChannelShearRate);
    EXPECT_EQ(d.ChannelViscosity_P, d.ChannelViscosity);
    EXPECT_SIGNIFICANT(parts.channelDrag, 5.080370e6, 7);
    EXPECT_SIGNIFICANT(parts.sliceLength, 2.236197, 7);
    EXPECT_SIGNIFICANT(parts.inletPressure, -156953.1, 7);
    EXPECT_SIGNIFICANT(parts.outletPressure, -156953.1, 7);
    EXPECT_SIGNIFICANT(parts.barrier1, 2.081969e6, 7);
    EXPECT_SIGNIFICANT(parts.barrier2, 1.274868e6, 7);
    EXPECT_SIGNIFICANT(InletFlowFraction(d, 0.05), 0.944381, 6);
    EXPECT_SIGNIFICANT(InletFlowFraction(d, 0.95), 0.055619, 5);

    EXPECT_SIGNIFICANT(ComputePower(d), 6.601835e7, 7);
    // The barrier quantities are recomputed to the same values.
    EXPECT_EQ(d.Barrier1ShearRate, before.Barrier1ShearRate);
    EXPECT_EQ(d.Barrier1Viscosity, before.Barrier1Viscosity);
    EXPECT_EQ(d.Barrier2ShearRate, before.Barrier2ShearRate);
    EXPECT_EQ(d.Barrier2Viscosity, before.Barrier2Viscosity);
}

TEST(Power, AxialChannelsHaveNoPressureTerms) {
    CaseData d = BeforePower({{"ChannelAngle", "0"}});
    const PowerParts parts = ComputePowerParts(d);
    EXPECT_SIGNIFICANT(parts.sliceLength, 2.16, 7);
    EXPECT_SIGNIFICANT(parts.channelDrag, 5.493795e6, 7);
    EXPECT_NEAR(parts.inletPressure, 0, 1e-9);
    EXPECT_NEAR(parts.outletPressure, 0, 1e-9);
    EXPECT_SIGNIFICANT(parts.barrier1, 2.011028e6, 7);
    EXPECT_SIGNIFICANT(parts.barrier2, 1.231428e6, 7);
    EXPECT_SIGNIFICANT(ComputePower(d), 7.115022e7, 7);
}

TEST(Power, InletAndOutletSumsAgreeToRounding) {
    CaseData d = BeforePower({{"ChannelAngle", "25"}});
    const PowerParts parts = ComputePowerParts(d);
    EXPECT_NEAR(parts.inletPressure, parts.outletPressure, 1e-9 * std::fabs(parts.inletPressure));
}

TEST(Power, DoesNotDependOnTheInletPressure) {
    CaseData low = BeforePower({{"InletPressure", "22"}});
    CaseData high = BeforePower();
    EXPECT_NEAR(ComputePower(low), ComputePower(high), 1e-9 * ComputePower(high));
}

TEST(Power, ScalesWithTheChannelCountAtFixedGeometry) {
    CaseData five = BeforePower();
    CaseData ten = five;
    ten.InletChannelCount = 10;
    EXPECT_NEAR(ComputePower(ten), 2 * ComputePower(five), 1e-9 * ComputePower(five));
}

}  // namespace
}  // namespace vortane
