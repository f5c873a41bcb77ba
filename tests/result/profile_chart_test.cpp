// The chart of a run's profile along the channels: its axes and curves.
#include "result/profile_chart.h"

#include <gtest/gtest.h>

#include "run/calculation_run.h"
#include "support/case_request.h"
#include "support/chart_labels.h"

namespace vortane {
namespace {

using testing::Labels;

TEST(ProfileChart, ProfilePutsTheFlowFractionOnTheSecondAxis) {
    const CaseData d = RunCalculation(testing::UnreportedRequest()).data;
    const Chart chart = ProfileChart(ProfileAlongChannels(d, 100));
    EXPECT_EQ(chart.title, "Pressures and flow along the channels");
    EXPECT_EQ(AxisTitle(chart.x), "Relative position along the channels z (-)");
    ASSERT_EQ(chart.panels.size(), 1u);
    const ChartPanel& panel = chart.panels[0];
    EXPECT_EQ(AxisTitle(panel.y), "Pressure (kgf/cm2)");
    EXPECT_EQ(AxisTitle(panel.y2), "Inlet flow fraction y (-)");
    EXPECT_EQ(Labels(panel), (std::vector<std::string>{"Inlet channel pressure p1", "Outlet channel pressure p2",
                                                        "Inlet flow fraction y"}));
    EXPECT_FALSE(panel.series[0].rightAxis);
    EXPECT_TRUE(panel.series[2].rightAxis);
    EXPECT_EQ(panel.series[0].y.front(), 200);  // the inlet pressure at z = 0
    EXPECT_EQ(panel.series[2].y.front(), 1);    // all the flow in the inlet channel
    EXPECT_EQ(panel.series[2].x.size(), 101u);
}


}  // namespace
}  // namespace vortane
