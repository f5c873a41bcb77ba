#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>
#include <string>

#include "support/default_report.h"
#include "support/scratch_dir.h"
#include "terminal_run.h"

namespace vortane {
namespace {

using testing::ReadBytes;
using testing::ScratchDir;
using testing::TerminalRun;

struct Outcome {
    int status;
    std::string stderrText;
    std::string stdoutText;
};

// Runs vortane-calc in `dir` with a shell command line of arguments.
Outcome RunCalc(const ScratchDir& dir, const std::string& arguments,
                const std::string& environment = "LC_ALL=C") {
    const std::string errors = dir.Path("stderr.txt").string();
    const std::string output = dir.Path("stdout.txt").string();
    const std::string command = "cd '" + dir.Root().string() + "' && " + environment + " " +
                                VORTANE_CALC + " " + arguments + " >'" + output + "' 2>'" +
                                errors + "'";
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadBytes(errors), ReadBytes(output)};
}

std::size_t Lines(const std::string& bytes) {
    return static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n'));
}

TEST(VortaneCalc, DefaultCaseWritesTheFullReport) {
    ScratchDir dir;
    const Outcome outcome = RunCalc(dir, "");
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.stderrText, "");
    EXPECT_EQ(ReadBytes(dir.Path("result.txt")), testing::DefaultReportLines(49));
}

TEST(VortaneCalc, StageMessagesAndExitStatus) {
    ScratchDir dir;
    Outcome outcome = RunCalc(dir, "-o low.txt InletPressure=21");
    EXPECT_EQ(outcome.status, 1);
    // The message alone on its line, then why.
    EXPECT_EQ(outcome.stderrText,
              "Assumed inlet pressure is too low!\n"
              "vortane-calc: the inlet pressure test passes in every pass above InletPressure = "
              "21.13058 kgf/cm2\n");
    EXPECT_EQ(Lines(ReadBytes(dir.Path("low.txt"))), 38u);

    outcome = RunCalc(dir, "Edit10=0.3 BarrierWidth1=7");
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.stderrText,
              "Input condition is not proper! Calculated width becomes minus.\n"
              "Channel dimensions are not proper! Corner radius is larger than width/2\n");

    outcome = RunCalc(dir, "OutputRate=10");
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.stderrText,
              "Temperature iteration does not converge!\n"
              "vortane-calc: the working temperature alternates between 169.57 \u2103 and 581.36 \u2103\n");

    // Warnings follow the messages; the run still completes.
    outcome = RunCalc(dir, "ChannelLength=-5 ScrewSpeed=20");
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.stderrText.substr(0, 78),
              "vortane-calc: warning: ChannelLength = -5 is outside its sound range, above 0\n");

    outcome = RunCalc(dir, "-o missing/r.txt");
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.stderrText, "File can not open!\nvortane-calc: cannot open " +
                                      dir.Path("missing/r.txt").string() +
                                      ": No such file or directory\n");
}

TEST(VortaneCalc, FaultsExitWithThree) {
    ScratchDir dir;
    Outcome outcome = RunCalc(dir, "ScrewSpeed=0");
    EXPECT_EQ(outcome.status, 3);
    EXPECT_EQ(outcome.stderrText,
              "Floating point division by zero\n"
              "vortane-calc: ScrewSpeed = 0 is outside its sound range, above 0, and the fault follows from it\n"
              "vortane-calc: warning: ScrewSpeed = 0 is outside its sound range, above 0\n");

    outcome = RunCalc(dir, "-o /dev/full");
    EXPECT_EQ(outcome.status, 3);
    EXPECT_EQ(outcome.stderrText, "I/O error while writing the report: No space left on device\n");
}

TEST(VortaneCalc, UsageErrorsExitWithTwo) {
    ScratchDir dir;
    // An error is one line; only a command line that cannot be read at all
    // brings the usage text.
    Outcome outcome = RunCalc(dir, "Speed=80");
    EXPECT_EQ(outcome.status, 2);
    EXPECT_EQ(outcome.stderrText, "vortane-calc: unknown field Speed\n");
    outcome = RunCalc(dir, "outputrat=80");
    EXPECT_EQ(outcome.stderrText, "vortane-calc: unknown field outputrat (did you mean OutputRate?)\n");
    outcome = RunCalc(dir, "--frobnicate");
    EXPECT_EQ(outcome.status, 2);
    EXPECT_EQ(outcome.stderrText.find("vortane-calc: unexpected argument --frobnicate\n\nusage: "), 0u);

    outcome = RunCalc(dir, "--help");
    EXPECT_EQ(outcome.status, 0);
    EXPECT_NE(outcome.stdoutText.find("  Edit3   OutputRate             kg/hr        267.0\n"),
              std::string::npos);
    EXPECT_NE(outcome.stdoutText.find("  Edit28  A12                    -            1.1946E-3\n"),
              std::string::npos);
}

// A report's name the run would cut is refused before anything is written:
// the cut would drop part of the folder too.
TEST(VortaneCalc, ReportNamesTooLongAreRefused) {
    ScratchDir dir;
    const std::string folder = dir.Path(std::string(120, 'd')).string();
    std::filesystem::create_directories(folder + "/" + std::string(100, 'e'));
    const std::string name = folder + "/" + std::string(100, 'e') + "/report.txt";
    ASSERT_GT(name.size(), 255u);
    for (const std::string& arguments : {"-o " + name + " --write-case c.vcase --csv c.csv",
                                         "--sweep OutputRate=100:200:50 -o " + name + "{n}"}) {
        const Outcome outcome = RunCalc(dir, arguments);
        EXPECT_EQ(outcome.status, 2);
        EXPECT_EQ(Lines(outcome.stderrText), 1u) << outcome.stderrText;
        EXPECT_EQ(outcome.stderrText.rfind("vortane-calc: the report's name \"/", 0), 0u) << outcome.stderrText;
        EXPECT_NE(outcome.stderrText.find("\u2026\" is "), std::string::npos);
        EXPECT_FALSE(std::filesystem::exists(dir.Path("c.vcase")));
        EXPECT_FALSE(std::filesystem::exists(dir.Path("c.csv")));
        EXPECT_TRUE(std::filesystem::is_empty(folder + "/" + std::string(100, 'e')));
    }
}

