#include "model/channel_geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "model/prepare_channel.h"
#include "support/case_request.h"
#include "support/significant.h"

namespace vortane {
namespace {

using testing::DefaultInputs;

struct PreparedChannel {
    CaseData data;
    std::vector<std::string> messages;
};

PreparedChannel Prepare(const std::map<std::string, std::string>& overrides) {
    PreparedChannel result{DefaultInputs(overrides), {}};
    Messages sink;
    PrepareChannel(result.data, sink);
    result.messages = sink;
    return result;
}

// Reference values: the worked examples of the channel geometry, six digits.
TEST(ChannelGeometry, DefaultChannelWithArcCorners) {
    const auto [d, messages] = Prepare({});
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(d.WidthOk);
    EXPECT_TRUE(d.SectionOk);
    EXPECT_SIGNIFICANT(d.ChannelAngleRad, 0.261799, 6);
    EXPECT_SIGNIFICANT(d.ChannelWidth, 2.58349, 6);
    EXPECT_SIGNIFICANT(d.SectionArea, 1.19883, 6);
    EXPECT_SIGNIFICANT(d.EquivalentWidth, 1.93360, 6);
    EXPECT_SIGNIFICANT(d.DragShapeFactor, 0.830801, 6);
    EXPECT_SIGNIFICANT(d.PressureShapeFactor, 0.797835, 6);
    // Ten digits, as the pressure profile's worked example quotes them.
    EXPECT_SIGNIFICANT(d.EquivalentWidth, 1.933596172, 10);
    EXPECT_SIGNIFICANT(d.DragShapeFactor, 0.8308009111, 10);
    EXPECT_SIGNIFICANT(d.PressureShapeFactor, 0.7978349089, 10);
}

TEST(ChannelGeometry, QuarterCircleFilletsWhenRadiusBelowDepth) {
    const auto [d, messages] = Prepare({{"CornerRadius", "0.3"}});
    EXPECT_TRUE(messages.empty());
    EXPECT_SIGNIFICANT(d.SectionArea, 1.56313, 6);
    EXPECT_SIGNIFICANT(d.EquivalentWidth, 2.52118, 6);
    EXPECT_SIGNIFICANT(d.DragShapeFactor, 0.874909, 6);
    EXPECT_SIGNIFICANT(d.PressureShapeFactor, 0.845303, 6);
}

TEST(ChannelGeometry, AxialChannelIsTheWidest) {
    const auto [d, messages] = Prepare({{"ChannelAngle", "0"}});
    EXPECT_EQ(d.ChannelAngleRad, 0.0);
    EXPECT_SIGNIFICANT(d.ChannelWidth, 2.70584, 6);
    EXPECT_SIGNIFICANT(d.SectionArea, 1.27469, 6);
    EXPECT_SIGNIFICANT(d.EquivalentWidth, 2.05595, 6);
    EXPECT_SIGNIFICANT(d.DragShapeFactor, 0.842027, 6);
    EXPECT_SIGNIFICANT(d.PressureShapeFactor, 0.809961, 6);
    // W = (π D / n − e1 − e2) / 2 worked out directly.
    EXPECT_DOUBLE_EQ(d.ChannelWidth, (std::numbers::pi * 11.43 / 5 - 1.27 - 0.5) / 2);
}

TEST(ChannelGeometry, SquareCornersGiveTheRectangle) {
    const auto [d, messages] = Prepare({{"CornerRadius", "0"}});
    EXPECT_DOUBLE_EQ(d.SectionArea, d.ChannelWidth * 0.62);
    EXPECT_DOUBLE_EQ(d.EquivalentWidth, d.ChannelWidth);
}

TEST(ChannelGeometry, SectionIsContinuousWhereRadiusMeetsDepth) {
    Messages sink;
    double atDepth = 0, above = 0, width = 0;
    ASSERT_TRUE(ComputeChannelSection(2.58, 0.62, 0.62, atDepth, width, sink));
    ASSERT_TRUE(ComputeChannelSection(2.58, 0.62, std::nextafter(0.62, 1.0), above, width, sink));
    EXPECT_NEAR(atDepth, above, 1e-12);
    // At R = H the quarter circles: (π R²/4 + (W/2 − R) H) · 2.
    EXPECT_NEAR(atDepth, (std::numbers::pi * 0.62 * 0.62 / 4 + (1.29 - 0.62) * 0.62) * 2, 1e-14);
}

TEST(ChannelGeometry, LimitingCornersAreAccepted) {
    Messages sink;
    double area = 0, width = 0;
    // R <= H with R exactly W/2.
    EXPECT_TRUE(ComputeChannelSection(1.0, 0.62, 0.5, area, width, sink));
    // R > H with a flat bottom of exactly zero: b = √(2RH − H²) = W/2 with
    // R = 1.25, H = 0.5 (b = 1).
    EXPECT_TRUE(ComputeChannelSection(2.0, 0.5, 1.25, area, width, sink));
    EXPECT_TRUE(sink.empty());
}

TEST(ChannelGeometry, EightChannelsLeaveNoFlatBottom) {
    const auto [d, messages] = Prepare({{"InletChannelCount", "8"}});
    EXPECT_TRUE(d.WidthOk);
    EXPECT_SIGNIFICANT(d.ChannelWidth, 1.28280, 6);
    EXPECT_FALSE(d.SectionOk);
    EXPECT_EQ(messages, std::vector<std::string>{"Channel dimensions are not proper!"});
}

TEST(ChannelGeometry, NegativeWidthStillChecksTheSection) {
    const auto arc = Prepare({{"BarrierWidth1", "7"}});
    EXPECT_FALSE(arc.data.WidthOk);
    EXPECT_LT(arc.data.ChannelWidth, 0);
    EXPECT_EQ(arc.messages,
              (std::vector<std::string>{
                  "Input condition is not proper! Calculated width becomes minus.",
                  "Channel dimensions are not proper!"}));

    const auto fillet = Prepare({{"BarrierWidth1", "7"}, {"CornerRadius", "0.3"}});
    EXPECT_EQ(fillet.messages,
              (std::vector<std::string>{
                  "Input condition is not proper! Calculated width becomes minus.",
                  "Channel dimensions are not proper! Corner radius is larger than width/2"}));
}

TEST(ShapeFactors, TendToOneForWideAndZeroForDeepChannels) {
    EXPECT_NEAR(DragShapeFactor(1e-9, 1.0), 1.0, 1e-6);
    EXPECT_NEAR(PressureShapeFactor(1e-9, 1.0), 1.0, 1e-6);
    EXPECT_NEAR(DragShapeFactor(50.0, 1.0), 0.0, 1e-20);
    EXPECT_NEAR(PressureShapeFactor(50.0, 1.0), 0.0, 1e-20);
}

}  // namespace
}  // namespace vortane
