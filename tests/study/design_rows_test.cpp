// The table of chosen designs (a front's): a sweep's columns for rows that
// are no grid, Feasible always, and the mark column last.
#include "study/design_rows.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "result/run_table.h"
#include "study/study_csv.h"
#include "support/case_request.h"

namespace vortane {
namespace {

using Row = std::map<std::string, std::string>;

// The header's names and the rows by them; `delimiter` between cells, none
// quoted in the tables here.
std::pair<std::vector<std::string>, std::vector<Row>> Table(const std::string& csv, char delimiter = ',') {
    std::istringstream in(csv);
    std::vector<std::string> names;
    std::vector<Row> rows;
    for (std::string line; std::getline(in, line);) {
        std::istringstream cells(line + delimiter);
        std::size_t c = 0;
        if (!names.empty()) rows.emplace_back();
        for (std::string cell; std::getline(cells, cell, delimiter); ++c) {
            if (rows.empty()) names.push_back(cell);
            else rows.back()[names.at(c)] = cell;
        }
        EXPECT_EQ(c, names.size()) << line;
    }
    return {names, rows};
}

RunResult RunAt(const std::string& clearance, const std::string& speed, char separator = '.') {
    RunRequest request = testing::UnreportedRequest({{"OutputRate", "350"}});
    request.decimalSeparator = separator;
    request.texts = DefaultTexts(separator);
    request.texts[FindInputField("OutputRate")->box - 1] = "350";
    request.texts[FindInputField("BarrierClearance1")->box - 1] = clearance;
    request.texts[FindInputField("ScrewSpeed")->box - 1] = speed;
    return RunCalculation(request);
}

DesignTable TwoDesigns(const RunResult& cool, const RunResult& hot) {
    DesignTable table;
    table.fields = {FindInputField("BarrierClearance1"), FindInputField("ScrewSpeed")};
    table.rows = {{{"0.1", "80"}, &cool, false}, {{"0.05", "140"}, &hot, true}};
    table.markName = "Knee";
    table.limits = {{"TemperatureRise", LimitBound::AtMost, 30}};
    return table;
}

TEST(DesignTableCsv, HasTheSweepsColumnsThenFeasibleAndTheMark) {
    const RunResult cool = RunAt("0.1", "80"), hot = RunAt("0.05", "140");
    const auto [names, rows] = Table(DesignTableCsv(TwoDesigns(cool, hot)));
    ASSERT_EQ(rows.size(), 2U);
    EXPECT_EQ(names[0], "Point");
    EXPECT_EQ(names[1], "BarrierClearance1");
    EXPECT_EQ(names[2], "ScrewSpeed");
    EXPECT_EQ(names[3], "Outcome");
    ASSERT_EQ(names.size(), 3 + RunColumns().size() + 3);
    EXPECT_EQ(names[names.size() - 3], "Feasible");
    EXPECT_EQ(names[names.size() - 2], "Margin TemperatureRise<=30");
    EXPECT_EQ(names.back(), "Knee");
    EXPECT_EQ(rows[0].at("Point"), "1");
    EXPECT_EQ(rows[1].at("Point"), "2");
    EXPECT_EQ(rows[1].at("ScrewSpeed"), "140");
    EXPECT_EQ(rows[0].at("TemperatureRise"), CsvNumber(*ColumnNumber(*LimitColumn("TemperatureRise"), cool)));
    // The slow screw with the wide clearance stays within 30 ℃; the fast one
    // with the narrow clearance does not.
    EXPECT_EQ(rows[0].at("Feasible"), "true");
    EXPECT_EQ(rows[1].at("Feasible"), "false");
    EXPECT_EQ(rows[0].at("Knee"), "false");
    EXPECT_EQ(rows[1].at("Knee"), "true");
}

TEST(DesignTableCsv, JudgesFeasibilityWithoutLimitsAndTakesADecimalComma) {
    const RunResult cool = RunAt("0,1", "80", ','), hot = RunAt("0,05", "140", ',');
    DesignTable table = TwoDesigns(cool, hot);
    table.limits.clear();
    table.decimalSeparator = ',';
    table.rows[0].texts = {"0,1", "80"};
    const auto [names, rows] = Table(DesignTableCsv(table), ';');
    ASSERT_EQ(rows.size(), 2U);
    ASSERT_EQ(names.size(), 3 + RunColumns().size() + 2);
    EXPECT_EQ(names[names.size() - 2], "Feasible");
    EXPECT_EQ(rows[0].at("BarrierClearance1"), "0,1");
    EXPECT_EQ(rows[0].at("Feasible"), "true");
    EXPECT_EQ(rows[1].at("Knee"), "true");
}

// Whole cases by name: Design, the 28 inputs as typed, the run's columns and
// the extra numbers; with a decimal comma every number takes it, semicolons
// between cells; in SI the inputs are numbers in it.
TEST(CaseTableCsv, NamesEachCaseAndAddsItsNumbers) {
    const RunResult cool = RunAt("0,1", "80", ','), hot = RunAt("0,05", "140", ',');
    InputTexts coolTexts = DefaultTexts(','), hotTexts = DefaultTexts(',');
    hotTexts[FindInputField("ScrewSpeed")->box - 1] = "140";
    const CaseTable table{{{"Reference", &coolTexts, &cool, {0.0, 1.5}}, {"Hot", &hotTexts, &hot, {std::nullopt, -2.25}}},
                          {"Deviation A", "Deviation B"},
                          ','};
    const auto [names, rows] = Table(CaseTableCsv(table), ';');
    ASSERT_EQ(names.size(), 1 + InputCount + RunColumns().size() + 2);
    EXPECT_EQ(names[0], "Design");
    EXPECT_EQ(names[1], "BarrelDiameter");
    EXPECT_EQ(names.back(), "Deviation B");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].at("Design"), "Reference");
    EXPECT_EQ(rows[0].at("BarrelDiameter"), "11,43");
    EXPECT_EQ(rows[1].at("ScrewSpeed"), "140");
    EXPECT_EQ(rows[0].at("Deviation B"), "1,5");
    EXPECT_EQ(rows[1].at("Deviation A"), "");
    EXPECT_EQ(rows[1].at("Deviation B"), "-2,25");
    EXPECT_EQ(rows[1].at("Outcome"), "complete");
    const auto [si, siRows] = Table(CaseTableCsv({{{"Reference", &coolTexts, &cool, {}}}, {}, ','}, UnitSystem::SI), ';');
    EXPECT_EQ(si[1], "BarrelDiameter (mm)");
    EXPECT_EQ(siRows[0].at("BarrelDiameter (mm)"), "114,3");
}

}  // namespace
}  // namespace vortane