TEST(VortaneCalc, DecimalSeparatorFromTheOptionOrTheLocale) {
    ScratchDir dir;
    Outcome outcome = RunCalc(dir, "--decimal-separator , OutputRate=30,0");
    EXPECT_EQ(outcome.status, 0) << outcome.stderrText;
    EXPECT_NE(ReadBytes(dir.Path("result.txt")).find("=  30,0\r\n"), std::string::npos);

    // A point where the separator is a comma is bad text.
    outcome = RunCalc(dir, "--decimal-separator , OutputRate=30.0");
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.stderrText,
              "Input data is not proper, change and try again!\n"
              "vortane-calc: Edit3 OutputRate (\"Output (kg/hr)\"): \"30.0\" is not a real number\n");
}

std::vector<std::string> LinesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::vector<std::string> FieldsOf(const std::string& line) {
    std::vector<std::string> fields;
    std::istringstream in(line);
    for (std::string field; std::getline(in, field, ',');) fields.push_back(field);
    if (!line.empty() && line.back() == ',') fields.emplace_back();
    return fields;
}

// The column of a CSV header.
std::size_t Column(const std::string& header, const std::string& name) {
    const std::vector<std::string> names = FieldsOf(header);
    return static_cast<std::size_t>(std::find(names.begin(), names.end(), name) - names.begin());
}

TEST(VortaneCalc, SingleRunCsvHoldsOneRowWithIndicatorsAndWarnings) {
    ScratchDir dir;
    Outcome outcome = RunCalc(dir, "--csv one.csv SolidRatio=1.5");
    EXPECT_EQ(outcome.status, 0);
    const std::vector<std::string> lines = LinesOf(ReadBytes(dir.Path("one.csv")));
    ASSERT_EQ(lines.size(), 2u);
    const std::vector<std::string> row = FieldsOf(lines[1]);
    EXPECT_EQ(FieldsOf(lines[0]).back(), "Warnings");
    EXPECT_EQ(row[Column(lines[0], "Outcome")], "complete");
    EXPECT_FALSE(row[Column(lines[0], "SpecificEnergy (kWh/kg)")].empty());
    EXPECT_NE(lines[1].find(",\"SolidRatio = 1.5 is outside its sound range, 0 to 1; the feed cannot melt"),
              std::string::npos);
}

TEST(VortaneCalc, TextsWithUnitsRunAsTheirConvertedNumbers) {
    ScratchDir dir;
    Outcome outcome = RunCalc(dir, "-o typed.txt --write-case typed.case OutputRate='350 lb/hr' "
                                   "BarrierClearance1=0.52mm InletMeltTemp='338 °F'");
    EXPECT_EQ(outcome.status, 0) << outcome.stderrText;
    outcome = RunCalc(dir, "-o plain.txt OutputRate=158.7573295 BarrierClearance1=0.052 InletMeltTemp=170");
    EXPECT_EQ(ReadBytes(dir.Path("typed.txt")), ReadBytes(dir.Path("plain.txt")));
    EXPECT_NE(ReadBytes(dir.Path("typed.case")).find("OutputRate            = 158.7573295\n"),
              std::string::npos);

    outcome = RunCalc(dir, "-o wrong.txt OutputRate='350 psi'");
    EXPECT_EQ(outcome.status, 2);
    EXPECT_EQ(outcome.stderrText,
              "vortane-calc: OutputRate \"350 psi\": the unit psi is not one OutputRate takes: "
              "kg/hr, kg/h, lb/hr\n");
    EXPECT_FALSE(std::filesystem::exists(dir.Path("wrong.txt")));
}

// A value typed with a unit that no such quantity has is refused before
// anything runs; the plain number is read as it is, the run warning of it.
TEST(VortaneCalc, ImpossibleTypedValuesAreRefused) {
    ScratchDir dir;
    Outcome outcome = RunCalc(dir, "-o cold.txt InletMeltTemp='-500 K'");
    EXPECT_EQ(outcome.status, 2);
    EXPECT_EQ(outcome.stderrText,
              "vortane-calc: InletMeltTemp \"-500 K\" is -773.15 \u2103, below absolute zero (-273.15 \u2103)\n");
    outcome = RunCalc(dir, "-o cold.txt OutputRate='-350 lb/hr'");
    EXPECT_EQ(outcome.status, 2);
    EXPECT_EQ(outcome.stderrText,
              "vortane-calc: OutputRate \"-350 lb/hr\" is -158.7573295 kg/hr: a throughput cannot be negative\n");
    EXPECT_FALSE(std::filesystem::exists(dir.Path("cold.txt")));
    outcome = RunCalc(dir, "-o plain.txt InletMeltTemp=-500");
    EXPECT_NE(outcome.stderrText.find("warning: InletMeltTemp = -500 is outside its sound range"), std::string::npos)
        << outcome.stderrText;
    EXPECT_TRUE(std::filesystem::exists(dir.Path("plain.txt")));
}

