#include "design/design_notation.h"

#include <gtest/gtest.h>

#include "design/design_point.h"

namespace vortane {
namespace {

TEST(DesignNotation, ReadsBoundsTargetsAndObjectives) {
    const VariedInput input = ParseVariedInput("ScrewSpeed=40:140", '.');
    EXPECT_EQ(input.field, FindInputField("ScrewSpeed"));
    EXPECT_EQ(input.low, 40);
    EXPECT_EQ(input.high, 140);
    EXPECT_EQ(ParseVariedInput("Edit5=0,03:0,1", ',').low, 0.03);
    const Target target = ParseTarget("TemperatureRise=30.5");
    EXPECT_EQ(target.quantity, "TemperatureRise");
    EXPECT_EQ(target.value, 30.5);
    for (const char* text : {"minimise TotalPressureDrop", " minimize  TotalPressureDrop "}) {
        const Objective objective = ParseObjective(text);
        EXPECT_EQ(objective.quantity, "TotalPressureDrop");
        EXPECT_FALSE(objective.maximise);
    }
    EXPECT_TRUE(ParseObjective("maximise Barrier1ShearStress").maximise);
    EXPECT_TRUE(ParseObjective("maximize PowerKW").maximise);
}

TEST(DesignNotation, RefusesWhatItCannotRead) {
    for (const char* text : {"ScrewSpeed=40", "ScrewSped=40:140", "ScrewSpeed=140:40", "ScrewSpeed=a:140",
                             "InletChannelCount=1:5", "ScrewSpeed=40:inf"})
        EXPECT_THROW(ParseVariedInput(text, '.'), Refusal) << text;
    for (const char* text : {"TemperatureRise", "Warmth=30", "TemperatureRise=30,5", "TemperatureRise="})
        EXPECT_THROW(ParseTarget(text), DesignError) << text;
    for (const char* text : {"TotalPressureDrop", "reduce TotalPressureDrop", "minimise Warmth", "minimise"})
        EXPECT_THROW(ParseObjective(text), DesignError) << text;
}

// A quantity mistyped is named as a limit's is, with the nearest one.
TEST(DesignNotation, UnknownQuantityIsNamedAsALimitsIs) {
    try {
        ParseObjective("minimise TemperatureRis");
        ADD_FAILURE() << "taken";
    } catch (const DesignError& error) {
        EXPECT_NE(std::string(error.what()).find("unknown quantity TemperatureRis (did you mean TemperatureRise?)"),
                  std::string::npos)
            << error.what();
    }
}

}  // namespace
}  // namespace vortane
