// The CSV columns limits add: Feasible and a margin per limit, judged on the
// row's own columns, the same from a run, from the table that keeps a sweep
// and in another system of units.
#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "study/study_csv.h"
#include "study/sweep_table.h"
#include "support/sweep_plans.h"

namespace vortane {
namespace {

const std::vector<Limit> DesignLimits{{"TemperatureRise", LimitBound::AtMost, 30},
                                      {"Barrier1ShearStress", LimitBound::AtLeast, 120}};

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    std::istringstream in(line);
    for (std::string field; std::getline(in, field, ',');) fields.push_back(field);
    if (!line.empty() && line.back() == ',') fields.emplace_back();
    return fields;
}

// The CSV's rows as maps from the header's names to the cells; no field is
// quoted in the grids here.
std::vector<std::map<std::string, std::string>> Rows(const std::string& csv) {
    std::istringstream in(csv);
    std::string line;
    std::getline(in, line);
    const std::vector<std::string> names = Fields(line);
    std::vector<std::map<std::string, std::string>> rows;
    while (std::getline(in, line)) {
        const std::vector<std::string> cells = Fields(line);
        EXPECT_EQ(cells.size(), names.size()) << line;
        auto& row = rows.emplace_back();
        for (std::size_t c = 0; c < names.size() && c < cells.size(); ++c) row[names[c]] = cells[c];
    }
    return rows;
}

SweepPlan ClearanceBySpeedAt350() {
    SweepPlan plan = testing::DefaultPlan(
        {{"BarrierClearance1", "0.03", "0.1", "0.035"}, {"ScrewSpeed", "60", "120", "30"}});
    plan.base[FindInputField("OutputRate")->box - 1] = "350";
    plan.limits = DesignLimits;
    return plan;
}

// Feasible is true exactly where the point is complete and both limits hold on
// its own columns; each margin is the bound's distance from its column.
TEST(LimitCsv, FeasibleIsTheRowsOwnColumnsJudged) {
    const SweepPlan plan = ClearanceBySpeedAt350();
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
        SCOPED_TRACE(row.at("Point"));
        const std::string& rise = row.at("TemperatureRise");
        const std::string& stress = row.at("Barrier1ShearStress (kPa)");
        const bool complete = row.at("Outcome") == "complete";
        const bool holds = complete && std::stod(rise) <= 30 && std::stod(stress) >= 120;
        EXPECT_EQ(row.at("Feasible"), holds ? "true" : "false");
        feasible += holds ? 1 : 0;
        if (complete) {
            EXPECT_EQ(row.at("Margin TemperatureRise<=30"), CsvNumber(30 - std::stod(rise)));
            EXPECT_EQ(row.at("Margin Barrier1ShearStress>=120"), CsvNumber(std::stod(stress) - 120));
        } else {
            EXPECT_EQ(row.at("Margin TemperatureRise<=30"), "");
        }
        EXPECT_EQ(table.Feasible(i), holds);
        EXPECT_EQ(table.Margins(i).size(), 2u);
    }
    // The grid crosses the feasible region's edge.
    EXPECT_GT(feasible, 0u);
    EXPECT_LT(feasible, rows.size());

    std::string kept;
    WriteSweepCsv(table, [&](std::string_view piece) {
        kept += piece;
        return true;
    });
    EXPECT_EQ(kept, csv);
    const std::size_t feasibleColumn = table.CsvColumnCount() - 3;
    EXPECT_EQ(table.CsvColumnName(feasibleColumn), "Feasible");
    EXPECT_EQ(table.CsvColumnName(feasibleColumn + 2), "Margin Barrier1ShearStress>=120");
    EXPECT_EQ(table.CsvCell(4, feasibleColumn), rows[4].at("Feasible"));
    EXPECT_EQ(table.CsvCell(4, feasibleColumn + 1), rows[4].at("Margin TemperatureRise<=30"));
}

// A margin converts as a difference: a temperature's without its offset.
TEST(LimitCsv, MarginsInAnotherSystemAreDifferences) {
    RunRequest request;
    request.texts = DefaultTexts('.');
    request.report = ReportTarget::None;
    request.texts[FindInputField("OutputRate")->box - 1] = "350";
    const RunResult run = RunCalculation(request);
    ASSERT_EQ(run.outcome, RunOutcome::Complete);
    const std::vector<Limit> limits{{"OutletAverageMeltTemp", LimitBound::AtMost, 200},
                                    {"TotalPressureDrop", LimitBound::AtMost, 30}};
    const auto metric = Rows(SingleRunCsv(run, UnitSystem::Metric, limits));
    const auto us = Rows(SingleRunCsv(run, UnitSystem::US, limits));
    ASSERT_EQ(us.size(), 1u);
    EXPECT_EQ(us[0].count("Margin OutletAverageMeltTemp<=200 (\u00b0F)"), 1u);
    const double metricMargin = std::stod(metric[0].at("Margin OutletAverageMeltTemp<=200"));
    EXPECT_DOUBLE_EQ(std::stod(us[0].at("Margin OutletAverageMeltTemp<=200 (\u00b0F)")), metricMargin * 1.8);
    EXPECT_DOUBLE_EQ(std::stod(us[0].at("Margin TotalPressureDrop<=30 (psi)")),
                     std::stod(metric[0].at("Margin TotalPressureDrop<=30")) * 14.223343307119563);
    EXPECT_EQ(us[0].at("Feasible"), metric[0].at("Feasible"));
    // Without limits the CSV is the run's alone.
    EXPECT_EQ(SingleRunCsv(run, UnitSystem::US, {}), SingleRunCsv(run, UnitSystem::US));
    EXPECT_EQ(SingleRunCsv(run).find("Feasible"), std::string::npos);
}

}  // namespace
}  // namespace vortane
