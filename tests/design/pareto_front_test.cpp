#include "design/pareto_front.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "design/design_point.h"
#include "design/front_chart.h"
#include "result/limit_check.h"
#include "result/run_table.h"
#include "support/case_request.h"

namespace vortane {
namespace {

using ::testing::ElementsAre;
using testing::UnreportedRequest;

using Points = std::vector<std::vector<double>>;

TEST(NonDominated, KeepsThoseNoOtherBettersAndOneOfEqualPoints) {
    // (2, 2) is dominated by (1, 2); (3, 3) by all; (1, 2) appears twice.
    const Points points = {{3, 3}, {1, 2}, {2, 2}, {0, 5}, {1, 2}, {4, 0}};
    EXPECT_THAT(NonDominated(points), ElementsAre(1, 3, 5));
    // A point better in one coordinate and worse in another stays.
    EXPECT_THAT(NonDominated(Points{{0, 1, 2}, {1, 0, 2}, {0, 1, 3}}), ElementsAre(0, 1));
    EXPECT_TRUE(NonDominated(Points{}).empty());
}

TEST(KneeOf, IsTheScaledPointNearestTheIdeal) {
    // Scaled over x in [0, 10] and y in [0, 10]: (0, 1), (0.1, 0.4), (0.3, 0.2),
    // (1, 0); squared distances 1, 0.17, 0.13, 1.
    EXPECT_EQ(KneeOf(Points{{0, 10}, {1, 4}, {3, 2}, {10, 0}}), 2U);
    // Scaling makes the units irrelevant: y in thousands gives the same knee.
    EXPECT_EQ(KneeOf(Points{{0, 10000}, {1, 4000}, {3, 2000}, {10, 0}}), 2U);
    // A coordinate of one value counts for nothing; of equally near, the first.
    EXPECT_EQ(KneeOf(Points{{5, 1}, {2, 1}, {2, 1}}), 1U);
    EXPECT_EQ(KneeOf(Points{{0, 1}, {1, 0}}), 0U);
    EXPECT_EQ(KneeOf(Points{}), std::nullopt);
}

TEST(Hypervolume, IsTheAreaOrVolumeOfTheUnionOfBoxes) {
    // The staircase of (1, 3), (2, 2), (3, 1) below (4, 4): 3 + 2 + 1.
    const std::vector<double> square = {4, 4};
    EXPECT_DOUBLE_EQ(Hypervolume(Points{{1, 3}, {2, 2}, {3, 1}}, square), 6);
    // Dominated points and points beyond the reference add nothing.
    EXPECT_DOUBLE_EQ(Hypervolume(Points{{1, 3}, {2, 2}, {3, 1}, {3, 3}, {0, 4}, {5, 0}}, square), 6);
    EXPECT_DOUBLE_EQ(Hypervolume(Points{}, square), 0);
    // 3-D: boxes of 2·2·1 and 1·1·2 below (2, 2, 2), overlapping in a unit cube.
    const std::vector<double> cube = {2, 2, 2};
    EXPECT_DOUBLE_EQ(Hypervolume(Points{{0, 0, 1}, {1, 1, 0}}, cube), 5);
    EXPECT_DOUBLE_EQ(Hypervolume(Points{{0, 0, 0}}, std::vector<double>{1, 2, 3}), 6);
}

const std::vector<Limit> PlantLimits = {{"TemperatureRise", LimitBound::AtMost, 30},
                                        {"LeastInletPressure", LimitBound::AtLeast, 0}};

FrontRequest PlantFront(std::vector<Objective> objectives, int divisions) {
    FrontRequest request;
    request.base = UnreportedRequest({{"OutputRate", "350"}});
    request.inputs = {{FindInputField("BarrierClearance1"), 0.03, 0.1}, {FindInputField("ScrewSpeed"), 60, 140}};
    request.objectives = std::move(objectives);
    request.limits = PlantLimits;
    request.divisions = divisions;
    request.threads = 2;
    return request;
}

const std::vector<Objective> PressureAndStress = {{"TotalPressureDrop", false}, {"Barrier1ShearStress", true}};

// Every design, run afresh from its texts, is feasible and has the
// objectives reported; none dominates another; they are sorted along the
// front and the knee is KneeOf's.
void ExpectSoundFront(const FrontRequest& request, const FrontResult& front) {
    ASSERT_EQ(front.end, FrontEnd::Complete) << front.reason;
    ASSERT_GE(front.designs.size(), 3U);
    Points points;
    for (const FrontDesign& design : front.designs) {
        RunRequest plain = request.base;
        plain.texts = design.texts;
        const RunResult run = RunCalculation(plain);
        const std::vector<LimitMargin> margins = LimitMargins(request.limits, LimitColumns(request.limits), run);
        EXPECT_TRUE(Feasible(run.outcome, run.warningKinds, {}, margins)) << design.inputTexts[0];
        for (std::size_t k = 0; k < request.objectives.size(); ++k)
            EXPECT_EQ(ColumnNumber(QuantityColumn(request.objectives[k].quantity), run), design.objectives[k]);
        for (std::size_t i = 0; i < request.inputs.size(); ++i)
            EXPECT_EQ(design.texts[request.inputs[i].field->box - 1], design.inputTexts[i]);
        points.push_back(Minimised(design.objectives, request.objectives));
    }
    EXPECT_EQ(NonDominated(points).size(), points.size());
    EXPECT_TRUE(std::is_sorted(points.begin(), points.end()));
    EXPECT_EQ(front.knee, KneeOf(points));
    EXPECT_GT(front.runs, front.designs.size());
}

TEST(ParetoFront, TwoObjectivesGiveFeasibleNonDominatedDesigns) {
    const FrontRequest request = PlantFront(PressureAndStress, 8);
    const FrontResult front = ParetoFront(request);
    ExpectSoundFront(request, front);
    // The ends: the least pressure drop and the greatest shear stress within
    // the limits, both on the front.
    const FrontDesign& first = front.designs.front();
    const FrontDesign& last = front.designs.back();
    EXPECT_LT(first.objectives[0], last.objectives[0]);
    EXPECT_LT(first.objectives[1], last.objectives[1]);
    // Drawn as one chart: the designs and the knee.
    const std::vector<Chart> charts = FrontCharts(front, request.objectives);
    ASSERT_EQ(charts.size(), 1U);
    ASSERT_EQ(charts[0].panels.size(), 1U);
    EXPECT_EQ(charts[0].panels[0].series[0].x.size(), front.designs.size());
    EXPECT_EQ(charts[0].panels[0].series[1].y,
              std::vector<double>{front.designs[*front.knee].objectives[1]});
}

TEST(ParetoFront, ThreeObjectivesToo) {
    std::vector<Objective> three = PressureAndStress;
    three.push_back({"TemperatureRise", false});
    const FrontRequest request = PlantFront(three, 3);
    const FrontResult front = ParetoFront(request);
    ExpectSoundFront(request, front);
    // The pairwise projections: two against the first objective, one more.
    const std::vector<Chart> charts = FrontCharts(front, request.objectives);
    ASSERT_EQ(charts.size(), 2U);
    EXPECT_EQ(charts[0].panels.size(), 2U);
    EXPECT_EQ(charts[1].panels.size(), 1U);
}

// The channel's width does not change with the clearance or the speed: the
// front is then the two others', stepped as they are.
TEST(ParetoFront, AnObjectiveOfOneValueLeavesTheOthersStepped) {
    std::vector<Objective> three = PressureAndStress;
    three.push_back({"ChannelWidth", false});
    const FrontRequest request = PlantFront(three, 4);
    const FrontResult front = ParetoFront(request);
    ExpectSoundFront(request, front);
    EXPECT_GE(front.designs.size(), 4U);
    for (const FrontDesign& design : front.designs) EXPECT_EQ(design.objectives[2], front.designs[0].objectives[2]);
}

TEST(ParetoFront, WithoutAFeasibleDesignSaysWhy) {
    FrontRequest request = PlantFront(PressureAndStress, 4);
    request.limits.push_back({"TemperatureRise", LimitBound::AtMost, 1});
    const FrontResult front = ParetoFront(request);
    EXPECT_EQ(front.end, FrontEnd::Infeasible);
    EXPECT_TRUE(front.designs.empty());
    EXPECT_EQ(front.knee, std::nullopt);
    EXPECT_THAT(front.reason, ::testing::HasSubstr("no feasible run"));
}

TEST(ParetoFront, RefusesQuestionsItCannotTake) {
    const auto refused = [](std::vector<Objective> objectives, int divisions = 0) {
        EXPECT_THROW(ParetoFront(PlantFront(std::move(objectives), divisions)), DesignError);
    };
    refused({{"TotalPressureDrop", false}});
    refused({{"TotalPressureDrop", false},
             {"Barrier1ShearStress", true},
             {"TemperatureRise", false},
             {"PowerKW", false}});
    refused({{"TotalPressureDrop", false}, {"TotalPressureDrop", true}});
    refused({{"TotalPressureDrop", false}, {"Warmth", true}});
    refused(PressureAndStress, -1);
    FrontRequest none = PlantFront(PressureAndStress, 4);
    none.inputs.clear();
    EXPECT_THROW(ParetoFront(none), DesignError);
}

}  // namespace
}  // namespace vortane
