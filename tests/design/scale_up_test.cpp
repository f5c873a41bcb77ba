#include "design/scale_up.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>

#include "case/number_text.h"
#include "design/design_point.h"
#include "result/run_table.h"
#include "support/case_request.h"

namespace vortane {
namespace {

using ::testing::HasSubstr;
using testing::UnreportedRequest;

// The default section (114.3 mm, 80 rpm, 267 kg/hr) to `diameter` cm.
ScaleUpRequest DefaultScaleUp(double diameter, double output, std::vector<std::string> keep = {}) {
    ScaleUpRequest request;
    request.base = UnreportedRequest();
    request.barrelDiameter = diameter;
    request.outputRate = output;
    request.keep = std::move(keep);
    request.threads = 2;
    return request;
}

double Box(const ScaleUpRow& row, std::string_view field) {
    return *ConvertReal(row.texts[InputFieldNamed(field).box - 1], '.');
}

TEST(ScaleUp, ToItsOwnDiameterAndOutputEveryRowIsTheReference) {
    const ScaleUpResult result = ScaleUp(DefaultScaleUp(11.43, 267, {"Barrier1ShearStress", "TemperatureRise"}));
    ASSERT_EQ(result.rows.size(), 7u);
    EXPECT_EQ(result.rows.front().name, "Reference");
    EXPECT_EQ(result.rows.back().name, "Kept");
    for (const ScaleUpRow& row : result.rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.texts, DefaultTexts('.'));
        ASSERT_EQ(row.deviations.size(), 2u + 5u - 2u);  // kept, then the default watch not kept
        for (const std::optional<double>& deviation : row.deviations) EXPECT_EQ(deviation, 0.0);
    }
    EXPECT_TRUE(result.kept);
    EXPECT_EQ(result.runs, 0u);  // the similar start is the reference: no search
    EXPECT_EQ(result.verdict, "Kept together within 1 %: Barrier1ShearStress 0.00 %, TemperatureRise 0.00 %");
}

class ScaleRuleRow : public ::testing::TestWithParam<ScaleRule> {};

// Geometric similarity: every length times r = 20/11.43, the angle and counts
// unchanged; the speed N₁ r^a and the drag flow's output Q₁ r^(3+a).
TEST_P(ScaleRuleRow, SpeedAndOutputFollowTheRulesExponent) {
    const ScaleUpResult result = ScaleUp(DefaultScaleUp(20, 1000));
    const ScaleUpRow* row = ScaleUpRowNamed(result, ScaleRuleName(GetParam()));
    ASSERT_NE(row, nullptr);
    const double r = 20 / 11.43;
    const double a = SpeedExponent(GetParam());
    EXPECT_NEAR(Box(*row, "ScrewSpeed"), 80 * std::pow(r, a), 1e-9 * 80);
    EXPECT_NEAR(Box(*row, "OutputRate"), 267 * std::pow(r, 3 + a), 1e-9 * 1430);
    EXPECT_NEAR(Box(*row, "ChannelDepth"), 0.62 * r, 1e-10);
    EXPECT_NEAR(Box(*row, "BarrierClearance2"), 0.011 * r, 1e-12);
    EXPECT_EQ(Box(*row, "BarrelDiameter"), 20);
    EXPECT_EQ(row->texts[InputFieldNamed("ChannelAngle").box - 1], "15.0");
    EXPECT_EQ(row->texts[InputFieldNamed("InletChannelCount").box - 1], "5");
    EXPECT_EQ(row->run.outcome, RunOutcome::Complete);
}

INSTANTIATE_TEST_SUITE_P(EachRule, ScaleRuleRow, ::testing::ValuesIn(ScaleRules),
                         [](const ::testing::TestParamInfo<ScaleRule>& rule) {
                             std::string name(ScaleRuleName(rule.param));
                             std::erase(name, ' ');
                             return name;
                         });

// The rules leave the constant they are named for: at constant speed the
// shear over the similar clearance and the residence time stay (the model's
// own numbers, to 1 %); at constant peripheral speed they do not.
TEST(ScaleUp, TheRulesHoldWhatTheyAreNamedFor) {
    const ScaleUpResult result = ScaleUp(DefaultScaleUp(20, 1000));
    const std::size_t time = 2;  // ResidenceTime in the default watch
    ASSERT_EQ(result.columns[time], "ResidenceTime");
    EXPECT_LT(std::fabs(*ScaleUpRowNamed(result, "Constant residence time")->deviations[time]), 1.0);
    EXPECT_GT(std::fabs(*ScaleUpRowNamed(result, "Constant peripheral speed")->deviations[time]), 10.0);
}

// At 1000 kg/hr on 200 mm the least-squares design holds both columns, and
// its texts run again to the values the table shows.
TEST(ScaleUp, KeepsShearStressAndTemperatureRiseTogether) {
    const ScaleUpResult result = ScaleUp(DefaultScaleUp(20, 1000, {"Barrier1ShearStress", "TemperatureRise"}));
    const ScaleUpRow* kept = ScaleUpRowNamed(result, "Kept");
    ASSERT_NE(kept, nullptr) << result.verdict;
    ASSERT_TRUE(result.kept) << result.verdict;
    EXPECT_LT(std::fabs(*kept->deviations[0]), 2.0);
    EXPECT_LT(std::fabs(*kept->deviations[1]), 2.0);
    EXPECT_THAT(result.verdict, HasSubstr("Kept together within 1 %: Barrier1ShearStress "));
    EXPECT_GT(result.runs, 0u);
    EXPECT_EQ(Box(*kept, "OutputRate"), 1000);
    // Of the many designs that keep both, one near similarity: without the
    // pull the search took a channel 0.64 of the similar depth and a second
    // clearance 1.74 times the similar one.
    for (const char* field : {"ChannelDepth", "BarrierClearance2"})
        EXPECT_NEAR(Box(*kept, field) / Box(*ScaleUpRowNamed(result, "Constant speed"), field), 1, 0.2) << field;
    RunRequest again = UnreportedRequest();
    again.texts = kept->texts;
    const RunResult run = RunCalculation(again);
    EXPECT_EQ(ColumnNumber(QuantityColumn("TemperatureRise"), run), kept->values[1]);
}

// Near the cubic rule's output (1430.4167 kg/hr) the similar design holds
// both columns within a tenth of the tolerance: it stays, with no search to
// trade a departure from similarity for a closer value.
TEST(ScaleUp, KeepsTheSimilarDesignWhenItHoldsTheColumnsAlready) {
    const ScaleUpResult result = ScaleUp(DefaultScaleUp(20, 1430, {"Barrier1ShearStress", "TemperatureRise"}));
    const ScaleUpRow* kept = ScaleUpRowNamed(result, "Kept");
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(result.runs, 0u);
    EXPECT_TRUE(result.kept);
    EXPECT_GT(std::fabs(*kept->deviations[0]), 0.001);
    for (const char* field : {"ChannelDepth", "BarrierClearance1", "BarrierClearance2"})
        EXPECT_EQ(Box(*kept, field), Box(*ScaleUpRowNamed(result, "Constant speed"), field)) << field;
    EXPECT_NEAR(Box(*kept, "ScrewSpeed"), 80 * 1430 / (267 * std::pow(20 / 11.43, 3)), 1e-6);
}

// Held too tightly in bounds too narrow, the table says which and by how much.
TEST(ScaleUp, SaysWhatCannotBeKeptTogether) {
    ScaleUpRequest request = DefaultScaleUp(20, 1000, {"Barrier1ShearStress", "TemperatureRise", "ResidenceTime"});
    request.inputs = {{FindInputField("ScrewSpeed"), 40, 41}};
    request.tolerance = 0.01;
    const ScaleUpResult result = ScaleUp(request);
    EXPECT_FALSE(result.kept);
    EXPECT_THAT(result.verdict, HasSubstr("Barrier1ShearStress, TemperatureRise and ResidenceTime cannot be kept "
                                          "together within 0.01 %: the closest design in the bounds misses by "
                                          "Barrier1ShearStress "));
}

TEST(ScaleUp, RefusesWhatItCannotTake) {
    const auto refusal = [](const ScaleUpRequest& request) {
        try {
            ScaleUp(request);
        } catch (const Error& error) {
            return std::string(error.what());
        }
        return std::string("taken");
    };
    EXPECT_EQ(refusal(DefaultScaleUp(0, 1000)), "the new barrel diameter must be a number above 0, not 0");
    EXPECT_EQ(refusal(DefaultScaleUp(20, -1)), "the output must be a number above 0, not -1");
    EXPECT_THAT(refusal(DefaultScaleUp(20, 1000, {"TemperatureRize"})), HasSubstr("TemperatureRize"));
    EXPECT_EQ(refusal(DefaultScaleUp(20, 1000, {"PowerKW", "PowerKW"})), "PowerKW is kept twice");
    ScaleUpRequest varied = DefaultScaleUp(20, 1000, {"PowerKW"});
    varied.inputs = {{FindInputField("OutputRate"), 900, 1100}};
    EXPECT_EQ(refusal(varied), "OutputRate is set by the scale-up and cannot be varied");
    ScaleUpRequest broken = DefaultScaleUp(20, 1000);
    broken.base.texts[InputFieldNamed("ChannelDepth").box - 1] = "deep";
    EXPECT_THAT(refusal(broken), HasSubstr("the reference case does not run through: "));
}

TEST(ScaleUpText, DeviationsInPercentWithTheirSign) {
    EXPECT_EQ(DeviationText(0.0912), "+0.09 %");
    EXPECT_EQ(DeviationText(-0.2612), "-0.26 %");
    EXPECT_EQ(DeviationText(-0.001), "0.00 %");
    EXPECT_EQ(DeviationText(std::nullopt), "");
    EXPECT_EQ(DeviationColumnName("TemperatureRise"), "Deviation TemperatureRise");
}

TEST(ScaleUpNotation, TheNewDiameter) {
    EXPECT_EQ(ParseScaleTo("BarrelDiameter=20", '.'), 20);
    EXPECT_EQ(ParseScaleTo("Edit1=20,5", ','), 20.5);
    EXPECT_THROW(ParseScaleTo("BarrelDiameter=-2", '.'), DesignError);
    EXPECT_THROW(ParseScaleTo("BarrelDiameter", '.'), DesignError);
    EXPECT_THROW(ParseScaleTo("BarelDiameter=20", '.'), UnknownFieldError);
    try {
        ParseScaleTo("ChannelDepth=1", '.');
    } catch (const DesignError& error) {
        EXPECT_STREQ(error.what(), "ChannelDepth=1: a section is scaled to a new BarrelDiameter, not ChannelDepth");
    }
}

}  // namespace
}  // namespace vortane