// --units with nothing it applies to is refused, naming what it is for.
TEST(VortaneCalc, UnitsWithNoTableOrPageAreRefused) {
    ScratchDir dir;
    for (const char* arguments : {"--units us", "--units metric OutputRate=30",
                                  "--units si --solve ScrewSpeed=40:140 --target TemperatureRise=30"}) {
        const Outcome refused = RunCalc(dir, arguments);
        EXPECT_EQ(refused.status, 2) << arguments;
        EXPECT_EQ(refused.stderrText, "vortane-calc: --units sets the units of --csv, --profile, --html and a "
                                      "sweep's or comparison's table; this command line writes none of them\n")
            << arguments;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.Path("result.txt")));
    for (const char* arguments : {"--units us --html us.html", "--units si --profile p.csv",
                                  "--units us --sweep OutputRate=100:200:100"})
        EXPECT_EQ(RunCalc(dir, arguments).status, 0) << arguments;
}

TEST(VortaneCalc, CsvAndProfileInSiAndUsUnits) {
    ScratchDir dir;
    RunCalc(dir, "--csv metric.csv --profile metric-profile.csv");
    RunCalc(dir, "--units metric --csv same.csv");
    EXPECT_EQ(ReadBytes(dir.Path("same.csv")), ReadBytes(dir.Path("metric.csv")));
    const std::vector<std::string> metric = LinesOf(ReadBytes(dir.Path("metric.csv")));
    const auto number = [](const std::vector<std::string>& lines, const char* name) {
        return std::stod(FieldsOf(lines[1])[Column(lines[0], name)]);
    };

    EXPECT_EQ(RunCalc(dir, "--units si --csv si.csv --profile si-profile.csv").status, 0);
    const std::vector<std::string> si = LinesOf(ReadBytes(dir.Path("si.csv")));
    // 1 kgf/cm2 = 0.0980665 MPa; 1 cm = 10 mm; 1 kWh = 3600 kJ.
    EXPECT_DOUBLE_EQ(number(si, "TotalPressureDrop (MPa)"), number(metric, "TotalPressureDrop") * 0.0980665);
    EXPECT_DOUBLE_EQ(number(si, "ChannelWidth (mm)"), number(metric, "ChannelWidth") * 10);
    EXPECT_DOUBLE_EQ(number(si, "SpecificEnergy (kJ/kg)"), number(metric, "SpecificEnergy (kWh/kg)") * 3600);
    EXPECT_EQ(number(si, "TemperatureRise (K)"), number(metric, "TemperatureRise"));
    EXPECT_EQ(number(si, "Passes"), number(metric, "Passes"));
    const std::vector<std::string> profile = LinesOf(ReadBytes(dir.Path("si-profile.csv")));
    EXPECT_EQ(number(profile, "PressureInlet (MPa)"), 19.6133);

    EXPECT_EQ(RunCalc(dir, "--units us --csv us.csv --sweep InletMeltTemp=170:180:10").status, 0);
    const std::vector<std::string> us = LinesOf(ReadBytes(dir.Path("us.csv")));
    EXPECT_EQ(us[1].substr(0, 6), "1,338,");
    EXPECT_DOUBLE_EQ(number(us, "TemperatureRise (°F)"), number(metric, "TemperatureRise") * 1.8);
    EXPECT_DOUBLE_EQ(number(us, "OutletAverageMeltTemp (°F)"),
                     number(metric, "OutletAverageMeltTemp") * 1.8 + 32);

    const Outcome refused = RunCalc(dir, "--units SI");
    EXPECT_EQ(refused.status, 2);
    EXPECT_EQ(refused.stderrText, "vortane-calc: --units SI: the systems are metric, si and us\n");
}

TEST(VortaneCalc, SweepOfThroughputsPrintsOneRowPerPoint) {
    ScratchDir dir;
    const Outcome outcome = RunCalc(dir, "--sweep OutputRate=30:300:10");
    EXPECT_EQ(outcome.status, 0) << outcome.stderrText;
    EXPECT_EQ(outcome.stderrText, "");
    const std::vector<std::string> lines = LinesOf(outcome.stdoutText);
    ASSERT_EQ(lines.size(), 29u);
    const std::string& header = lines[0];
    EXPECT_EQ(header.substr(0, 45), "Point,OutputRate,Outcome,Passes,Message,Chann");
    const std::vector<std::string> thirty = FieldsOf(lines[1]);
    EXPECT_EQ(thirty[Column(header, "OutputRate")], "30");
    EXPECT_EQ(thirty[Column(header, "Outcome")], "complete");
    EXPECT_EQ(thirty[Column(header, "Passes")], "17");
    // Reference: the temperature iteration's worked example at 30 kg/hr.
    EXPECT_NEAR(std::stod(thirty[Column(header, "TemperatureRise")]), 157.4514, 5e-5);
    EXPECT_EQ(FieldsOf(lines[28])[Column(header, "OutputRate")], "300");
    EXPECT_FALSE(std::filesystem::exists(dir.Path("result.txt")));  // no report without -o
}

TEST(VortaneCalc, TwoFieldSweepGivesTheFullGridToAFile) {
    ScratchDir dir;
    const Outcome outcome = RunCalc(dir,
                                    "--sweep InletPressure=21:22:1 --sweep ScrewSpeed=60:100:20 "
                                    "--csv grid.csv -o 'r{n}.txt'");
    EXPECT_EQ(outcome.status, 1);  // some points fail the inlet pressure test
    EXPECT_EQ(outcome.stdoutText, "");
    const std::vector<std::string> lines = LinesOf(ReadBytes(dir.Path("grid.csv")));
    ASSERT_EQ(lines.size(), 7u);
    const char* expected[][3] = {{"21", "60", "pressure"}, {"21", "80", "pressure"},
                                 {"21", "100", "complete"}, {"22", "60", "pressure"},
                                 {"22", "80", "complete"}, {"22", "100", "complete"}};
    for (std::size_t i = 0; i < 6; ++i) {
        const std::vector<std::string> fields = FieldsOf(lines[i + 1]);
        EXPECT_EQ(fields[0], std::to_string(i + 1));
        EXPECT_EQ(fields[1], expected[i][0]) << i;
        EXPECT_EQ(fields[2], expected[i][1]) << i;
        EXPECT_EQ(fields[3], expected[i][2]) << i;
        EXPECT_EQ(Lines(ReadBytes(dir.Path("r" + std::to_string(i + 1) + ".txt"))),
                  fields[3] == "complete" ? 49u : 38u);
    }
}

