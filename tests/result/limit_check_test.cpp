#include "result/limit_check.h"

#include <gtest/gtest.h>

#include "case/input_fields.h"
#include "result/unit_caption.h"

namespace vortane {
namespace {

RunResult RunAt(const std::string& outputRate) {
    RunRequest request;
    request.texts = DefaultTexts('.');
    request.report = ReportTarget::None;
    request.texts[FindInputField("OutputRate")->box - 1] = outputRate;
    return RunCalculation(request);
}

TEST(LimitCheck, MarginsAreTheRunsOwnColumns) {
    const RunResult run = RunAt("350");
    const std::vector<Limit> limits{{"TemperatureRise", LimitBound::AtMost, 30},
                                    {"Barrier1ShearStress", LimitBound::AtLeast, 120},
                                    {"TotalPressureDrop", LimitBound::AtMost, 0}};
    const std::vector<const RunColumn*> columns = LimitColumns(limits);
    const std::vector<LimitMargin> margins = LimitMargins(limits, columns, run);
    for (std::size_t i = 0; i < limits.size(); ++i) {
        const double value = *ColumnNumber(*columns[i], run);
        ASSERT_TRUE(margins[i].margin);
        EXPECT_EQ(*margins[i].value, value);
        const double inside = limits[i].bound == LimitBound::AtMost ? 1 : -1;
        EXPECT_EQ(margins[i].holds, inside * (limits[i].value - value) >= 0) << limits[i].quantity;
        EXPECT_DOUBLE_EQ(*margins[i].margin, inside * (limits[i].value - value));
    }
    EXPECT_DOUBLE_EQ(*margins[0].fraction, *margins[0].margin / 30);
    EXPECT_DOUBLE_EQ(*margins[2].fraction, *margins[2].margin);  // a bound of 0 scales by 1
    EXPECT_FALSE(margins[2].holds);
    EXPECT_FALSE(Feasible(run.outcome, run.warningKinds, {}, margins));
    EXPECT_EQ(Feasible(run.outcome, run.warningKinds, {}, std::span(margins).first(2)),
              run.warningKinds.Empty() && margins[0].holds && margins[1].holds);
    EXPECT_NE(FailedLimitsText(limits, margins).find("TotalPressureDrop<=0 ("), std::string::npos);
}

TEST(LimitCheck, AStoppedRunMeetsNoLimit) {
    const RunResult run = RunAt("-1");
    ASSERT_NE(run.outcome, RunOutcome::Complete);
    const std::vector<Limit> limits{{"TemperatureRise", LimitBound::AtMost, 1e9}};
    const std::vector<LimitMargin> margins = LimitMargins(limits, LimitColumns(limits), run);
    EXPECT_FALSE(margins[0].holds);
    EXPECT_FALSE(margins[0].margin);
    EXPECT_FALSE(Feasible(run.outcome, {}, {}, margins));
    EXPECT_EQ(FailedLimitsText(limits, margins), "TemperatureRise<=1e+09 (not computed)");
    EXPECT_TRUE(Feasible(RunOutcome::Complete, {}, {}, {}));
    EXPECT_FALSE(Feasible(RunOutcome::PressureTooLow, {}, {}, {}));
}

// At 350 kg/hr, 0.03 cm and 96.87 rpm the run completes within ΔT ≤ 30 ℃
// but its outlet channel falls below zero: feasible only with that accepted.
TEST(LimitCheck, AFeasibleRunRaisesNoWarningNotAccepted) {
    RunRequest request;
    request.texts = DefaultTexts('.');
    request.report = ReportTarget::None;
    for (const auto& [field, text] : {std::pair{"OutputRate", "350"}, {"BarrierClearance1", "0.03"}, {"ScrewSpeed", "96.87"}})
        request.texts[FindInputField(field)->box - 1] = text;
    const RunResult run = RunCalculation(request);
    ASSERT_EQ(run.outcome, RunOutcome::Complete);
    EXPECT_EQ(run.warningKinds, WarningKinds(WarningKind::NegativePressure));
    const std::vector<Limit> limits{{"TemperatureRise", LimitBound::AtMost, 30}};
    const std::vector<LimitMargin> margins = LimitMargins(limits, LimitColumns(limits), run);
    ASSERT_TRUE(margins[0].holds);
    EXPECT_FALSE(Feasible(run.outcome, run.warningKinds, {}, margins));
    EXPECT_EQ(InfeasibleText(run.warningKinds, {}, limits, margins), "warns of negative-pressure");
    EXPECT_TRUE(Feasible(run.outcome, run.warningKinds, WarningKind::NegativePressure, margins));
    EXPECT_FALSE(Feasible(run.outcome, run.warningKinds, WarningKind::FittedRange, margins));
    const std::vector<Limit> tight{{"TemperatureRise", LimitBound::AtMost, 20}};
    EXPECT_EQ(InfeasibleText(run.warningKinds, {}, tight, LimitMargins(tight, LimitColumns(tight), run)).rfind(
                  "warns of negative-pressure; TemperatureRise<=20 (", 0),
              0u);
    EXPECT_EQ(FoundWarningLines(run, WarningKind::NegativePressure).front(),
              "accepting warnings of negative-pressure");
}

// A bound typed in another system comes back to technical metric as
// InSystem's inverse: 482 °F is 250 ℃, a rise of 54 °F one of 30 ℃, 0.980665
// MPa is 10 kgf/cm2 (1 kgf = 9.80665 N); in technical metric it stays.
TEST(LimitCheck, BoundsTypedInAnotherSystemComeBackToMetric) {
    EXPECT_EQ(FromSystem(482, Quantity::Temperature, UnitSystem::US), 250);
    EXPECT_EQ(FromSystem(-40, Quantity::Temperature, UnitSystem::US), -40);
    EXPECT_EQ(FromSystem(54, Quantity::TemperatureDifference, UnitSystem::US), 30);
    EXPECT_DOUBLE_EQ(FromSystem(0.980665, Quantity::Pressure, UnitSystem::SI), 10);
    EXPECT_EQ(FromSystem(0.1, Quantity::Pressure, UnitSystem::Metric), 0.1);
    for (const double value : {135.0, 0.0934533, -4.52965})
        EXPECT_DOUBLE_EQ(FromSystem(InSystem(value, Quantity::ShearStress, UnitSystem::US), Quantity::ShearStress,
                                    UnitSystem::US),
                         value);
}

TEST(LimitCheck, UnknownQuantitiesAreNamed) {
    const std::vector<Limit> limits{{"Outcome", LimitBound::AtMost, 1}};
    try {
        LimitColumns(limits);
        FAIL() << "a text column taken as a limit";
    } catch (const LimitError& error) {
        const std::string what = error.what();
        EXPECT_NE(what.find("unknown quantity Outcome; the quantities are"), std::string::npos);
        EXPECT_NE(what.find("Barrier1ShearStress"), std::string::npos);
    }
    // A near name is suggested, and a long one cut.
    const std::vector<Limit> near{{"PowerKv", LimitBound::AtMost, 1}, {std::string(80, 'Q'), LimitBound::AtMost, 1}};
    EXPECT_THROW(
        {
            try {
                LimitColumns(std::span(near.data(), 1));
            } catch (const LimitError& error) {
                EXPECT_STREQ(error.what(), "limit \"PowerKv<=1\": unknown quantity PowerKv (did you mean PowerKW?)");
                throw;
            }
        },
        LimitError);
    try {
        LimitColumns(std::span(near.data() + 1, 1));
    } catch (const LimitError& error) {
        EXPECT_NE(std::string(error.what()).find("unknown quantity " + std::string(60, 'Q') + "\u2026;"),
                  std::string::npos);
    }
    EXPECT_EQ(LimitColumn("LeastInletPressure")->name, "LeastInletPressure (kgf/cm2)");
    EXPECT_EQ(LimitColumn("Passes"), nullptr);
}

}  // namespace
}  // namespace vortane
