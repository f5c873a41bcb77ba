#include "model/inlet_balance.h"

#include <gtest/gtest.h>

#include "model/arithmetic.h"
#include "support/case_request.h"
#include "support/significant.h"

namespace vortane {
namespace {

using testing::PreparedCase;

// Reference values: the worked example of the inlet energy balance (six digits).
TEST(InletBalance, DefaultFeedAndFirstPassFlow) {
    CaseData d = PreparedCase();
    EXPECT_SIGNIFICANT(d.InletAverageMeltTemp, 156.548, 6);
    EXPECT_SIGNIFICANT(d.InletAverageMeltTemp, 156.547742, 9);
    EXPECT_EQ(d.WorkingTemp, d.InletAverageMeltTemp);
    EXPECT_SIGNIFICANT(d.MassFlowRate, 74.1667, 6);

    ComputeChannelFlow(d);
    EXPECT_SIGNIFICANT(d.ChannelVolumeFlow, 19.2641, 6);
    EXPECT_SIGNIFICANT(d.ChannelVolumeFlow, 19.26406926, 10);
    EXPECT_SIGNIFICANT(d.ChannelShearRate, 77.2224, 6);
    EXPECT_SIGNIFICANT(d.Barrier1ShearRate, 920.728, 6);
    EXPECT_SIGNIFICANT(d.Barrier2ShearRate, 4352.53, 6);
    EXPECT_SIGNIFICANT(d.ChannelViscosity, 8.365038051, 10);
    EXPECT_SIGNIFICANT(d.Barrier1Viscosity, 1.663007491, 10);
    EXPECT_SIGNIFICANT(d.Barrier2Viscosity, 0.5471521443, 10);
}

TEST(InletBalance, AllMeltEntersAtItsOwnTemperature) {
    const CaseData d = PreparedCase({{"SolidRatio", "0"}, {"InletSolidTemp", "-40"}});
    EXPECT_NEAR(d.InletAverageMeltTemp, 170.0, 1e-12);
}

TEST(InletBalance, AllSolidLandsBelowTheMeltingPoint) {
    const CaseData d = PreparedCase({{"SolidRatio", "1"}});
    // Tm − (cps (Tm − Ts) + Hf) / cpm, worked out.
    EXPECT_NEAR(d.InletAverageMeltTemp, 110.6 - (0.66 * (110.6 - 87.0) + 31.0) / 0.62, 1e-12);
    EXPECT_LT(d.InletAverageMeltTemp, d.MeltingPoint);
}

TEST(InletBalance, ChokedChannelsCarryMoreEach) {
    CaseData all = PreparedCase();
    CaseData choked = PreparedCase({{"EffectiveChannelCount", "4"}});
    ComputeChannelFlow(all);
    ComputeChannelFlow(choked);
    EXPECT_NEAR(choked.ChannelVolumeFlow, all.ChannelVolumeFlow * 5 / 4, 1e-12);
}

TEST(InletBalance, NarrowerClearanceShearsFasterAndThinsTheMelt) {
    CaseData d = PreparedCase();
    ComputeChannelFlow(d);
    EXPECT_NEAR(d.Barrier2ShearRate / d.Barrier1ShearRate, 0.052 / 0.011, 1e-12);
    EXPECT_LT(d.Barrier2Viscosity, d.Barrier1Viscosity);
}

}  // namespace
}  // namespace vortane
