#include "model/profile_along_channels.h"

#include <gtest/gtest.h>

#include <cmath>

#include "model/pressure_profile.h"
#include "run/calculation_run.h"
#include "support/case_request.h"

namespace vortane {
namespace {

// The last pass of a complete run, with its report kept nowhere.
CaseData CompletedCase(const std::map<std::string, std::string>& texts = {}) {
    const RunResult result = RunCalculation(testing::UnreportedRequest(texts));
    EXPECT_EQ(result.outcome, RunOutcome::Complete);
    return result.data;
}

// Tolerance of a closed form evaluated twice in different ways: a few units in
// the last place of a double of the value's size.
double Rounding(double value) { return 1e-13 * std::max(1.0, std::fabs(value)); }

// Cases of both branches, converged after several passes, and with the
// outlet pressures far below the inlet ones.
const std::map<std::string, std::string> Cases[] = {
    {},
    {{"ChannelAngle", "0"}},
    {{"OutputRate", "30"}},
    {{"BarrierClearance1", "0.005"}, {"BarrierClearance2", "0.005"}},
    {{"BarrierClearance1", "1.0"}},
    {{"ChannelAngle", "25"}, {"InletPressure", "-200"}},
};

TEST(ProfileAlongChannels, MeetsTheReportedPressuresAtBothEnds) {
    for (const auto& texts : Cases) {
        const CaseData d = CompletedCase(texts);
        SCOPED_TRACE(::testing::Message() << "RelPressureInletEnd " << d.RelPressureInletEnd);
        const ChannelPoint start = ChannelPointAt(d, 0);
        EXPECT_EQ(start.relPressureInlet, 1.0);
        EXPECT_EQ(start.relPressureOutlet, d.RelPressureOutletStart);
        EXPECT_EQ(start.pressureInlet, d.InletPressure);
        EXPECT_NEAR(start.inletFraction, 1, 1e-14);
        EXPECT_NEAR(start.outletFraction, 0, 1e-14);

        const ChannelPoint end = ChannelPointAt(d, 1);
        EXPECT_NEAR(end.relPressureInlet, d.RelPressureInletEnd, Rounding(d.RelPressureInletEnd));
        EXPECT_NEAR(end.relPressureOutlet, d.RelPressureOutletEnd,
                    Rounding(d.RelPressureOutletEnd));
        EXPECT_NEAR(end.pressureOutlet, d.RelPressureOutletEnd * d.InletPressure,
                    Rounding(d.InletPressure));
        EXPECT_NEAR(end.inletFraction, 0, 1e-14);
        // The profile is symmetric: half of the flow-fraction area lies on each
        // side.
        EXPECT_NEAR(InletFlowIntegral(d, 1), 0.5, 1e-14);
    }
}

// The profile obeys the three relations of the pressure step, checked by
// central differences at inner points.
TEST(ProfileAlongChannels, SatisfiesTheChannelAndLeakageRelations) {
    const double h = 1e-5;
    for (const auto& texts : Cases) {
        const CaseData d = CompletedCase(texts);
        for (const double z : {0.1, 0.35, 0.5, 0.8}) {
            SCOPED_TRACE(z);
            const ChannelPoint before = ChannelPointAt(d, z - h);
            const ChannelPoint at = ChannelPointAt(d, z);
            const ChannelPoint after = ChannelPointAt(d, z + h);
            const double dp1 = (after.relPressureInlet - before.relPressureInlet) / (2 * h);
            const double dp2 = (after.relPressureOutlet - before.relPressureOutlet) / (2 * h);
            const double dy = (after.inletFraction - before.inletFraction) / (2 * h);
            const double tolerance = 1e-6 * std::max(1.0, std::fabs(d.RelPressureOutletEnd));
            EXPECT_NEAR(at.inletFraction, d.InletDragFlowRatio - d.InletPressureFlowRatio * dp1,
                        tolerance);
            EXPECT_NEAR(at.outletFraction, d.OutletDragFlowRatio - d.OutletPressureFlowRatio * dp2,
                        tolerance);
            EXPECT_NEAR(-dy,
                        d.BarrierDragRatio + d.BarrierPressureFlowRatio *
                                                 (at.relPressureInlet - at.relPressureOutlet),
                        tolerance);
        }
    }
}

TEST(ProfileAlongChannels, HundredStepsFromStartToEnd) {
    const CaseData d = CompletedCase();
    const std::vector<ChannelPoint> points = ProfileAlongChannels(d, 100);
    ASSERT_EQ(points.size(), 101u);
    EXPECT_EQ(points.front().z, 0.0);
    EXPECT_EQ(points[37].z, 0.37);
    EXPECT_EQ(points.back().z, 1.0);
    for (const ChannelPoint& point : points) {
        EXPECT_EQ(point.inletFraction, InletFlowFraction(d, point.z));
        EXPECT_EQ(point.pressureInlet, point.relPressureInlet * d.InletPressure);
    }
    // Reference: the temperature iteration's worked example, default case,
    // seven digits: RelPressureInletEnd 0.9084478, RelPressureOutletEnd
    // 0.8915329, at 200 kgf/cm2.
    EXPECT_NEAR(points.back().pressureInlet, 0.9084478 * 200, 1e-4);
    EXPECT_NEAR(points.back().pressureOutlet, 0.8915329 * 200, 1e-4);
}

}  // namespace
}  // namespace vortane