TEST(VortaneCalc, CaseFileRoundTrips) {
    ScratchDir dir;
    Outcome outcome = RunCalc(dir, "OutputRate=30 ChannelAngle=0 --write-case kept.case -o a.txt");
    EXPECT_EQ(outcome.status, 0) << outcome.stderrText;
    const std::string kept = ReadBytes(dir.Path("kept.case"));
    EXPECT_NE(kept.find("\nOutputRate            = 30\n"), std::string::npos) << kept;
    EXPECT_EQ(Lines(kept), 29u);

    outcome = RunCalc(dir, "--case kept.case --write-case again.case -o b.txt");
    EXPECT_EQ(outcome.status, 0) << outcome.stderrText;
    EXPECT_EQ(ReadBytes(dir.Path("again.case")), kept);
    EXPECT_EQ(ReadBytes(dir.Path("b.txt")), ReadBytes(dir.Path("a.txt")));

    // Arguments override the case file.
    outcome = RunCalc(dir, "--case kept.case OutputRate=267.0 -o c.txt");
    EXPECT_EQ(outcome.status, 0);
    RunCalc(dir, "ChannelAngle=0 -o d.txt");
    EXPECT_EQ(ReadBytes(dir.Path("c.txt")), ReadBytes(dir.Path("d.txt")));
}

// The cells of a CSV line, split at commas outside double quotes.
std::vector<std::string> CsvCells(const std::string& line) {
    std::vector<std::string> cells(1);
    bool quoted = false;
    for (const char c : line) {
        if (c == '"') quoted = !quoted;
        if (c == ',' && !quoted) cells.emplace_back();
        else cells.back() += c;
    }
    return cells;
}

std::vector<std::vector<std::string>> CsvRows(const std::string& csv) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(csv);
    for (std::string line; std::getline(lines, line);) rows.push_back(CsvCells(line));
    return rows;
}

TEST(VortaneCalc, CompareGivesTheSingleRunsValuesAndDifferences) {
    ScratchDir dir;
    ASSERT_EQ(RunCalc(dir, "--write-case base.vcase -o a.txt").status, 0);
    ASSERT_EQ(RunCalc(dir, "OutputRate=350 --write-case d350.vcase -o b.txt").status, 0);
    ASSERT_EQ(RunCalc(dir, "--case base.vcase --csv base.csv -o a.txt").status, 0);
    ASSERT_EQ(RunCalc(dir, "--case d350.vcase --csv d350.csv -o b.txt").status, 0);
    Outcome outcome = RunCalc(dir, "--compare base.vcase d350.vcase --csv compare.csv");
    ASSERT_EQ(outcome.status, 0) << outcome.stderrText;
    const auto compared = CsvRows(ReadBytes(dir.Path("compare.csv")));
    ASSERT_EQ(compared[0], (std::vector<std::string>{"Quantity", "base.vcase", "d350.vcase",
                                                     "Difference d350.vcase", "Percent d350.vcase"}));
    // Every column of a single run's CSV that holds a number is a row of the
    // comparison (its unit added), with that run's cell.
    std::size_t matched = 0;
    const std::vector<std::string> designs{"base.csv", "d350.csv"};
    for (std::size_t d = 0; d < designs.size(); ++d) {
        const auto single = CsvRows(ReadBytes(dir.Path(designs[d])));
        for (std::size_t c = 0; c < single[0].size(); ++c) {
            const std::string& name = single[0][c];
            for (const auto& row : compared) {
                if (row[0] != name && row[0].rfind(name + " (", 0) != 0) continue;
                EXPECT_EQ(row[1 + d], single[1][c]) << name;
                ++matched;
            }
        }
    }
    EXPECT_EQ(matched, 2 * 24u);  // Outcome, Passes, 13 report values, 9 indicators
    const auto rate = std::find_if(compared.begin(), compared.end(),
                                   [](const auto& row) { return row[0] == "OutputRate (kg/hr)"; });
    ASSERT_NE(rate, compared.end());
    EXPECT_EQ((*rate)[3], "83");

    outcome = RunCalc(dir, "--compare base.vcase d350.vcase");
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.stdoutText.substr(0, outcome.stdoutText.find('\n')),
              "Quantity                                          base.vcase  d350.vcase            Δ        Δ %");
    EXPECT_NE(outcome.stdoutText.find("\nOutput (kg/hr)                                           267         350"
                                      "          +83   +31.09 %\n"),
              std::string::npos)
        << outcome.stdoutText;
    // Aligned by characters, not bytes: ℃ takes one column.
    EXPECT_NE(outcome.stdoutText.find("\nTemperature Difference (℃)                          29.55363     22.7347"
                                      "     -6.81893   -23.07 %\n"),
              std::string::npos);
}

