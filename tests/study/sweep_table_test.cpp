#include "study/sweep_table.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>
#include <set>

#include "case/number_text.h"
#include "result/limit_check.h"
#include "result/run_table.h"
#include "study/study_csv.h"
#include "study/sweep_curves.h"
#include "support/sweep_plans.h"

namespace vortane {
namespace {

using testing::DefaultPlan;

std::vector<PointResult> Swept(const SweepPlan& plan) {
    std::vector<PointResult> points;
    RunSweep(plan, {2, {}, {}}, [&](const PointResult& point) { points.push_back(point); });
    return points;
}

// Every way a run can end: faults, non-convergence, low pressure and rejected
// channels on two grids; a text that does not convert; a report that cannot
// be opened; warnings on some points.
std::vector<SweepPlan> PlansWithEveryOutcome() {
    std::vector<SweepPlan> plans;
    plans.push_back(DefaultPlan({{"InletPressure", "0", "40", "20"}, {"OutputRate", "0", "300", "10"}}));
    plans.push_back(DefaultPlan({{"BarrierWidth1", "1", "9", "4"}, {"ChannelAngle", "0", "30", "15"}}));
    plans.push_back(DefaultPlan({{"OutputRate", "100", "130", "10"}}));
    plans.back().base[FindInputField("ScrewSpeed")->box - 1] = "4O";
    plans.push_back(DefaultPlan({{"OutputRate", "100", "130", "10"}}, "/no such directory/{n}.txt"));
    plans.push_back(DefaultPlan({{"OutputRate", "100", "400", "30"}, {"ScrewSpeed", "40", "140", "25"}}));
    // Limits on a channel value that stopped rows hold too, a result and an indicator.
    for (const std::size_t judged : {0, 4})
        plans[judged].limits = {{"ChannelWidth", LimitBound::AtLeast, 2.5},
                                {"TemperatureRise", LimitBound::AtMost, 30},
                                {"LeastInletPressure", LimitBound::AtLeast, 0}};
    return plans;
}

std::string Csv(const SweepTable& table) {
    std::string csv;
    EXPECT_TRUE(WriteSweepCsv(table, [&](std::string_view piece) {
        csv += piece;
        return true;
    }));
    return csv;
}

// The table's rows are SweepRow's bytes, its cells the unquoted fields and
// its numbers the runs' own, whatever the outcome.
TEST(SweepTable, RowsAreTheSweepsCsv) {
    std::set<RunOutcome> outcomes;
    bool warned = false;
    for (const SweepPlan& plan : PlansWithEveryOutcome()) {
        const std::vector<PointResult> points = Swept(plan);
        SweepTable table(plan);
        std::string expected = SweepHeader(plan);
        for (const PointResult& point : points) {
            table.Add(point);
            expected += SweepRow(plan, point);
        }
        ASSERT_EQ(table.Size(), points.size());
        EXPECT_EQ(Csv(table), expected);
        for (std::size_t i = 0; i < points.size(); ++i) {
            SCOPED_TRACE(::testing::Message() << "point " << i + 1);
            const RunResult& run = points[i].run;
            outcomes.insert(run.outcome);
            warned = warned || table.HasWarnings(i);
            EXPECT_EQ(table.Outcome(i), run.outcome);
            EXPECT_EQ(table.HasWarnings(i), !run.warnings.empty());
            const std::vector<RunColumn>& columns = RunColumns();
            for (std::size_t c = 0; c < columns.size(); ++c) {
                if (HoldsText(columns[c].kind)) {
                    EXPECT_EQ(table.Text(i, c), ColumnText(columns[c], run)) << columns[c].name;
                    EXPECT_EQ(table.Number(i, c), std::nullopt);
                } else {
                    const std::optional<double> number = ColumnNumber(columns[c], run);
                    ASSERT_EQ(table.Number(i, c).has_value(), number.has_value()) << columns[c].name;
                    if (number) {
                        EXPECT_EQ(std::bit_cast<std::uint64_t>(*table.Number(i, c)),
                                  std::bit_cast<std::uint64_t>(*number))
                            << columns[c].name;
                    }
                }
            }
            const std::size_t message = 1 + plan.axes.size() + 2;
            EXPECT_EQ(table.CsvCell(i, message), ColumnText(columns[2], run));
        }
    }
    EXPECT_EQ(outcomes, (std::set<RunOutcome>{RunOutcome::Complete, RunOutcome::InputRejected,
                                              RunOutcome::FileNotOpened, RunOutcome::ChannelRejected,
                                              RunOutcome::PressureTooLow, RunOutcome::NotConverged,
                                              RunOutcome::Fault}));
    EXPECT_TRUE(warned);
}

TEST(SweepTable, CellsAndColumnNamesAreTheCsvsUnquoted) {
    const SweepPlan plan = DefaultPlan({{"OutputRate", "100", "110", "10"}, {"ScrewSpeed", "40", "60", "20"}});
    SweepTable table(plan);
    for (const PointResult& point : Swept(plan)) table.Add(point);
    std::string header;
    for (std::size_t c = 0; c < table.CsvColumnCount(); ++c) header += (c ? "," : "") + table.CsvColumnName(c);
    EXPECT_EQ(header + '\n', SweepHeader(plan));
    EXPECT_EQ(table.CsvCell(3, 0), "4");
    EXPECT_EQ(table.CsvCell(3, 1), "110");
    EXPECT_EQ(table.CsvCell(3, 2), "60");
    EXPECT_EQ(table.CsvCell(3, 3), "complete");
    EXPECT_EQ(table.CsvCell(3, 5), "");  // no message
}

// In SI and US units the table shows the CSV that vortane-calc --units writes.
TEST(SweepTable, CellsInAnotherSystemAreThatSystemsCsv) {
    const SweepPlan plan = DefaultPlan({{"OutputRate", "100", "110", "10"}, {"InletPressure", "0", "200", "200"}});
    SweepTable table(plan);
    const std::vector<PointResult> points = Swept(plan);
    for (const PointResult& point : points) table.Add(point);
    for (const UnitSystem system : {UnitSystem::SI, UnitSystem::US}) {
        std::string header;
        for (std::size_t c = 0; c < table.CsvColumnCount(); ++c)
            header += (c ? "," : "") + CsvField(table.CsvColumnName(c, system));
        EXPECT_EQ(header + '\n', SweepHeader(plan, system));
        for (const PointResult& point : points) {
            std::string row;
            for (std::size_t c = 0; c < table.CsvColumnCount(); ++c)
                row += (c ? "," : "") + CsvField(table.CsvCell(point.index, c, system));
            EXPECT_EQ(row + '\n', SweepRow(plan, point, system)) << point.index;
        }
    }
}

// What the Study window shows: captions with the unit of the system, swept
// values in the fewest digits that read back, computed ones to seven digits.
TEST(SweepTable, ShownCellsReadAsAPersonReadsThem) {
    SweepPlan plan = DefaultPlan({{"ScrewSpeed", "60.08", "60.08", "1"}, {"BarrierClearance2", "0.011", "0.011", "1"}});
    plan.limits = {{"TemperatureRise", LimitBound::AtMost, 30}};
    SweepTable table(plan);
    for (const PointResult& point : Swept(plan)) table.Add(point);
    const std::size_t rise = 1 + 2 + ColumnIndex(*LimitColumn("TemperatureRise"));
    EXPECT_EQ(table.ShownColumnName(1, UnitSystem::SI), "Number of Revolution (rpm)");
    EXPECT_EQ(table.ShownColumnName(2, UnitSystem::SI), "Barrier Clearance - 2 (mm)");
    EXPECT_EQ(table.ShownColumnName(rise, UnitSystem::US), "Temperature Difference (°F)");
    EXPECT_EQ(table.ShownColumnName(table.CsvColumnCount() - 1, UnitSystem::Metric),
              "Margin to Temperature Difference (℃) ≤ 30");
    EXPECT_EQ(table.ShownCell(0, 1, UnitSystem::SI), "60.08");  // %.17g: 60.079999999999998
    EXPECT_EQ(table.ShownCell(0, 2, UnitSystem::SI), "0.11");   // 0.011 cm, not 0.10999999999999999 mm
    const double metric = *table.Number(0, rise - 3);
    EXPECT_EQ(table.ShownCell(0, rise, UnitSystem::Metric), FormatSignificant(metric, 7, '.'));
    EXPECT_EQ(table.ShownCell(0, rise, UnitSystem::US), FormatSignificant(metric * 1.8, 7, '.'));  // a difference
    EXPECT_EQ(table.ShownCell(0, 3, UnitSystem::SI), "complete");
}

TEST(SweepTable, PointsOutOfOrderAreRefused) {
    const SweepPlan plan = DefaultPlan({{"OutputRate", "100", "110", "10"}});
    const std::vector<PointResult> points = Swept(plan);
    SweepTable table(plan);
    EXPECT_THROW(table.Add(points[1]), std::logic_error);
    table.Add(points[0]);
    EXPECT_THROW(table.Add(points[0]), std::logic_error);
    EXPECT_EQ(table.Size(), 1u);
}

// Constant, then coded, then each in full: every value reads back to the bit,
// zero's sign and NaN included.
TEST(CompactColumn, ValuesReadBackExactly) {
    std::vector<double> values{-0.0, -0.0, 0.0, std::numeric_limits<double>::quiet_NaN(), 0.0};
    // Past 256 distinct values codes widen to two bytes, past 65,536 the
    // column holds each value in full.
    for (int i = 0; i < 70000; ++i) values.push_back(i % 3 == 0 ? 1.5 : 0.1 * i);
    CompactColumn column;
    std::vector<double> expected;
    for (std::size_t i = 0; i < values.size(); ++i) {
        column.Add(values[i]);
        expected.push_back(values[i]);
        if (i % 50 == 0) {
            column.Repeat();  // an empty cell: the last value again
            expected.push_back(values[i]);
        }
        if (i == 1 || i == 4 || i == 200 || i == 1000 || i == 98000 || i + 1 == values.size()) {
            ASSERT_EQ(column.Size(), expected.size());
            for (std::size_t p = 0; p < expected.size(); ++p)
                ASSERT_EQ(std::bit_cast<std::uint64_t>(column[p]), std::bit_cast<std::uint64_t>(expected[p]))
                    << "after " << i << " at " << p;
        }
    }
    // A column that follows the second of two swept inputs: 1,000 values
    // over and over, held in two-byte codes.
    CompactColumn repeating;
    CompactColumn varying;
    for (int i = 0; i < 20000; ++i) {
        repeating.Add(0.5 * (i % 1000));
        varying.Add(0.5 * i);
    }
    for (std::size_t p = 0; p < repeating.Size(); ++p) {
        ASSERT_EQ(repeating[p], 0.5 * static_cast<double>(p % 1000));
        ASSERT_EQ(varying[p], 0.5 * static_cast<double>(p));
    }
    EXPECT_EQ(repeating.PointBytes(), 2 * repeating.Size());
    EXPECT_EQ(varying.PointBytes(), 8 * varying.Size());
    CompactColumn empty;
    empty.Repeat();
    EXPECT_EQ(empty.Size(), 1u);
}

// Curves over a table another fills show what it holds so far; the rest are
// gaps.
TEST(SweepCurves, ReadTheTableAsItGrows) {
    const SweepPlan plan = DefaultPlan({{"InletPressure", "21", "23", "1"}, {"ScrewSpeed", "60", "100", "40"}});
    const std::vector<PointResult> points = Swept(plan);
    SweepTable table(plan);
    SweepCurves curves(table, MainSweepQuantities());
    EXPECT_THROW(curves.Add(points[0]), std::logic_error);
    for (std::size_t i = 0; i < 3; ++i) table.Add(points[i]);
    const SweepCurve first = curves.Curve(0, 0);
    EXPECT_EQ(first.x, (std::vector<double>{21, 22, 23}));
    EXPECT_EQ(first.label, "Number of Revolution = 60 rpm");
    for (std::size_t i = 0; i < 3; ++i) {
        const std::size_t point = 2 * i;
        const bool shown = point < 3 && points[point].run.outcome == RunOutcome::Complete;
        EXPECT_EQ(std::isnan(first.y[i]), !shown) << i;
        if (shown) {
            EXPECT_EQ(first.y[i], points[point].run.data.TotalPressureDrop);
        }
    }
}

}  // namespace
}  // namespace vortane
