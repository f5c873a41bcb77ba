#include "comparison/comparison.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "case/number_text.h"
#include "document/html_document.h"
#include "document/report_document.h"
#include "run/run_warnings.h"
#include "support/case_request.h"

namespace vortane {
namespace {

ComparedDesign Design(std::string name, const testing::Texts& texts, std::vector<Limit> limits = {}) {
    const RunRequest request = testing::UnreportedRequest(texts);
    return {std::move(name), request.texts, RunCalculation(request), std::move(limits)};
}

const ComparisonRow& Row(const Comparison& comparison, const std::string& quantity) {
    const auto at = std::find_if(comparison.rows.begin(), comparison.rows.end(),
                                 [&quantity](const ComparisonRow& row) { return row.quantity == quantity; });
    if (at == comparison.rows.end()) throw std::runtime_error("no row " + quantity);
    return *at;
}

std::size_t RowsOf(const Comparison& comparison, ComparisonRow::Kind kind) {
    return static_cast<std::size_t>(std::count_if(comparison.rows.begin(), comparison.rows.end(),
                                                  [kind](const ComparisonRow& row) { return row.kind == kind; }));
}

TEST(Comparison, ValuesAreTheRunsOwnAndDifferencesAgainstTheFirst) {
    const std::vector<ComparedDesign> designs{Design("base", {}), Design("d350", {{"OutputRate", "350"}})};
    const Comparison comparison = CompareDesigns(designs);
    EXPECT_EQ(comparison.designs, (std::vector<std::string>{"base", "d350"}));
    // Only the input that differs, as each run read it.
    EXPECT_EQ(RowsOf(comparison, ComparisonRow::Kind::Input), 1u);
    const ComparisonRow& rate = Row(comparison, "OutputRate (kg/hr)");
    EXPECT_EQ(rate.values, (std::vector<std::optional<double>>{267, 350}));
    EXPECT_EQ(rate.differences[1], 83);
    EXPECT_DOUBLE_EQ(*rate.percentages[1], 83.0 / 267 * 100);
    EXPECT_FALSE(rate.differences[0] || rate.percentages[0]);

    const ComparisonRow& rise = Row(comparison, "TemperatureRise (℃)");
    EXPECT_EQ(rise.values[0], designs[0].run.data.TemperatureRise);
    EXPECT_EQ(rise.values[1], designs[1].run.data.TemperatureRise);
    EXPECT_DOUBLE_EQ(*rise.differences[1], designs[1].run.data.TemperatureRise - designs[0].run.data.TemperatureRise);
    const ComparisonRow& shear = Row(comparison, "Barrier1ShearStress (kPa)");
    EXPECT_EQ(shear.values[1], designs[1].run.indicators->barrier1ShearStress);
    EXPECT_EQ(Row(comparison, "Outcome").texts, (std::vector<std::string>{"complete", "complete"}));
    // No limits in either case: no limit rows.
    EXPECT_EQ(RowsOf(comparison, ComparisonRow::Kind::Feasible), 0u);
}

TEST(Comparison, StoppedRunsAndZeroBaselinesLeaveCellsEmpty) {
    const Comparison comparison = CompareDesigns(
        {Design("axial", {{"ChannelAngle", "0"}}), Design("low", {{"InletPressure", "21"}})});
    const ComparisonRow& angle = Row(comparison, "ChannelAngle (deg)");
    EXPECT_EQ(angle.differences[1], 15);
    EXPECT_FALSE(angle.percentages[1]);  // of a first value of 0
    const ComparisonRow& power = Row(comparison, "PowerKW (kW)");
    EXPECT_TRUE(power.values[0]);
    EXPECT_FALSE(power.values[1] || power.differences[1] || power.percentages[1]);
    EXPECT_EQ(Row(comparison, "Message").texts[1], "Assumed inlet pressure is too low!");

    const ComparisonGrid grid = ComparisonCells(comparison, ',');
    EXPECT_EQ(grid.header, (std::vector<std::string>{"Quantity", "axial", "low", "Δ", "Δ %"}));
    const auto powerRow = std::find_if(grid.rows.begin(), grid.rows.end(),
                                       [](const auto& row) { return row[0] == "Power Consumption at Mix. Part (kW)"; });
    ASSERT_NE(powerRow, grid.rows.end());
    EXPECT_NE((*powerRow)[1].find(','), std::string::npos);  // the user's separator
    EXPECT_EQ((*powerRow)[2] + (*powerRow)[3] + (*powerRow)[4], "");
}

TEST(Comparison, EachDesignIsJudgedByItsOwnLimits) {
    const Limit rise{"TemperatureRise", LimitBound::AtMost, 25};
    const Limit shear{"Barrier1ShearStress", LimitBound::AtLeast, 120};
    const Comparison comparison =
        CompareDesigns({Design("base", {}, {rise, shear}), Design("d350", {{"OutputRate", "350"}}, {rise})});
    const ComparisonRow& riseRow = Row(comparison, "TemperatureRise<=25");
    EXPECT_EQ(riseRow.texts[0].substr(0, 10), "failed by ");  // 29.55 ℃
    EXPECT_EQ(riseRow.texts[1].substr(0, 7), "met by ");      // 22.73 ℃
    EXPECT_EQ(Row(comparison, "Barrier1ShearStress>=120").texts,
              (std::vector<std::string>{"met by 15.8127", ""}));  // not a limit of d350
    EXPECT_EQ(Row(comparison, "Feasible").texts, (std::vector<std::string>{"no", "yes"}));

    const Comparison unknown = CompareDesigns({Design("a", {}, {{"Outcome", LimitBound::AtMost, 1}})});
    EXPECT_EQ(Row(unknown, "Outcome<=1").texts[0], "failed: no quantity of a run");
    EXPECT_EQ(Row(unknown, "Feasible").texts[0], "no");
}

// In SI the values, differences and margins are in SI units (a difference of
// temperatures without the offset), the quantities under their captions; the
// CSV's names keep their identifiers, with the unit of the system.
TEST(Comparison, OtherSystemsShowTheirUnitsUnderCaptions) {
    const Limit rise{"TemperatureRise", LimitBound::AtMost, 25};
    const std::vector<ComparedDesign> designs{Design("base", {}, {rise}),
                                              Design("d350", {{"OutputRate", "350"}, {"BarrierClearance2", "0.012"}}, {rise})};
    const Comparison metric = CompareDesigns(designs);
    const Comparison us = CompareDesigns(designs, UnitSystem::US, ',');
    const ComparisonRow& rate = Row(us, "OutputRate (lb/hr)");
    EXPECT_EQ(rate.caption, "Output (lb/hr)");
    EXPECT_DOUBLE_EQ(*rate.values[1], 350 / 0.45359237);
    const ComparisonRow& temperature = Row(us, "OutletAverageMeltTemp (°F)");
    const ComparisonRow& celsius = Row(metric, "OutletAverageMeltTemp (℃)");
    EXPECT_DOUBLE_EQ(*temperature.values[0], *celsius.values[0] * 1.8 + 32);
    EXPECT_NEAR(*temperature.differences[1], *celsius.differences[1] * 1.8, 1e-12);
    EXPECT_EQ(Row(us, "TemperatureRise<=25").caption, "Temperature Difference (°F) ≤ 45");  // a difference of 25 ℃
    const std::string margin = Row(metric, "TemperatureRise<=25").texts[0];  // "failed by 4.55363" ℃
    const double celsiusMargin = std::stod(margin.substr(margin.rfind(' ') + 1));
    EXPECT_EQ(Row(us, "TemperatureRise<=25").texts[0], "failed by " + FormatSignificant(celsiusMargin * 1.8, 6, ','));

    const ComparisonGrid grid = ComparisonCells(CompareDesigns(designs, UnitSystem::SI), '.');
    const auto row = [&grid](const std::string& caption) {
        const auto at = std::find_if(grid.rows.begin(), grid.rows.end(),
                                     [&caption](const auto& r) { return r[0] == caption; });
        return at == grid.rows.end() ? std::vector<std::string>{} : *at;
    };
    // An input in the fewest digits, past the conversion's last bit: 0.011 cm.
    EXPECT_EQ(row("Barrier Clearance - 2 (mm)"), (std::vector<std::string>{"Barrier Clearance - 2 (mm)", "0.11", "0.12",
                                                                           "+0.01", "+9.09 %"}));
    EXPECT_EQ(row("Total Pressure Drop (MPa)").size(), 5u);
    EXPECT_EQ(row("Total Pressure Drop (MPa)")[1],
              FormatSignificant(*Row(metric, "TotalPressureDrop (kgf/cm2)").values[0] * 0.0980665, 7, '.'));
    EXPECT_TRUE(row("TotalPressureDrop (MPa)").empty());
    const std::string csv = ComparisonCsv(CompareDesigns(designs, UnitSystem::SI));
    EXPECT_NE(csv.find("\nTotalPressureDrop (MPa),"), std::string::npos);
}

// A run that stopped says why beside its outcome: the rejected box by its
// caption and its text.
TEST(Comparison, StoppedOutcomeNamesWhatStoppedIt) {
    const Comparison comparison = CompareDesigns({Design("base", {}), Design("typo", {{"BarrierClearance1", "0.0x5"}})});
    const ComparisonGrid grid = ComparisonCells(comparison, '.');
    const auto outcome = std::find_if(grid.rows.begin(), grid.rows.end(), [](const auto& r) { return r[0] == "Outcome"; });
    ASSERT_NE(outcome, grid.rows.end());
    EXPECT_EQ((*outcome)[1], "complete");
    EXPECT_EQ((*outcome)[2],
              "input: Edit7 BarrierClearance1 (\"Barrier Clearance - 1 (cm)\"): \"0.0x5\" is not a real number");
    EXPECT_NE(ComparisonCsv(comparison).find("\nOutcome,complete,input,,\n"), std::string::npos);
}

// The warnings follow the text; CSV names with a comma are quoted, numbers
// exact, text rows without differences.
TEST(Comparison, TextAndCsvCarryTheWarnings) {
    const Comparison comparison =
        CompareDesigns({Design("base", {}), Design("d350, hot", {{"OutputRate", "350"}, {"ScrewSpeed", "20"}})});
    const std::string text = ComparisonText(comparison, '.');
    EXPECT_NE(text.find("Δ and Δ %: against base\nWarnings of d350, hot:\n  the pressure in the outlet channel"),
              std::string::npos)
        << text;
    const std::string csv = ComparisonCsv(comparison);
    EXPECT_EQ(csv.substr(0, csv.find('\n')),
              "Quantity,base,\"d350, hot\",\"Difference d350, hot\",\"Percent d350, hot\"");
    EXPECT_NE(csv.find("\nOutputRate (kg/hr),267,350,83,31.086142322097377\n"), std::string::npos);
    EXPECT_NE(csv.find("\nOutcome,complete,complete,,\n"), std::string::npos);
    EXPECT_NE(csv.find("\nWarnings,,the pressure in the outlet channel"), std::string::npos);
    EXPECT_EQ(static_cast<std::size_t>(std::count(csv.begin(), csv.end(), '\n')), comparison.rows.size() + 2);
}

// Each design's warnings are told in the comparison's system, as the Compare
// Cases window and the baseline comparison show them.
TEST(Comparison, WarningsInTheComparisonsSystem) {
    const std::vector<ComparedDesign> designs{Design("base", {}),
                                              Design("slow", {{"OutputRate", "350"}, {"ScrewSpeed", "20"}})};
    const Comparison us = CompareDesigns(designs, UnitSystem::US);
    ASSERT_FALSE(us.warnings.at(1).empty());
    EXPECT_EQ(us.warnings[1], WarningTexts(designs[1].run, UnitSystem::US, '.'));
    EXPECT_NE(us.warnings[1][0].find(" psi at z = "), std::string::npos) << us.warnings[1][0];
    EXPECT_EQ(CompareDesigns(designs).warnings[1], designs[1].run.warnings);
}

TEST(Comparison, DocumentHoldsTheTableAndEachDesignsWarnings) {
    const Comparison comparison =
        CompareDesigns({Design("base", {}), Design("slow", {{"ScrewSpeed", "20"}})});
    const ReportDocument document = ComparisonDocument(comparison, std::nullopt, "2026-12-09 00:00 +0000", '.');
    ASSERT_EQ(document.sections.size(), 3u);
    EXPECT_EQ(document.sections[0].columns, ComparisonCells(comparison, '.').header);
    EXPECT_EQ(document.sections[0].rows.size(), comparison.rows.size());
    EXPECT_EQ(document.sections[1].title, "Warnings of base");
    EXPECT_EQ(document.sections[2].notes, comparison.warnings[1]);
    const std::string html = HtmlDocument(document);
    EXPECT_NE(html.find("Designs compared: base, slow"), std::string::npos);
    EXPECT_NE(html.find("Number of Revolution (rpm)"), std::string::npos);
}

}  // namespace
}  // namespace vortane