// --units reaches the comparison: the table, the CSV and the page.
TEST(VortaneCalc, CompareInAnotherSystemOfUnits) {
    ScratchDir dir;
    ASSERT_EQ(RunCalc(dir, "--write-case base.vcase -o a.txt").status, 0);
    ASSERT_EQ(RunCalc(dir, "OutputRate=350 --write-case d350.vcase -o b.txt").status, 0);
    Outcome outcome = RunCalc(dir, "--compare base.vcase d350.vcase --units si");
    ASSERT_EQ(outcome.status, 0) << outcome.stderrText;
    EXPECT_NE(outcome.stdoutText.find("\nOutput (kg/h)  "), std::string::npos) << outcome.stdoutText;
    EXPECT_NE(outcome.stdoutText.find("\nTotal Pressure Drop (MPa)  "), std::string::npos);
    outcome = RunCalc(dir, "--compare base.vcase d350.vcase --units us --csv c.csv --html c.html");
    ASSERT_EQ(outcome.status, 0) << outcome.stderrText;
    const std::string csv = ReadBytes(dir.Path("c.csv"));
    EXPECT_NE(csv.find("\nOutputRate (lb/hr),"), std::string::npos) << csv;
    EXPECT_NE(csv.find("\nTotalPressureDrop (psi),"), std::string::npos);
    EXPECT_NE(ReadBytes(dir.Path("c.html")).find("Total Pressure Drop (psi)"), std::string::npos);
}

// A case file whose name holds "=" is compared when what stands before it
// names no field and the file is there; FIELD=TEXT keeps its meaning.
TEST(VortaneCalc, CompareTakesCaseFilesWhoseNamesHoldEquals) {
    ScratchDir dir;
    {
        std::ofstream(dir.Path("rate=350.vcase")) << "OutputRate = 350\n";
        std::ofstream(dir.Path("base.vcase")) << "OutputRate = 267\n";
        std::ofstream(dir.Path("ScrewSpeed=90")) << "OutputRate = 300\n";
    }
    Outcome outcome = RunCalc(dir, "--compare base.vcase rate=350.vcase --csv c.csv ScrewSpeed=90");
    ASSERT_EQ(outcome.status, 0) << outcome.stderrText;
    const std::string csv = ReadBytes(dir.Path("c.csv"));
    EXPECT_EQ(csv.substr(0, csv.find('\n')).find("Quantity,base.vcase,rate=350.vcase,"), 0u) << csv;
    EXPECT_EQ(csv.find("ScrewSpeed=90"), std::string::npos);  // a text, not a case
    outcome = RunCalc(dir, "--compare base.vcase rate=300.vcase");
    EXPECT_EQ(outcome.status, 2);
    EXPECT_EQ(outcome.stderrText, "vortane-calc: unknown field rate\n");
}

TEST(VortaneCalc, CompareRefusesWhatItCannotRun) {
    ScratchDir dir;
    ASSERT_EQ(RunCalc(dir, "--write-case a.vcase -o a.txt").status, 0);
    {
        std::ofstream(dir.Path("limit.vcase")) << "Limit = Outcome<=1\n";
        std::ofstream(dir.Path("low.vcase")) << "InletPressure = 21\n";
    }
    Outcome outcome = RunCalc(dir, "--compare a.vcase");
    EXPECT_EQ(outcome.status, 2);
    EXPECT_EQ(outcome.stderrText, "vortane-calc: --compare needs two case files or more\n");
    outcome = RunCalc(dir, "--compare a.vcase missing.vcase");
    EXPECT_EQ(outcome.status, 2);
    EXPECT_NE(outcome.stderrText.find("cannot read case file missing.vcase"), std::string::npos);
    EXPECT_EQ(outcome.stdoutText, "");
    outcome = RunCalc(dir, "--compare a.vcase limit.vcase");
    EXPECT_EQ(outcome.status, 2);
    EXPECT_EQ(outcome.stderrText.find("vortane-calc: limit.vcase:1: limit \"Outcome<=1\": unknown quantity Outcome"),
              0u);
    outcome = RunCalc(dir, "--compare a.vcase a.vcase --sweep OutputRate=1:2:1");
    EXPECT_EQ(outcome.status, 2);
    EXPECT_EQ(outcome.stderrText, "vortane-calc: --sweep excludes --compare\n");
    // A case that stops is compared, and its status is the comparison's.
    outcome = RunCalc(dir, "--compare a.vcase low.vcase ChannelAngle=15 --html c.html");
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.stdoutText.find("\nChannelAngle"), std::string::npos);  // applied to both alike: no row
    EXPECT_NE(outcome.stdoutText.find("\nInlet Pressure (kgf/cm2)"), std::string::npos);
    EXPECT_NE(outcome.stdoutText.find("\nOutcome  "), std::string::npos);
    EXPECT_NE(ReadBytes(dir.Path("c.html")).find("<svg"), std::string::npos);
}

TEST(VortaneCalc, BadCaseFileIsAUsageError) {
    ScratchDir dir;
    {
        std::ofstream(dir.Path("bad.case")) << "OutputRate = 30\nSpeed = 80\n";
    }
    Outcome outcome = RunCalc(dir, "--case bad.case");
    EXPECT_EQ(outcome.status, 2);
    EXPECT_EQ(outcome.stderrText.substr(0, outcome.stderrText.find('\n')),
              "vortane-calc: bad.case:2: unknown field Speed");
    EXPECT_FALSE(std::filesystem::exists(dir.Path("result.txt")));

    outcome = RunCalc(dir, "--case missing.case");
    EXPECT_EQ(outcome.status, 2);
    EXPECT_NE(outcome.stderrText.find("cannot read case file missing.case"), std::string::npos);

    // A directory is no case file: one line, nothing run.
    std::filesystem::create_directory(dir.Path("cases"));
    outcome = RunCalc(dir, "--case cases");
    EXPECT_EQ(outcome.status, 2);
    EXPECT_EQ(outcome.stderrText, "vortane-calc: cannot read case file cases: Is a directory\n");
    EXPECT_FALSE(std::filesystem::exists(dir.Path("result.txt")));
}

