// The Study window's design map in the core: round ticks, a legend naming
// every curve, limits on the charts, the feasible map against Feasible, and
// the range a newly chosen input starts from.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "case/number_format.h"
#include "case/number_text.h"
#include "chart/chart.h"
#include "chart/chart_scale.h"
#include "result/limit_check.h"
#include "result/run_table.h"
#include "study/sweep_charts.h"
#include "study/sweep_run.h"
#include "study/sweep_table.h"
#include "support/sweep_plans.h"

namespace vortane {
namespace {

bool IsWhole(double value) { return std::fabs(value - std::round(value)) < 1e-6; }

TEST(RoundTicks, StepsOfOneTwoOrFiveAndTicksAtTheirMultiples) {
    const std::vector<std::pair<double, double>> ranges{{0.03, 0.065}, {0.0287, 0.1}, {267, 350}, {-96.93, 47.2},
                                                        {1e-5, 3.3e-5}, {0, 1e6},     {40, 120},  {0.5, 0.52}};
    for (const auto& [low, high] : ranges) {
        const AxisScale scale = NiceScale(low, high);
        const double mantissa = scale.step / std::pow(10.0, std::floor(std::log10(scale.step) + 1e-9));
        EXPECT_TRUE(std::fabs(mantissa - 1) < 1e-9 || std::fabs(mantissa - 2) < 1e-9 || std::fabs(mantissa - 5) < 1e-9)
            << low << ".." << high << " step " << scale.step;
        const std::vector<double> ticks = TickValues(scale);
        EXPECT_GE(ticks.size(), 4u);
        EXPECT_LE(ticks.size(), 12u);
        for (const double tick : ticks) EXPECT_TRUE(IsWhole(tick / scale.step)) << tick;
        EXPECT_LE(ticks.front(), low);
        EXPECT_GE(ticks.back(), high);
    }
    // Labels carry the decimals their step needs, no more.
    const AxisScale clearance = NiceScale(0.03, 0.1);
    std::vector<std::string> labels;
    for (const double tick : TickValues(clearance)) labels.push_back(TickLabel(tick, clearance.step));
    EXPECT_EQ(labels, (std::vector<std::string>{"0.03", "0.04", "0.05", "0.06", "0.07", "0.08", "0.09", "0.10"}));
    EXPECT_DOUBLE_EQ(RoundStep(0.013), 0.01);
    EXPECT_DOUBLE_EQ(RoundStep(0.04), 0.05);
    EXPECT_DOUBLE_EQ(RoundStep(2.6), 2);
    // Within a map's span: only the round ticks inside it.
    EXPECT_EQ(TicksWithin(0.0275, 0.1025).size(), 8u);
    EXPECT_DOUBLE_EQ(TicksWithin(0.0275, 0.1025).front(), 0.03);
    EXPECT_EQ(TicksWithin(57.5, 122.5), (std::vector<double>{60, 70, 80, 90, 100, 110, 120}));
}

TEST(SuggestedRanges, DefaultPlusMinusHalfInRoundSteps) {
    const auto range = [](std::string_view field, char separator = '.') {
        const SweepRange r = SuggestedRange(*FindInputField(field), separator);
        return std::vector<std::string>{r.from, r.to, r.step};
    };
    EXPECT_EQ(range("ScrewSpeed"), (std::vector<std::string>{"40", "120", "5"}));
    EXPECT_EQ(range("OutputRate"), (std::vector<std::string>{"140", "400", "10"}));
    EXPECT_EQ(range("BarrierClearance1"), (std::vector<std::string>{"0.026", "0.078", "0.002"}));
    EXPECT_EQ(range("BarrierClearance1", ','), (std::vector<std::string>{"0,026", "0,078", "0,002"}));
    // Around the case's number rather than the default: 100 ± 50 in steps of 5;
    // a number of 0 spans ±1.
    const auto around = [](std::string_view field, double value) {
        const SweepRange r = SuggestedRange(*FindInputField(field), value, '.');
        return std::vector<std::string>{r.from, r.to, r.step};
    };
    EXPECT_EQ(around("OutputRate", 100), (std::vector<std::string>{"50", "150", "5"}));
    EXPECT_EQ(around("ScrewSpeed", 60), (std::vector<std::string>{"30", "90", "5"}));
    EXPECT_EQ(around("OutputRate", 0), (std::vector<std::string>{"-1.0", "1.0", "0.1"}));
    // Every input's range makes a sweep of about 20 steps around its default
    // (a small count fewer, in whole steps); integers stay whole, positive
    // inputs above 0.
    for (const InputField& field : InputFields()) {
        const SweepRange r = SuggestedRange(field, '.');
        const SweepAxis axis = MakeSweepAxis(field, r.from, r.to, r.step, '.');
        const bool integer = field.conversion == InputField::Conversion::Integer;
        EXPECT_GE(axis.texts.size(), integer ? 3u : 11u) << field.name;
        EXPECT_LE(axis.texts.size(), 41u) << field.name;
        const double value = std::stod(std::string(field.defaultText));
        EXPECT_LE(std::stod(axis.texts.front()), value) << field.name;
        EXPECT_GE(std::stod(axis.texts.back()), value) << field.name;
        if (value > 0) {
            EXPECT_GT(std::stod(axis.texts.front()), 0) << field.name;
        }
        if (integer) {
            for (const std::string& text : axis.texts) EXPECT_EQ(text.find('.'), std::string::npos) << field.name;
        }
    }
}

Chart Named(std::size_t count) {
    Chart chart{"Curves", {"x", ""}, {{{"y", ""}, {}, {}}}};
    for (std::size_t i = 0; i < count; ++i)
        chart.panels[0].series.push_back(
            {"Number of Revolution = " + std::to_string(60 + 5 * i) + " rpm", {0, 1}, {0, 1}, CurveColour(i, count)});
    return chart;
}

TEST(DesignLegend, NamesEveryCurveAndEveryLimit) {
    const std::vector<LegendEntry> nine = LegendOf(Named(9), 12);
    ASSERT_EQ(nine.size(), 9u);
    for (std::size_t i = 0; i < 9; ++i) EXPECT_EQ(nine[i].label, Named(9).panels[0].series[i].label);

    // Thinned past the limit, the limits' lines and the failing mark stay.
    Chart many = Named(40);
    ChartSeries line{"Temperature Difference (℃) ≤ 30", {0, 1}, {30, 30}, LimitColour};
    line.limit = line.dashed = true;
    many.panels[0].series.push_back(line);
    many.panels[0].series[3].failed = {false, true};
    const std::vector<LegendEntry> thinned = LegendOf(many, 8);
    ASSERT_EQ(thinned.size(), 8u + 3u);
    EXPECT_EQ(thinned[7].label, many.panels[0].series[39].label);
    EXPECT_EQ(thinned[8].kind, LegendEntry::Kind::Note);
    EXPECT_EQ(thinned[9].kind, LegendEntry::Kind::Limit);
    EXPECT_EQ(thinned[9].label, "Temperature Difference (℃) ≤ 30");
    EXPECT_EQ(thinned[10].kind, LegendEntry::Kind::Failed);
}

// A clearance × speed grid at 350 kg/hr whose limits hold in part of it.
class FeasibleMapTest : public ::testing::Test {
protected:
    void SetUp() override {
        plan_ = testing::DefaultPlan({{"BarrierClearance1", "0.03", "0.1", "0.035"}, {"ScrewSpeed", "60", "120", "20"}});
        plan_.base[FindInputField("OutputRate")->box - 1] = "350";
        table_ = std::make_unique<SweepTable>(plan_);
        RunSweep(plan_, {2, {}, {}}, [&](const PointResult& point) { points_.push_back(point); });
        std::sort(points_.begin(), points_.end(), [](const PointResult& a, const PointResult& b) { return a.index < b.index; });
        for (const PointResult& point : points_) table_->Add(point);
    }

