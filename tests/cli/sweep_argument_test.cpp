#include <gtest/gtest.h>

#include "cli/command_line.h"

namespace vortane::cli {
namespace {

using Texts = std::vector<std::string>;

Texts ValuesOf(std::string_view argument, char separator = '.') {
    return ParseSweepArgument(argument, separator).texts;
}

std::string ErrorOf(std::string_view argument, char separator = '.') {
    try {
        ParseSweepArgument(argument, separator);
    } catch (const UsageError& error) {
        return error.what();
    }
    return "";
}

TEST(SweepAxis, ValuesInTheUsersNotation) {
    const Texts rates = ValuesOf("OutputRate=30:300:10");
    ASSERT_EQ(rates.size(), 28u);
    EXPECT_EQ(rates.front(), "30");
    EXPECT_EQ(rates[1], "40");
    EXPECT_EQ(rates.back(), "300");
    EXPECT_EQ(ParseSweepArgument("Edit3=30:300:10", '.').field->name, "OutputRate");

    // Formed exactly in decimal: 0.1 + 2 x 0.1 is 0.3, which is TO.
    EXPECT_EQ(ValuesOf("SolidRatio=0.1:0.3:0.1"), (Texts{"0.1", "0.2", "0.3"}));
    EXPECT_EQ(ValuesOf("SolidRatio=0:1:0.3"), (Texts{"0.0", "0.3", "0.6", "0.9"}));
    EXPECT_EQ(ValuesOf("ScrewSpeed=1:2:0.25"), (Texts{"1.00", "1.25", "1.50", "1.75", "2.00"}));
    EXPECT_EQ(ValuesOf("ChannelAngle=1:-1:-1"), (Texts{"1", "0", "-1"}));
    EXPECT_EQ(ValuesOf("ChannelAngle=-0.5:0.5:0.5"), (Texts{"-0.5", "0.0", "0.5"}));
    EXPECT_EQ(ValuesOf("A12=1E-3:3e-3:1E-3"), (Texts{"0.001", "0.002", "0.003"}));
    EXPECT_EQ(ValuesOf("OutputRate=1E2:3E2:1E2"), (Texts{"100", "200", "300"}));
    EXPECT_EQ(ValuesOf("OutputRate=267:267:5"), (Texts{"267"}));
    EXPECT_EQ(ValuesOf("OutputRate=30,5:31,5:0,5", ','), (Texts{"30,5", "31,0", "31,5"}));
}

TEST(SweepAxis, UsageErrors) {
    EXPECT_EQ(ErrorOf("Speed=1:2:1"), "--sweep Speed=1:2:1: unknown field Speed");
    EXPECT_EQ(ErrorOf("OutputRate"), "--sweep OutputRate: expected FIELD=FROM:TO:STEP");
    EXPECT_EQ(ErrorOf("OutputRate=1:2"), "--sweep OutputRate=1:2: expected FIELD=FROM:TO:STEP");
    EXPECT_EQ(ErrorOf("OutputRate=1:2:3:4"),
              "--sweep OutputRate=1:2:3:4: expected FIELD=FROM:TO:STEP");
    EXPECT_EQ(ErrorOf("OutputRate=1:2:0"), "--sweep OutputRate=1:2:0: STEP must not be zero");
    EXPECT_EQ(ErrorOf("OutputRate=1:2:-1"), "--sweep OutputRate=1:2:-1: STEP leads away from TO");
    EXPECT_EQ(ErrorOf("OutputRate=1:2:1x"),
              "--sweep OutputRate=1:2:1x: '1x' is not a decimal number of at most 18 digits");
    EXPECT_NE(ErrorOf("OutputRate=1.5:2:1", ','), "");  // a point where the comma is the separator
    EXPECT_EQ(ValuesOf("OutputRate= 1:2 :1"), (Texts{"1", "2"}));  // blanks as a box takes them
    EXPECT_NE(ErrorOf("OutputRate=:2:1"), "");
    EXPECT_EQ(ErrorOf("OutputRate=0:1:0.000001"),
              "--sweep OutputRate=0:1:0.000001: more than 1000000 values");
    EXPECT_EQ(ErrorOf("OutputRate=1E-20:1E20:1"),
              "--sweep OutputRate=1E-20:1E20:1: the range is too wide for the precision of its "
              "numbers");
    EXPECT_NE(ErrorOf("OutputRate=1:2:1", ':'), "");
}

TEST(SweepArguments, PlanErrorsAreRefusals) {
    EXPECT_THROW(SweepPlanOf(DefaultTexts('.'), {"OutputRate=1:2:1", "Edit3=1:2:1"}, '.', {}),
                 Refusal);
    EXPECT_THROW(
        SweepPlanOf(DefaultTexts('.'), {"OutputRate=1:2000:1", "ScrewSpeed=1:1000:1"}, '.', {}),
        Refusal);
    EXPECT_EQ(PointCount(SweepPlanOf(DefaultTexts('.'), {"OutputRate=1:2:1", "Edit2=1:3:1"}, '.', {})),
              6u);
}

}  // namespace
}  // namespace vortane::cli