TEST(VortaneCalc, ProfileOfTheDefaultCaseMeetsTheReportedPressures) {
    ScratchDir dir;
    Outcome outcome = RunCalc(dir, "--profile profile.csv --plot profile.svg");
    EXPECT_EQ(outcome.status, 0) << outcome.stderrText;
    const std::vector<std::string> profile = LinesOf(ReadBytes(dir.Path("profile.csv")));
    ASSERT_EQ(profile.size(), 102u);
    const std::string& header = profile[0];

    // The same case as a one-point sweep gives the reported pressures in full.
    outcome = RunCalc(dir, "--sweep OutputRate=267.0:267.0:1");
    const std::vector<std::string> sweep = LinesOf(outcome.stdoutText);
    const std::vector<std::string> reported = FieldsOf(sweep[1]);
    const auto value = [&](const char* name) {
        return std::stod(reported[Column(sweep[0], name)]);
    };

    const std::vector<std::string> start = FieldsOf(profile[1]);
    EXPECT_EQ(start[Column(header, "z")], "0");
    EXPECT_EQ(start[Column(header, "RelPressureInlet")], "1");
    EXPECT_EQ(start[Column(header, "RelPressureOutlet")],
              reported[Column(sweep[0], "RelPressureOutletStart")]);
    EXPECT_EQ(start[Column(header, "PressureInlet")], "200");

    const std::vector<std::string> end = FieldsOf(profile[101]);
    EXPECT_EQ(end[Column(header, "z")], "1");
    EXPECT_NEAR(std::stod(end[Column(header, "RelPressureInlet")]), value("RelPressureInletEnd"),
                1e-13);
    EXPECT_NEAR(std::stod(end[Column(header, "RelPressureOutlet")]),
                value("RelPressureOutletEnd"), 1e-13);
    EXPECT_NEAR(std::stod(end[Column(header, "InletFlowFraction")]), 0, 1e-14);

    const std::string svg = ReadBytes(dir.Path("profile.svg"));
    EXPECT_EQ(svg.substr(0, 38), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
    EXPECT_NE(svg.find(">Pressure (kgf/cm2)</text>"), std::string::npos);
    EXPECT_NE(svg.find("</svg>\n"), std::string::npos);
}

TEST(VortaneCalc, SweepPlotAndStudyUsageErrors) {
    ScratchDir dir;
    Outcome outcome = RunCalc(dir, "--sweep OutputRate=100:300:100 --plot sweep.svg");
    EXPECT_EQ(outcome.status, 0);
    const std::string svg = ReadBytes(dir.Path("sweep.svg"));
    EXPECT_NE(svg.find(">Total Pressure Drop (kgf/cm2)</text>"), std::string::npos);
    EXPECT_NE(svg.find(">Temperature Difference (\xE2\x84\x83)</text>"), std::string::npos);

    const std::pair<const char*, const char*> errors[] = {
        {"--sweep OutputRate=1:2:1 -o same.txt", "with --sweep, -o needs {n} in the name"},
        {"--sweep A0=1:2:1 --sweep A1=1:2:1 --sweep A2=1:2:1", "at most two swept fields"},
        {"--plot chart.png", "--plot chart.png: the chart is SVG; name a file ending in .svg"},
        {"--sweep OutputRate=1:2:1 --profile p.csv", "--profile excludes --sweep"},
        {"--sweep OutputRate=1:2:1 --sweep Edit3=1:2:1", "OutputRate is swept twice"},
        {"--sweep OutputRate=1:2:0", "STEP must not be zero"},
    };
    for (const auto& [arguments, message] : errors) {
        outcome = RunCalc(dir, arguments);
        EXPECT_EQ(outcome.status, 2) << arguments;
        EXPECT_NE(outcome.stderrText.find(message), std::string::npos) << outcome.stderrText;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.Path("same.txt")));
}

// A clearance × speed sweep of a case with limits: the chart's limit lines
// and the feasible map; a limit naming no column runs nothing.
TEST(VortaneCalc, SweepPlotDrawsTheCasesLimitsAndMap) {
    ScratchDir dir;
    std::ofstream(dir.Path("d350.vcase"))
        << "OutputRate = 350\nLimit = TemperatureRise<=30\nLimit = Barrier1ShearStress>=120\n";
    Outcome outcome = RunCalc(dir, "--case d350.vcase --sweep BarrierClearance1=0.03:0.1:0.035 "
                                   "--sweep ScrewSpeed=60:120:20 --csv map.csv --plot map.svg");
    EXPECT_EQ(outcome.status, 0);
    const std::string svg = ReadBytes(dir.Path("map.svg"));
    EXPECT_NE(svg.find(">Temperature Difference (℃) ≤ 30</text>"), std::string::npos);
    EXPECT_NE(svg.find(">fails Temperature Difference (℃) ≤ 30</text>"), std::string::npos);
    EXPECT_EQ(svg.find("TemperatureRise"), std::string::npos);
    EXPECT_NE(svg.find(">Where the limits hold over Barrier Clearance - 1 and Number of Revolution</text>"),
              std::string::npos);
    EXPECT_NE(svg.find(">meets every limit</text>"), std::string::npos);
    EXPECT_NE(svg.find(">boundary of the feasible region</text>"), std::string::npos);

    std::ofstream(dir.Path("bad.vcase")) << "Limit = Nothing<=3\n";
    outcome = RunCalc(dir, "--case bad.vcase --sweep ScrewSpeed=60:120:20 --csv bad.csv --plot bad.svg");
    EXPECT_EQ(outcome.status, 2);
    EXPECT_NE(outcome.stderrText.find("bad.vcase:1: limit \"Nothing<=3\": unknown quantity Nothing"), std::string::npos) << outcome.stderrText;
    EXPECT_FALSE(std::filesystem::exists(dir.Path("bad.csv")));
    EXPECT_FALSE(std::filesystem::exists(dir.Path("bad.svg")));
}

