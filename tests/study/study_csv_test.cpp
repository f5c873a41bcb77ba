#include "study/study_csv.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <limits>

#include "model/profile_along_channels.h"
#include "result/run_summary.h"
#include "run/run_warnings.h"
#include "support/case_request.h"
#include "support/sweep_plans.h"

namespace vortane {
namespace {

std::string Printf17g(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.17g", value);
    return buffer;
}

TEST(StudyCsv, NumbersAsPercent17g) {
    for (const double value : {0.0, -0.0, 1.0, 267.0, 0.1, -96.932657449124804, 1.1946e-3,
                               -4.7079e-7, 1e300, 5e-324, 123456789012345678.0})
        EXPECT_EQ(CsvNumber(value), Printf17g(value)) << value;
    EXPECT_EQ(CsvNumber(0.1), "0.10000000000000001");
    EXPECT_EQ(CsvNumber(-96.932657449124804), "-96.932657449124804");
}

TEST(StudyCsv, FieldsQuotedWhenNeeded) {
    EXPECT_EQ(CsvField("30"), "30");
    EXPECT_EQ(CsvField(""), "");
    EXPECT_EQ(CsvField("30,5"), "\"30,5\"");
    EXPECT_EQ(CsvField("Input data is not proper, change and try again!"),
              "\"Input data is not proper, change and try again!\"");
    EXPECT_EQ(CsvField("say \"hi\""), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(CsvField("a\nb"), "\"a\nb\"");
}

// Where the comma is the decimal mark: ";" between fields, numbers with a
// decimal comma, texts quoted only for ";", a quote or a line break.
TEST(StudyCsv, CommaDecimalCsvIsWhatSpreadsheetsReadThere) {
    EXPECT_EQ(CommaDecimalCsv("Point,\"30,5\",x.y,-4.7079e-07,,complete\n1,\"a; b\",\"say \"\"hi\"\"\",inf,2\n"),
              "Point;30,5;x.y;-4,7079e-07;;complete\n1;\"a; b\";\"say \"\"hi\"\"\";inf;2\n");
    EXPECT_EQ(CommaDecimalCsv("\"Input data is not proper, change and try again!\"\n"),
              "Input data is not proper, change and try again!\n");

    // A sweep with a decimal comma: its swept values numbers, every number
    // with the comma, header and rows alike; the same points with a point
    // keep their bytes.
    std::vector<SweepAxis> axes{MakeSweepAxis(*FindInputField("ScrewSpeed"), "60,08", "60,58", "0,5", ',')};
    const SweepPlan plan = MakeSweepPlan(DefaultTexts(','), std::move(axes), ',', {});
    const SweepPlan point = testing::DefaultPlan({{"ScrewSpeed", "60.08", "60.58", "0.5"}});
    EXPECT_EQ(SweepHeader(plan), CommaDecimalCsv(SweepHeader(point)));
    std::vector<PointResult> points;
    RunSweep(plan, {1, {}, {}}, [&](const PointResult& p) { points.push_back(p); });
    ASSERT_EQ(points.size(), 2u);
    const std::string row = SweepRow(plan, points[1]);
    EXPECT_EQ(row.substr(0, row.find(";complete;")), "2;60,58");
    EXPECT_EQ(row, CommaDecimalCsv(SweepRow(point, {1, points[1].run})));
    EXPECT_EQ(SweepRow(point, {1, points[1].run}).substr(0, 15), "2,60.58,complet");
}

TEST(StudyCsv, OutcomeNames) {
    EXPECT_EQ(OutcomeName(RunOutcome::Complete), "complete");
    EXPECT_EQ(OutcomeName(RunOutcome::InputRejected), "input");
    EXPECT_EQ(OutcomeName(RunOutcome::FileNotOpened), "file");
    EXPECT_EQ(OutcomeName(RunOutcome::ChannelRejected), "channel");
    EXPECT_EQ(OutcomeName(RunOutcome::PressureTooLow), "pressure");
    EXPECT_EQ(OutcomeName(RunOutcome::NotConverged), "nonconvergent");
    EXPECT_EQ(OutcomeName(RunOutcome::Fault), "fault");
}

// Splits a CSV line without quoted fields.
std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields(1);
    for (const char c : line) {
        if (c == ',')
            fields.emplace_back();
        else if (c != '\n')
            fields.back() += c;
    }
    return fields;
}

TEST(StudyCsv, RowsCarryWhatTheReportWouldHold) {
    const SweepPlan plan = testing::DefaultPlan(
        {{"InletPressure", "21", "22", "1"}, {"OutputRate", "267", "267", "1"}});
    EXPECT_EQ(SweepHeader(plan),
              "Point,InletPressure,OutputRate,Outcome,Passes,Message,ChannelWidth,"
              "EquivalentWidth,SectionArea,DragShapeFactor,PressureShapeFactor,"
              "RelPressureInletEnd,RelPressureOutletStart,RelPressureOutletEnd,TotalPressureDrop,"
              "PowerKW,InletAverageMeltTemp,OutletAverageMeltTemp,TemperatureRise,"
              "Barrier1ShearStress (kPa),Barrier2ShearStress (kPa),SpecificEnergy (kWh/kg),"
              "ResidenceTime (s),LeastInletPressure (kgf/cm2),LeastInletPressureZ (-),"
              "LeastOutletPressure (kgf/cm2),LeastOutletPressureZ (-),Warnings\n");

    const std::vector<std::string> low = Fields(SweepRow(plan, RunPoint(plan, 0)));
    ASSERT_EQ(low.size(), 28u);
    EXPECT_EQ(low[0], "1");
    EXPECT_EQ(low[1], "21");
    EXPECT_EQ(low[3], "pressure");
    EXPECT_EQ(low[4], "1");
    EXPECT_EQ(low[5], "Assumed inlet pressure is too low!");
    EXPECT_EQ(low[6].substr(0, 5), "2.583");  // the channel block was written
    for (std::size_t i = 11; i < 28; ++i) EXPECT_EQ(low[i], "") << i;

    const PointResult complete = RunPoint(plan, 1);
    const std::vector<std::string> row = Fields(SweepRow(plan, complete));
    EXPECT_EQ(row[3], "complete");
    EXPECT_EQ(row[5], "");
    EXPECT_EQ(row[15], CsvNumber(complete.run.data.PowerKW));
    EXPECT_EQ(row[18], CsvNumber(complete.run.data.TemperatureRise));
    EXPECT_EQ(std::stod(row[14]), complete.run.data.TotalPressureDrop);  // reads back exactly
    ASSERT_TRUE(complete.run.indicators.has_value());
    EXPECT_EQ(row[21], CsvNumber(complete.run.indicators->specificEnergy));
    // At 22 kgf/cm2 the inlet channel's pressure dips below zero mid-way.
    EXPECT_EQ(row[27].substr(0, 58), "the pressure in the inlet channel falls to -1.24 kgf/cm2 a");

    // A fault leaves every value empty; the warnings say what was wrong.
    const SweepPlan rejected = testing::DefaultPlan({{"ChannelDepth", "0", "0", "1"}});
    EXPECT_EQ(SweepRow(rejected, RunPoint(rejected, 0)),
              "1,0,fault,0,Invalid floating point operation,,,,,,,,,,,,,,,,,,,,,,"
              "\"BarrierClearance1 = 0.052 is outside its sound range, below ChannelDepth = 0; "
              "BarrierClearance2 = 0.011 is outside its sound range, below ChannelDepth = 0; "
              "ChannelDepth = 0 is outside its sound range, above 0\"\n");
}

TEST(StudyCsv, ProfileLines) {
    const CaseData d = RunCalculation(testing::UnreportedRequest()).data;
    const std::string csv = ProfileCsv(ProfileAlongChannels(d, 100));
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < csv.size();) {
        const std::size_t end = csv.find('\n', at);
        lines.push_back(csv.substr(at, end - at));
        at = end + 1;
    }
    ASSERT_EQ(lines.size(), 102u);
    EXPECT_EQ(lines[0],
              "z,InletFlowFraction,OutletFlowFraction,RelPressureInlet,RelPressureOutlet,"
              "PressureInlet,PressureOutlet");
    EXPECT_EQ(lines[1], "0,1,0,1," + CsvNumber(d.RelPressureOutletStart) + ",200," +
                            CsvNumber(ChannelPointAt(d, 0).pressureOutlet));
    EXPECT_EQ(Fields(lines[51])[0], "0.5");
    EXPECT_EQ(Fields(lines[101])[0], "1");
    EXPECT_EQ(Fields(lines[101])[2], "1");
}

// The Warnings cell and the run's summary tell the warnings in the chosen
// system: a channel length of -2.54 cm is -1 in; in technical metric the cell
// is the run's own text.
TEST(StudyCsv, WarningsInTheChosenSystem) {
    const RunResult run = RunCalculation(testing::UnreportedRequest({{"ChannelLength", "-2.54"}}));
    const std::string us = "ChannelLength = -1 in is outside its sound range, above 0";
    ASSERT_EQ(WarningTexts(run, UnitSystem::US, '.').at(0), us);
    EXPECT_NE(SingleRunCsv(run, UnitSystem::US).find(",\"" + us), std::string::npos);
    EXPECT_NE(SingleRunCsv(run, UnitSystem::Metric).find(",\"" + run.warnings.at(0)), std::string::npos);
    EXPECT_EQ(SummarizeRun(run, '.', UnitSystem::US).warnings.at(0), us);
    EXPECT_EQ(SummarizeRun(run, '.', UnitSystem::SI).warnings.at(0),
              "ChannelLength = -25.4 mm is outside its sound range, above 0");
    EXPECT_EQ(SummarizeRun(run, '.').warnings, run.warnings);
}

}  // namespace
}  // namespace vortane