    bool FeasibleAt(std::size_t point) const {
        const RunResult& run = points_[point].run;
        return Feasible(run.outcome, run.warningKinds, {}, LimitMargins(limits_, LimitColumns(limits_), run));
    }

    SweepPlan plan_;
    std::unique_ptr<SweepTable> table_;
    std::vector<PointResult> points_;
    const std::vector<Limit> limits_{{"TemperatureRise", LimitBound::AtMost, 30},
                                     {"Barrier1ShearStress", LimitBound::AtLeast, 120}};
};

TEST_F(FeasibleMapTest, CellsAgreeWithFeasibleOfEachPoint) {
    for (const std::size_t along : {0u, 1u}) {
        const ChartMap map = FeasibleMap(*table_, along, limits_);
        const std::size_t nx = map.xValues.size(), ny = map.yValues.size();
        ASSERT_EQ(map.cells.size(), points_.size());
        std::size_t feasible = 0, differing = 0;
        for (std::size_t i = 0; i < nx; ++i)
            for (std::size_t j = 0; j < ny; ++j) {
                const std::size_t cell = i * ny + j, point = map.points[cell];
                EXPECT_EQ(map.cells[cell] == FeasibleCategory, FeasibleAt(point)) << point;
                feasible += FeasibleAt(point);
                // The cell is the point of its column's and row's values.
                const std::vector<std::size_t> at = AxisPositions(plan_, point);
                EXPECT_EQ(map.xTexts[i], plan_.axes[along].texts[at[along]]);
                EXPECT_EQ(map.yTexts[j], plan_.axes[1 - along].texts[at[1 - along]]);
                if (i + 1 < nx) differing += FeasibleAt(point) != FeasibleAt(map.points[cell + ny]);
                if (j + 1 < ny) differing += FeasibleAt(point) != FeasibleAt(map.points[cell + 1]);
            }
        EXPECT_GT(feasible, 0u);
        EXPECT_LT(feasible, points_.size());
        EXPECT_EQ(map.boundary.size(), differing);
        EXPECT_EQ(map.categories[FeasibleCategory].label, "meets every limit");
    }
    // The legend names each limit failed by its caption and unit in the
    // system shown, never by the name the files use.
    const auto failing = [this](UnitSystem system) {
        std::vector<std::string> labels;
        for (const MapCategory& category : FeasibleMap(*table_, 0, limits_, {}, system).categories)
            if (category.label.starts_with("fails ")) labels.push_back(category.label);
        return labels;
    };
    const std::vector<std::string> metric = failing(UnitSystem::Metric), us = failing(UnitSystem::US);
    ASSERT_EQ(metric.size(), 3u);
    EXPECT_EQ(metric[0], "fails Temperature Difference (℃) ≤ 30");
    EXPECT_EQ(metric[2], "fails several limits");
    ASSERT_EQ(us.size(), 3u);
    EXPECT_EQ(us[0], "fails Temperature Difference (°F) ≤ 54");
    EXPECT_EQ(us[1].find("Barrier1ShearStress"), std::string::npos) << us[1];
    EXPECT_NE(us[1].find("(psi) ≥ 17.4"), std::string::npos) << us[1];
    EXPECT_THROW(FeasibleMap(*table_, 0, std::vector<Limit>{{"Nothing", LimitBound::AtMost, 1}}), LimitError);
}

// The feasible cells shaded by a quantity carry their runs' values, in the
// system asked for, and only they; the ramp spans exactly those values.
TEST_F(FeasibleMapTest, ShadingCoversTheFeasibleCellsWithTheirRunsValues) {
    const SweepQuantity rise = ChartableQuantities()[2];
    ASSERT_EQ(rise.name, "TemperatureRise");
    for (const UnitSystem system : {UnitSystem::Metric, UnitSystem::US}) {
        ChartMap map = FeasibleMap(*table_, 0, limits_, {}, system);
        ShadeFeasible(map, *table_, rise, system);
        ASSERT_TRUE(map.shade);
        ASSERT_EQ(map.shade->values.size(), map.cells.size());
        double low = 1e300, high = -1e300;
        for (std::size_t cell = 0; cell < map.cells.size(); ++cell) {
            const double value = map.shade->values[cell];
            if (map.cells[cell] != FeasibleCategory) {
                EXPECT_TRUE(std::isnan(value));
                EXPECT_EQ(CellColour(map, cell), map.categories[map.cells[cell]].colour);
                continue;
            }
            const double metric = points_[map.points[cell]].run.data.TemperatureRise;
            EXPECT_NEAR(value, InSystem(metric, RunColumns()[rise.column].quantity, system), 1e-9);
            low = std::min(low, value);
            high = std::max(high, value);
        }
        EXPECT_EQ(map.shade->low, low);
        EXPECT_EQ(map.shade->high, high);
        EXPECT_NE(map.shade->quantity.unit, "");
    }
}

// A hovered cell tells its point and inputs, the three quantities of its run
// and each limit's margin; a cell whose point has not run only its inputs.
TEST_F(FeasibleMapTest, HoveredCellTellsQuantitiesAndMargins) {
    const ChartMap map = FeasibleMap(*table_, 1, limits_);
    const ChartAxis x{"Number of Revolution", "rpm"};
    const std::size_t cell = 1, point = map.points[cell];
    const RunResult& run = points_[point].run;
    ASSERT_EQ(run.outcome, RunOutcome::Complete);
    const std::vector<std::string> lines = MapCellLines(*table_, map, x, cell, limits_);
    ASSERT_EQ(lines.size(), 1u + 3u + 2u);
    EXPECT_EQ(lines[0], "Point " + std::to_string(point + 1) + ": " + MapCellText(map, x, 0, 1));
    EXPECT_EQ(lines[1], "Temperature Difference (℃): " + SignificantText(run.data.TemperatureRise, 5));
    EXPECT_EQ(lines[3].rfind("Total Pressure Drop (kgf/cm2): ", 0), 0u) << lines[3];
    EXPECT_EQ(lines[4], "Temperature Difference (℃) ≤ 30: margin " + SignificantText(30 - run.data.TemperatureRise, 5));
    EXPECT_EQ(lines[5].rfind("Shear Stress over Barrier Flight 1 (kPa) ≥ 120: margin ", 0), 0u) << lines[5];
    EXPECT_EQ(MapCellLines(*table_, map, x, cell, limits_, UnitSystem::SI)[1].rfind("Temperature Difference (K): ", 0),
              0u);
    // In US units the limit, its margin and the inputs' values are in °F and inches.
    const ChartMap us = FeasibleMap(*table_, 1, limits_, {}, UnitSystem::US);
    EXPECT_EQ(MapCellLines(*table_, us, x, cell, limits_, UnitSystem::US)[4],
              "Temperature Difference (°F) ≤ 54: margin " + SignificantText((30 - run.data.TemperatureRise) * 1.8, 5));
    ASSERT_EQ(us.yTexts.size(), 3u);
    for (std::size_t i = 0; i < us.yTexts.size(); ++i)
        EXPECT_EQ(ReadNumber(us.yTexts[i]), RoundedToSignificant(us.yValues[i], 15)) << us.yTexts[i];
    EXPECT_EQ(us.yTexts[0], FormatShortest(RoundedToSignificant(0.03 / 2.54, 15), '.'));

    SweepTable partial(plan_);
    partial.Add(points_[0]);
    const ChartMap early = FeasibleMap(partial, 0, limits_);
    EXPECT_EQ(MapCellLines(partial, early, x, 0, limits_).size(), 6u);
    EXPECT_EQ(MapCellLines(partial, early, x, early.cells.size() - 1, limits_).size(), 1u);
}

TEST_F(FeasibleMapTest, ChartsDrawLimitLinesAndMarkFailingPoints) {
    const SweepCurves curves(*table_, ChartableQuantities(), 1);  // against the screw speed
    EXPECT_EQ(curves.CurveCount(), plan_.axes[0].texts.size());
    std::size_t rise = 0;
    while (curves.Quantities()[rise].name != "TemperatureRise") ++rise;
    const Chart chart = SweepQuantityChart(plan_, curves, rise, SweepCurveLimit, limits_);
    EXPECT_EQ(chart.x.quantity, "Number of Revolution");
    const ChartPanel& panel = chart.panels.front();
    ASSERT_EQ(panel.series.size(), curves.CurveCount() + 1);  // one limit on this quantity
    EXPECT_TRUE(panel.series.back().limit);
    EXPECT_EQ(panel.series.back().label, "Temperature Difference (℃) ≤ 30");
    EXPECT_EQ(panel.series.back().y, (std::vector<double>{30, 30}));
    // In US units the line and its name move to the same bound, 30 ℃ of rise
    // being 54 ℉.
    const ChartSeries us =
        SweepQuantityChart(plan_, curves, rise, SweepCurveLimit, limits_, UnitSystem::US).panels.front().series.back();
    EXPECT_EQ(us.label, "Temperature Difference (°F) ≤ 54");
    EXPECT_NEAR(us.y.front(), 54, 1e-9);
    std::size_t failing = 0;
    for (std::size_t c = 0; c < curves.CurveCount(); ++c) {
        const SweepCurve curve = curves.Curve(rise, c);
        for (std::size_t i = 0; i < curve.points.size(); ++i) {
            const auto value = table_->Number(curve.points[i], curves.Quantities()[rise].column);
            EXPECT_EQ(IsFailed(panel.series[c], i), value && *value > 30) << curve.points[i];
            failing += IsFailed(panel.series[c], i);
        }
    }
    EXPECT_GT(failing, 0u);
}

// Over clearance and speed at 350 kg/hr, small clearances hold ΔT ≤ 30 ℃ while
// the outlet channel falls below zero. Such points are not feasible, in the
// table, its CSV and the map ("runs, but with a warning"), until the plan
// accepts negative pressure.
TEST(FeasibleMap, PointsThatWarnAreFeasibleOnlyWhenAccepted) {
    SweepPlan plan =
        testing::DefaultPlan({{"BarrierClearance1", "0.03", "0.1", "0.007"}, {"ScrewSpeed", "60", "140", "8"}});
    plan.base[FindInputField("OutputRate")->box - 1] = "350";
    plan.limits = {{"TemperatureRise", LimitBound::AtMost, 30}};
    SweepPlan accepting = plan;
    accepting.acceptedWarnings = WarningKind::NegativePressure;
    SweepTable table(plan), accepted(accepting);
    std::vector<PointResult> points;
    RunSweep(plan, {2, {}, {}}, [&](const PointResult& point) { points.push_back(point); });
    std::sort(points.begin(), points.end(), [](const PointResult& a, const PointResult& b) { return a.index < b.index; });
    for (const PointResult& point : points) {
        table.Add(point);
        accepted.Add(point);
    }
    const ChartMap map = FeasibleMap(table, 0, plan.limits);
    const ChartMap acceptedMap = FeasibleMap(accepted, 0, plan.limits, accepting.acceptedWarnings);
    std::size_t feasible = 0, warned = 0;
    for (std::size_t cell = 0; cell < map.cells.size(); ++cell) {
        const std::size_t point = map.points[cell];
        const bool holds = points[point].run.outcome == RunOutcome::Complete &&
                           points[point].run.data.TemperatureRise <= 30;
        const bool warns = !table.Warnings(point).Empty();
        EXPECT_EQ(table.Feasible(point), holds && !warns) << point;
        EXPECT_EQ(accepted.Feasible(point), holds && table.Warnings(point).Without(WarningKind::NegativePressure).Empty())
            << point;
        std::string row;
        table.AppendCsvRow(row, point);
        EXPECT_NE(row.find(table.Feasible(point) ? ",true," : ",false,"), std::string::npos) << row;
        if (warns && points[point].run.outcome == RunOutcome::Complete) {
            EXPECT_EQ(map.categories[map.cells[cell]].label, "runs, but with a warning");
            warned += holds;
        }
        EXPECT_EQ(map.cells[cell] == FeasibleCategory, table.Feasible(point));
        EXPECT_EQ(acceptedMap.cells[cell] == FeasibleCategory, accepted.Feasible(point));
        feasible += table.Feasible(point);
    }
    EXPECT_GT(feasible, 0u);
    EXPECT_GT(warned, 0u);  // points that met the limit, and would have been taken as feasible
    EXPECT_EQ(acceptedMap.categories[FeasibleCategory].label,
              "meets every limit, accepting warnings of negative-pressure");
}

TEST(ChartableQuantities, EveryNumericColumnIncludingTheIndicators) {
    const std::vector<SweepQuantity> quantities = ChartableQuantities();
    std::vector<std::string> names;
    names.reserve(quantities.size());
    for (const SweepQuantity& quantity : quantities) names.push_back(quantity.name);
    EXPECT_EQ(names.front(), "TotalPressureDrop");
    for (const std::string& name : LimitQuantities())
        EXPECT_NE(std::find(names.begin(), names.end(), name), names.end()) << name;
    EXPECT_EQ(names.size(), LimitQuantities().size());
}

}  // namespace
}  // namespace vortane