TEST(VortaneCalc, StudyOutputErrorsExitWithThree) {
    ScratchDir dir;
    Outcome outcome = RunCalc(dir, "--sweep OutputRate=30:300:10 --csv /dev/full");
    EXPECT_EQ(outcome.status, 3);
    EXPECT_EQ(outcome.stderrText,
              "vortane-calc: cannot write /dev/full: No space left on device\n");
    outcome = RunCalc(dir, "--write-case /nonexistent/kept.case");
    EXPECT_EQ(outcome.status, 3);
    EXPECT_FALSE(std::filesystem::exists(dir.Path("result.txt")));  // nor is the case run
    outcome = RunCalc(dir, "--profile /nonexistent/p.csv");
    EXPECT_EQ(outcome.status, 3);
    EXPECT_NE(outcome.stderrText.find("cannot write /nonexistent/p.csv"), std::string::npos);
    for (const char* html : {"--html /dev/full", "--sweep OutputRate=30:60:10 --html /dev/full"}) {
        outcome = RunCalc(dir, html);
        EXPECT_EQ(outcome.status, 3) << html;
        EXPECT_NE(outcome.stderrText.find("cannot write /dev/full"), std::string::npos) << html;
    }
    // A run that stops writes no profile.
    outcome = RunCalc(dir, "InletPressure=21 --profile p.csv");
    EXPECT_EQ(outcome.status, 1);
    EXPECT_FALSE(std::filesystem::exists(dir.Path("p.csv")));
}

// A table meant for standard output that cannot be written there fails as
// an output does, not in silence.
TEST(VortaneCalc, StandardOutputThatCannotBeWrittenExitsWithThree) {
    ScratchDir dir;
    std::ofstream(dir.Path("a.vcase")) << "OutputRate = 300\n";
    std::ofstream(dir.Path("b.vcase")) << "OutputRate = 350\n";
    for (const std::string arguments : {"--sweep OutputRate=30:60:10", "--compare a.vcase b.vcase"}) {
        const std::string command = "cd '" + dir.Root().string() + "' && LC_ALL=C " + VORTANE_CALC + " " +
                                    arguments + " >/dev/full 2>err.txt";
        const int raw = std::system(command.c_str());
        EXPECT_EQ(WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, 3) << arguments;
        EXPECT_EQ(ReadBytes(dir.Path("err.txt")), "vortane-calc: cannot write standard output: No space left on device\n")
            << arguments;
    }
}

// Ctrl+C, once the first point shows on the terminal, ends a long sweep with
// status 130, its CSV holding whole rows of the first points.
TEST(VortaneCalc, InterruptedSweepLeavesWholeRows) {
    ScratchDir dir;
    TerminalRun calc(dir.Root(), {"--sweep", "OutputRate=100:1099:1", "--sweep", "ScrewSpeed=1:1000:1", "--csv",
                                  "big.csv"});
    ASSERT_TRUE(calc.WaitFor("vortane-calc: point ", std::chrono::seconds(60))) << calc.Err();
    calc.Interrupt();
    EXPECT_EQ(calc.Wait(std::chrono::seconds(60)), 130) << calc.Err();
    EXPECT_NE(calc.Err().find("\nvortane-calc: interrupted; the CSV holds the points done\n"), std::string::npos)
        << calc.Err();
    const std::string csv = ReadBytes(dir.Path("big.csv"));
    ASSERT_FALSE(csv.empty());
    EXPECT_EQ(csv.back(), '\n');
    const std::size_t lines = Lines(csv);
    EXPECT_GT(lines, 1u);
    EXPECT_LT(lines, 1'000'001u);
    const auto commas = [](std::string_view line) { return std::count(line.begin(), line.end(), ','); };
    const std::string_view all(csv);
    const std::size_t headerEnd = all.find('\n');
    const auto columns = commas(all.substr(0, headerEnd));
    std::size_t number = 0;
    for (std::size_t at = headerEnd + 1; at < all.size();) {
        const std::size_t end = all.find('\n', at);
        const std::string_view line = all.substr(at, end - at);
        EXPECT_EQ(commas(line), columns) << line;
        EXPECT_EQ(line.substr(0, line.find(',')), std::to_string(++number));  // the first points, in order
        at = end + 1;
    }
}

// Limits judge a complete single run after its usual output: the report's
// bytes stay, the failing limits are named on one line, status 4; a stopped
// run keeps its status. They come from the case file, then --limit, and
// --write-case keeps them. At 350 kg/hr the default case holds
// TemperatureRise<=30 and Barrier1ShearStress>=120 but drops 85.9 kgf/cm2.
TEST(VortaneCalc, LimitsJudgeASingleRun) {
    ScratchDir dir;
    {
        std::ofstream(dir.Path("brief.vcase")) << "OutputRate = 350\nLimit = TemperatureRise<=30\n";
    }
    RunCalc(dir, "OutputRate=350 -o plain.txt");
    Outcome outcome = RunCalc(dir, "--case brief.vcase --limit 'Barrier1ShearStress >= 120' -o met.txt");
    EXPECT_EQ(outcome.status, 0) << outcome.stderrText;
    EXPECT_EQ(ReadBytes(dir.Path("met.txt")), ReadBytes(dir.Path("plain.txt")));

    outcome = RunCalc(dir, "--case brief.vcase --limit TotalPressureDrop\\<=30 --write-case kept.vcase -o no.txt");
    EXPECT_EQ(outcome.status, 4);
    EXPECT_EQ(outcome.stdoutText, "");
    EXPECT_EQ(outcome.stderrText.find("vortane-calc: not feasible: TotalPressureDrop<=30 (85.87158"), 0u);
    EXPECT_EQ(Lines(outcome.stderrText), 1u);
    EXPECT_EQ(ReadBytes(dir.Path("no.txt")), ReadBytes(dir.Path("plain.txt")));
    EXPECT_NE(ReadBytes(dir.Path("kept.vcase")).find("\nLimit = TemperatureRise<=30\nLimit = TotalPressureDrop<=30\n"),
              std::string::npos);

    outcome = RunCalc(dir, "--case kept.vcase InletPressure=21 -o low.txt");
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.stderrText.find("not feasible"), std::string::npos);
}

