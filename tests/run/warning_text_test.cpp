#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "run/run_warnings.h"
#include "support/case_request.h"

namespace vortane {
namespace {

RunWarning NegativeInletPressure() {
    return {WarningKind::NegativePressure, "inlet", {{-1.25, Quantity::Pressure}, {0.35, Quantity::Dimensionless}}};
}

RunWarning HotMelt() {
    return {WarningKind::FittedRange,
            "",
            {{235.3, Quantity::Temperature}, {150, Quantity::Temperature}, {230, Quantity::Temperature}}};
}

// Converted values: 1 kgf/cm2 = 0.0980665 MPa = 14.2233433 psi, so -1.25
// kgf/cm2 is -0.122583125 MPa and -17.7791791 psi; 1 hp = 0.74569987 kW; °F
// = 1.8 ℃ + 32. Computed values have seven significant digits, typed ones
// (inputs, the ends of a fitted range) the digits that give them.
TEST(WarningText, ResultsReadInTheChosenSystemWithTheirUnits) {
    const RunWarning pressure = NegativeInletPressure();
    EXPECT_EQ(WarningText(pressure, UnitSystem::Metric, '.'),
              "the pressure in the inlet channel falls to -1.25 kgf/cm2 at z = 0.350: below zero the channel "
              "cannot run full");
    EXPECT_EQ(WarningText(pressure, UnitSystem::SI, '.'),
              "the pressure in the inlet channel falls to -0.1225831 MPa at z = 0.350: below zero the channel "
              "cannot run full");
    EXPECT_EQ(WarningText(pressure, UnitSystem::US, ','),
              "the pressure in the inlet channel falls to -17,77918 psi at z = 0,350: below zero the channel "
              "cannot run full");

    const RunWarning power{WarningKind::NegativePower, {}, {{-2.5, Quantity::Power}}};
    EXPECT_EQ(WarningText(power, UnitSystem::US, '.'),
              "the power comes out negative, -3.352555 hp: the section would give energy back to the screw");
    // SI keeps the kW of technical metric, and its text.
    EXPECT_EQ(WarningText(power, UnitSystem::SI, '.'), WarningText(power, UnitSystem::Metric, '.'));

    const RunWarning feed{
        WarningKind::UnmeltedFeed, {}, {{100.5, Quantity::Temperature}, {110.6, Quantity::Temperature}}};
    EXPECT_EQ(WarningText(feed, UnitSystem::US, '.'),
              "the feed cannot melt completely: its average melt temperature at the inlet, 212.9 °F, lies below "
              "MeltingPoint = 231.08 °F");
    EXPECT_EQ(WarningText(feed, UnitSystem::SI, '.'),
              "the feed cannot melt completely: its average melt temperature at the inlet, 100.50 ℃, lies below "
              "MeltingPoint = 110.6 ℃");
}

TEST(WarningText, FittedRangesConvertTheirTemperaturesNotTheirShearRates) {
    EXPECT_EQ(WarningText(HotMelt(), UnitSystem::Metric, '.'),
              "the viscosity law is used at a melt temperature of 235.30 ℃, outside the 150 to 230 ℃ it was fitted on");
    EXPECT_EQ(WarningText(HotMelt(), UnitSystem::US, '.'),
              "the viscosity law is used at a melt temperature of 455.54 °F, outside the 302 to 446 °F it was "
              "fitted on");
    const RunWarning rate{WarningKind::FittedRange,
                          "the channel",
                          {{1234.5678, Quantity::ShearRate}, {1, Quantity::ShearRate}, {1000, Quantity::ShearRate}}};
    const std::string metric = WarningText(rate, UnitSystem::Metric, '.');
    EXPECT_EQ(metric, "the viscosity law is used at a shear rate of 1234.57 1/s in the channel, outside the 1 to "
                      "1000 1/s it was fitted on");
    EXPECT_EQ(WarningText(rate, UnitSystem::US, '.'), metric);
}

// An input's value and the input its range refers to are typed values in the
// input's unit; absolute zero is -459.67 °F.
TEST(WarningText, SoundRangesNameTheirConvertedBoundsWithUnits) {
    const DomainBreach clearance{"BarrierClearance2", 0.7, "below", "ChannelDepth", 0.62};
    EXPECT_EQ(BreachText(clearance, '.'), "BarrierClearance2 = 0.7 is outside its sound range, below ChannelDepth = 0.62");
    EXPECT_EQ(BreachText(clearance, '.', UnitSystem::SI),
              "BarrierClearance2 = 7 mm is outside its sound range, below ChannelDepth = 6.2 mm");
    const DomainBreach length{"ChannelLength", -2.54, "above 0", {}, 0};
    EXPECT_EQ(BreachText(length, ',', UnitSystem::US), "ChannelLength = -1 in is outside its sound range, above 0");
    const DomainBreach cold{"InletSolidTemp", -300, AbsoluteZeroRange, {}, 0};
    EXPECT_EQ(BreachText(cold, '.', UnitSystem::US),
              "InletSolidTemp = -508 °F is outside its sound range, -459.67 °F or more (absolute zero)");
    // ℃ is SI's too: the text stays technical metric's.
    EXPECT_EQ(BreachText(cold, '.', UnitSystem::SI), BreachText(cold, '.'));
    // A count and a speed keep their unit in every system.
    const DomainBreach speed{"ScrewSpeed", 0, "above 0", {}, 0};
    EXPECT_EQ(BreachText(speed, '.', UnitSystem::US), "ScrewSpeed = 0 is outside its sound range, above 0");
}

// A run's warnings as data write, in technical metric, the very texts the run
// gives (its report, terminal lines and CSV rely on them), with either decimal
// separator; in another system, each of them in that system.
TEST(WarningText, ARunsWarningsInEverySystem) {
    for (const char sep : {'.', ','}) {
        const testing::Texts texts{
            {"InletSolidTemp", "-300"}, {"ChannelLength", "-5"}, {"SolidRatio", sep == ',' ? "1,5" : "1.5"}};
        RunRequest request = testing::CaseRequest("", texts, sep);
        request.report = ReportTarget::None;
        const RunResult run = RunCalculation(request);
        ASSERT_GE(run.warnings.size(), 3u) << sep;
        EXPECT_EQ(WarningTexts(run, UnitSystem::Metric, sep), run.warnings);
        const std::vector<std::string> us = WarningTexts(run, UnitSystem::US, sep);
        ASSERT_EQ(us.size(), run.warnings.size());
        // In box order; -5 cm is -1.96850393700787 in.
        EXPECT_EQ(us[0], std::string("ChannelLength = -1") + sep + "96850393700787 in is outside its sound range, above 0");
        EXPECT_EQ(us[1], std::string("InletSolidTemp = -508 °F is outside its sound range, -459") + sep +
                             "67 °F or more (absolute zero)");
        for (std::size_t w = 0; w < us.size(); ++w) EXPECT_EQ(us[w], WarningText(run.warningData[w], UnitSystem::US, sep));
    }
}

}  // namespace
}  // namespace vortane
