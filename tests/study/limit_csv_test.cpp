// The CSV columns limits add: Feasible and a margin per limit, judged on the
// row's own columns, the same kept by the table of a sweep and in another
// system of units.
#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "study/study_csv.h"
#include "study/sweep_table.h"
#include "support/sweep_plans.h"

namespace vortane {
namespace {

// The CSV's rows by the header's names; no field is quoted in the grids here.
std::vector<std::map<std::string, std::string>> Rows(const std::string& csv) {
    std::istringstream in(csv);
    std::vector<std::string> names;
    std::vector<std::map<std::string, std::string>> rows;
    for (std::string line; std::getline(in, line);) {
        std::istringstream cells(line + ',');
        std::size_t c = 0;
        if (!names.empty()) rows.emplace_back();
        for (std::string cell; std::getline(cells, cell, ','); ++c) {
            if (rows.empty()) names.push_back(cell);
            else rows.back()[names.at(c)] = cell;
        }
        EXPECT_EQ(c, names.size()) << line;
    }
    return rows;
}

// Feasible is true exactly where the point is complete, warns of nothing, and
// both limits hold on
// its own columns; each margin is the bound's distance from its column.
TEST(LimitCsv, FeasibleIsTheRowsOwnColumnsJudged) {
    SweepPlan plan = testing::DefaultPlan(
        {{"BarrierClearance1", "0.03", "0.1", "0.035"}, {"ScrewSpeed", "60", "120", "30"}});
    plan.base[FindInputField("OutputRate")->box - 1] = "350";
    plan.limits = {{"TemperatureRise", LimitBound::AtMost, 30}, {"Barrier1ShearStress", LimitBound::AtLeast, 120}};
    std::string csv = SweepHeader(plan);
    SweepTable table(plan);
    RunSweep(plan, {2, {}, {}}, [&](const PointResult& point) {
        csv += SweepRow(plan, point);
        table.Add(point);
    });
    const auto rows = Rows(csv);
    ASSERT_EQ(rows.size(), 9u);
    std::size_t feasible = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const auto& row = rows[i];
        const double rise = std::stod(row.at("TemperatureRise"));
        const double stress = std::stod(row.at("Barrier1ShearStress (kPa)"));
        const bool holds = row.at("Outcome") == "complete" && row.at("Warnings").empty() && rise <= 30 && stress >= 120;
        EXPECT_EQ(row.at("Feasible"), holds ? "true" : "false") << i;
        EXPECT_EQ(row.at("Margin TemperatureRise<=30"), CsvNumber(30 - rise));
        EXPECT_EQ(row.at("Margin Barrier1ShearStress>=120"), CsvNumber(stress - 120));
        EXPECT_EQ(table.Feasible(i), holds);
        feasible += holds ? 1 : 0;
    }
    EXPECT_GT(feasible, 0u);  // the grid crosses the feasible region's edge
    EXPECT_LT(feasible, rows.size());
    EXPECT_EQ(table.CsvColumnName(table.CsvColumnCount() - 3), "Feasible");
    EXPECT_EQ(table.CsvCell(4, table.CsvColumnCount() - 1), rows[4].at("Margin Barrier1ShearStress>=120"));
}

// A margin converts as a difference: a temperature's without its offset.
TEST(LimitCsv, MarginsInAnotherSystemAreDifferences) {
    RunRequest request{DefaultTexts('.'), {}, '.', ReportTarget::None};
    request.texts[FindInputField("OutputRate")->box - 1] = "350";
    const RunResult run = RunCalculation(request);
    const std::vector<Limit> limits{{"OutletAverageMeltTemp", LimitBound::AtMost, 200}};
    const auto metric = Rows(SingleRunCsv(run, UnitSystem::Metric, limits));
    const auto us = Rows(SingleRunCsv(run, UnitSystem::US, limits));
    EXPECT_DOUBLE_EQ(std::stod(us.at(0).at("Margin OutletAverageMeltTemp<=200 (\u00b0F)")),
                     std::stod(metric.at(0).at("Margin OutletAverageMeltTemp<=200")) * 1.8);
    EXPECT_EQ(SingleRunCsv(run, UnitSystem::US, {}), SingleRunCsv(run, UnitSystem::US));
}

}  // namespace
}  // namespace vortane