// The page of a case with three limits lists each by caption with the run's
// value and margin and names the one that fails; the status is that of the limits. The
// numbers are the run's at 350 kg/hr to seven digits (--csv writes them as
// 22.734702008565563, 138.90017885845458 and 85.871589357657669).
TEST(VortaneCalc, HtmlPageListsTheLimitsAndTheVerdict) {
    ScratchDir dir;
    {
        std::ofstream(dir.Path("c.vcase")) << "OutputRate = 350\nLimit = TemperatureRise<=30\n"
                                              "Limit = Barrier1ShearStress>=135\nLimit = TotalPressureDrop<=30\n";
    }
    const Outcome outcome = RunCalc(dir, "--case c.vcase --html r.html");
    EXPECT_EQ(outcome.status, 4) << outcome.stderrText;
    const std::string page = ReadBytes(dir.Path("r.html"));
    const auto row = [](const std::string& limit, const std::string& value, const std::string& margin,
                        const std::string& met) {
        return "<tr><th scope=\"row\">" + limit + "</th><td class=\"value\">" + value +
               "</td><td class=\"value\">margin " + margin + "</td><td class=\"value\">" + met + "</td></tr>\n";
    };
    EXPECT_NE(page.find("<h2>Limits</h2>\n<table>\n" +
                        row("Temperature Difference (℃) ≤ 30", "22.7347 ℃", "7.265298 ℃", "met") +
                        row("Shear Stress over Barrier Flight 1 (kPa) ≥ 135", "138.9002 kPa", "3.900179 kPa", "met") +
                        row("Total Pressure Drop (kgf/cm2) ≤ 30", "85.87159 kgf/cm2", "-55.87159 kgf/cm2", "not met") +
                        "<tr><th scope=\"row\">Accepted warnings</th><td class=\"value\">none</td></tr>\n"
                        "</table>\n<ul class=\"notes\">\n"
                        "<li>Not feasible: Total Pressure Drop (kgf/cm2) ≤ 30 (85.87159)</li>\n</ul>"),
              std::string::npos)
        << page;
}

// With limits, a complete run whose outlet channel falls below zero is not
// feasible (status 4, the warning named) though it meets them, until
// --accept-warning or the case accepts negative pressure. Without limits or
// acceptance nothing is judged; a kind that is none is a usage error.
TEST(VortaneCalc, AWarningNotAcceptedIsNotFeasible) {
    ScratchDir dir;
    const std::string design = "OutputRate=350 BarrierClearance1=0.03 ScrewSpeed=96.87 -o r.txt ";
    EXPECT_EQ(RunCalc(dir, design).status, 0);
    Outcome outcome = RunCalc(dir, design + "--limit TemperatureRise\\<=30 --csv r.csv");
    EXPECT_EQ(outcome.status, 4);
    EXPECT_NE(outcome.stderrText.find("vortane-calc: not feasible: warns of negative-pressure\n"), std::string::npos);
    EXPECT_NE(ReadBytes(dir.Path("r.csv")).find(",false,"), std::string::npos);
    outcome = RunCalc(dir, design + "--limit TemperatureRise\\<=30 --accept-warning negative-pressure --csv r.csv");
    EXPECT_EQ(outcome.status, 0) << outcome.stderrText;
    EXPECT_NE(ReadBytes(dir.Path("r.csv")).find(",true,"), std::string::npos);
    {
        std::ofstream(dir.Path("accepts.vcase")) << "AcceptWarning = negative-pressure\n";
    }
    EXPECT_EQ(RunCalc(dir, design + "--case accepts.vcase --limit TemperatureRise\\<=30").status, 0);
    EXPECT_EQ(RunCalc(dir, design + "--accept-warning fitted-range").status, 4);
    outcome = RunCalc(dir, "--accept-warning negative");
    EXPECT_EQ(outcome.status, 2);
    EXPECT_EQ(outcome.stderrText.find("vortane-calc: --accept-warning: \"negative\" is no kind of warning"), 0u);
}

// A limit that does not read as one, or names no quantity, refuses the run.
TEST(VortaneCalc, BadLimitsAreUsageErrors) {
    ScratchDir dir;
    Outcome outcome = RunCalc(dir, "--limit TemperatureRise=30");
    EXPECT_EQ(outcome.status, 2);
    EXPECT_EQ(outcome.stderrText,
              "vortane-calc: --limit \"TemperatureRise=30\" is not QUANTITY<=VALUE or QUANTITY>=VALUE\n");
    // A case's limit naming no quantity: the file and line, whatever the command.
    std::ofstream(dir.Path("odd.vcase")) << "OutputRate = 30\nLimit = TemperatureRis<=25\n";
    for (const char* arguments : {"--case odd.vcase", "--case odd.vcase --sweep ScrewSpeed=60:120:20",
                                  "--compare odd.vcase odd.vcase"}) {
        outcome = RunCalc(dir, arguments);
        EXPECT_EQ(outcome.status, 2) << arguments;
        EXPECT_EQ(outcome.stderrText, "vortane-calc: odd.vcase:2: limit \"TemperatureRis<=25\": unknown quantity "
                                      "TemperatureRis (did you mean TemperatureRise?)\n")
            << arguments;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.Path("result.txt")));
}

}  // namespace
}  // namespace vortane
