#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <vector>
#include <string>

#include "cli/command_line.h"
#include "support/scratch_dir.h"
#include "terminal_run.h"

namespace vortane {
namespace {

#ifndef VORTANE_DESIGN
TEST(DesignCommand, ABuildWithoutTheSearchesSaysSo) {
    for (const std::string_view option : {"--solve", "--target", "--optimise", "--vary"}) {
        try {
            cli::ParseCommandLine({option, "x"});
            ADD_FAILURE() << option;
        } catch (const cli::UsageError& error) {
            EXPECT_EQ(error.what(), std::string(option) + ": this build has no goal seek or optimisation");
        }
    }
}
#else

using ::testing::HasSubstr;
using ::testing::MatchesRegex;
using ::testing::StartsWith;
using testing::ReadBytes;
using testing::ScratchDir;
using testing::TerminalRun;

struct Outcome {
    int status;
    std::string out, err;
};

Outcome Calc(const ScratchDir& dir, const std::string& arguments, const std::string& environment = "LC_ALL=C") {
    const std::string out = dir.Path("out.txt").string(), err = dir.Path("err.txt").string();
    const std::string command = "cd '" + dir.Root().string() + "' && " + environment + " " + VORTANE_CALC + " " +
                                arguments + " >'" + out + "' 2>'" + err + "'";
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadBytes(out), ReadBytes(err)};
}

// The speed found, written to a case with its limit, runs to a temperature
// rise within 0.01 ℃ of the target.
TEST(DesignCommand, SolvePrintsTheTextAndSavesTheDesign) {
    ScratchDir dir;
    const Outcome found = Calc(dir, "OutputRate=350 --solve ScrewSpeed=40:140 --target TemperatureRise=30 "
                                    "--limit 'TemperatureRise<=31' --write-case d.vcase");
    ASSERT_EQ(found.status, 0) << found.err;
    EXPECT_THAT(found.out, MatchesRegex("ScrewSpeed=[0-9.]+\nTemperatureRise=30(\\.[0-9]+)? \\(residual "
                                        "-?[0-9.e-]+\\)\nruns: [0-9]\n"));
    const std::string speed = found.out.substr(11, found.out.find('\n') - 11);
    const std::string saved = ReadBytes(dir.Path("d.vcase"));
    EXPECT_THAT(saved, HasSubstr("ScrewSpeed            = " + speed + "\n"));
    EXPECT_THAT(saved, HasSubstr("Limit = TemperatureRise<=31\n"));
    const Outcome run = Calc(dir, "--case d.vcase --csv run.csv -o r.txt");
    ASSERT_EQ(run.status, 0);
    const std::string csv = ReadBytes(dir.Path("run.csv"));
    const std::string header = csv.substr(0, csv.find('\n'));
    const std::string row = csv.substr(header.size() + 1);
    const std::string before = header.substr(0, header.find(",TemperatureRise,") + 1);
    std::size_t at = 0;
    for (const char c : before) {
        if (c == ',') at = row.find(',', at) + 1;
    }
    EXPECT_NEAR(std::strtod(row.c_str() + at, nullptr), 30, 0.01);
}

TEST(DesignCommand, NoSolutionOrNoFeasibleDesignExitsOne) {
    ScratchDir dir;
    const Outcome beyond =
        Calc(dir, "OutputRate=350 --solve ScrewSpeed=40:140 --target TemperatureRise=60 --write-case d.vcase");
    EXPECT_EQ(beyond.status, 1);
    EXPECT_EQ(beyond.out, "");
    EXPECT_THAT(beyond.err, HasSubstr("no solution in ScrewSpeed=40:140: TemperatureRise is 8.49297 at "
                                      "ScrewSpeed=40 and 45.9132 at ScrewSpeed=140"));
    EXPECT_FALSE(std::filesystem::exists(dir.Path("d.vcase")));
    const Outcome infeasible =
        Calc(dir, "--optimise 'minimise TotalPressureDrop' --vary ScrewSpeed=60:140 --limit 'TemperatureRise<=1'");
    EXPECT_EQ(infeasible.status, 1);
    EXPECT_THAT(infeasible.err, HasSubstr("no feasible design in the bounds"));
    // Every run faults (ScrewSpeed = 0) and there are no limits: that is said.
    const Outcome stopped = Calc(dir, "ScrewSpeed=0 --optimise 'minimise PowerKW' --vary OutputRate=100:300");
    EXPECT_EQ(stopped.status, 1);
    EXPECT_THAT(stopped.err, StartsWith("vortane-calc: no feasible design in the bounds: every run stopped: "
                                        "Floating point division by zero ("));
    const Outcome unsolved = Calc(dir, "ScrewSpeed=0 --solve OutputRate=100:300 --target PowerKW=5");
    EXPECT_EQ(unsolved.status, 1);
    EXPECT_THAT(unsolved.err, StartsWith("vortane-calc: no solution in OutputRate=100:300: every run stopped: "
                                         "Floating point division by zero (8 runs)\n"));
}

TEST(DesignCommand, OptimisePrintsTheDesignMarginsAndEnd) {
    ScratchDir dir;
    const Outcome best = Calc(dir, "OutputRate=350 --optimize 'maximize Barrier1ShearStress' "
                                   "--vary ScrewSpeed=60:140 --limit 'TemperatureRise<=30' --write-case o.vcase");
    ASSERT_EQ(best.status, 0) << best.err;
    EXPECT_THAT(best.out, MatchesRegex("ScrewSpeed=[0-9.]+\nBarrier1ShearStress=[0-9.]+\n"
                                       "TemperatureRise<=30: [0-9.]+ \\(margin [0-9.e-]+\\)\nruns: [0-9]+\n"
                                       "stopped: by the tolerance\n"));
    EXPECT_THAT(ReadBytes(dir.Path("o.vcase")), HasSubstr("Limit = TemperatureRise<=30\n"));
}

// The greatest stress on the first barrier with ΔT ≤ 30 ℃ at 350 kg/hr lies
// where the outlet channel falls below zero (0.03 cm, 96.87 rpm): the design
// found is one whose plain run warns of nothing, unless the warning is
// accepted, when the design found lists it.
TEST(DesignCommand, DesignsFoundCanRun) {
    ScratchDir dir;
    const std::string question = "OutputRate=350 --optimise 'maximise Barrier1ShearStress' "
                                 "--vary BarrierClearance1=0.03:0.1 --vary ScrewSpeed=60:140 "
                                 "--limit 'TemperatureRise<=30' ";
    const Outcome sound = Calc(dir, question + "--write-case sound.vcase");
    ASSERT_EQ(sound.status, 0) << sound.err;
    EXPECT_EQ(sound.err, "");
    const Outcome rerun = Calc(dir, "--case sound.vcase -o r.txt");
    EXPECT_EQ(rerun.status, 0);
    EXPECT_EQ(rerun.err, "");
    const Outcome accepted = Calc(dir, question + "--accept-warning negative-pressure --write-case a.vcase");
    ASSERT_EQ(accepted.status, 0) << accepted.err;
    EXPECT_THAT(accepted.err, MatchesRegex("vortane-calc: accepting warnings of negative-pressure\n"
                                           "vortane-calc: warning: the pressure in the outlet channel falls to "
                                           "-[0-9.]+ kgf/cm2 at z = [0-9.]+: below zero the channel cannot run full\n"));
    EXPECT_THAT(ReadBytes(dir.Path("a.vcase")), HasSubstr("AcceptWarning = negative-pressure\n"));
}

// With no limit set the design is only the best within the bounds: the last
// line says so rather than reading as a design meeting limits.
TEST(DesignCommand, OptimiseWithoutLimitsSaysNoneWereSet) {
    ScratchDir dir;
    const Outcome best = Calc(dir, "OutputRate=350 --optimise 'minimise TotalPressureDrop' --vary ScrewSpeed=60:200");
    ASSERT_EQ(best.status, 0) << best.err;
    EXPECT_THAT(best.out, MatchesRegex("ScrewSpeed=[0-9.]+\nTotalPressureDrop=-?[0-9.e-]+\nruns: [0-9]+\n"
                                       "stopped: by the tolerance \\(no limits set\\)\n"));
}

// Below 9 kg/hr the temperature iteration runs to its pass limit, about 0.1 s
// a run, and the optimisation takes over 100 runs: Ctrl+C once the first run
// shows on the terminal stops it between runs.
TEST(DesignCommand, InterruptStopsTheSearch) {
    ScratchDir dir;
    TerminalRun calc(dir.Root(), {"--optimise", "minimise PowerKW", "--vary", "OutputRate=5:9", "--vary",
                                  "ScrewSpeed=60:140", "--write-case", "d.vcase"});
    ASSERT_TRUE(calc.WaitFor("vortane-calc: run ", std::chrono::seconds(60))) << calc.Err();
    calc.Interrupt();
    EXPECT_EQ(calc.Wait(std::chrono::seconds(60)), 130) << calc.Err();
    EXPECT_THAT(calc.Err(), StartsWith("\rvortane-calc: run "));
    const std::string last = calc.Err().substr(calc.Err().rfind('\n', calc.Err().size() - 2) + 1);
    EXPECT_THAT(last, MatchesRegex("vortane-calc: interrupted after [0-9]+ runs\n"));
    EXPECT_FALSE(std::filesystem::exists(dir.Path("d.vcase")));
}

// A goal seek shows its runs too, and Ctrl+C stops it: at 5 to 9 kg/hr every
// run goes to the pass limit.
TEST(DesignCommand, InterruptStopsAGoalSeek) {
    ScratchDir dir;
    TerminalRun calc(dir.Root(), {"--solve", "OutputRate=5:9", "--target", "PowerKW=1"});
    ASSERT_TRUE(calc.WaitFor("vortane-calc: run ", std::chrono::seconds(60))) << calc.Err();
    calc.Interrupt();
    EXPECT_EQ(calc.Wait(std::chrono::seconds(60)), 130) << calc.Err();
    EXPECT_THAT(calc.Err(), HasSubstr("\nvortane-calc: interrupted after "));
}

TEST(DesignCommand, QuestionsItCannotTakeAreUsageErrors) {
    ScratchDir dir;
    for (const char* arguments : {
             "--solve ScrewSpeed=40:140",
             "--target TemperatureRise=30",
             "--vary ScrewSpeed=40:140",
             "--solve ScrewSpeed=140:40 --target TemperatureRise=30",
             "--solve ScrewSped=40:140 --target TemperatureRise=30",
             "--solve ScrewSpeed=40:140 --target Warmth=30",
             "--solve ScrewSpeed=40:140 --target TemperatureRise=30 --sweep OutputRate=300:400:50",
             "--solve ScrewSpeed=40:140 --target TemperatureRise=30 --csv x.csv",
             "--solve ScrewSpeed=40:140 --target TemperatureRise=30 --optimise 'minimise PowerKW'",
             "--optimise 'minimise PowerKW'",
             "--optimise 'reduce PowerKW' --vary ScrewSpeed=40:140",
             "--optimise 'minimise PowerKW' --vary ScrewSpeed=40:140 --limit 'Warmth<=3'",
             "--optimise 'minimise PowerKW' --vary ScrewSpeed=40:140 --vary ScrewSpeed=50:60",
             "--limit 'TemperatureRise<30'",
         }) {
        const Outcome refused = Calc(dir, arguments);
        EXPECT_EQ(refused.status, 2) << arguments;
        EXPECT_THAT(refused.err, ::testing::StartsWith("vortane-calc: ")) << arguments;
    }
}

// The cells of each line of a CSV whose cells hold no comma.
std::vector<std::vector<std::string>> CsvCells(const std::string& csv) {
    std::vector<std::vector<std::string>> lines;
    std::istringstream in(csv);
    for (std::string line; std::getline(in, line);) {
        lines.emplace_back();
        std::istringstream cells(line + ',');
        for (std::string cell; std::getline(cells, cell, ',');) lines.back().push_back(cell);
    }
    return lines;
}

std::size_t ColumnOf(const std::vector<std::string>& header, const std::string& name) {
    return static_cast<std::size_t>(std::find(header.begin(), header.end(), name) - header.begin());
}

const std::string FrontQuestion =
    "OutputRate=350 --front 'minimise TotalPressureDrop' --front 'maximise Barrier1ShearStress' "
    "--vary BarrierClearance1=0.03:0.1 --vary ScrewSpeed=60:140 --limit 'TemperatureRise<=30' "
    "--limit 'LeastInletPressure>=0'";

// The front as CSV: the sweep's columns, every design feasible, one knee; the
// chart beside it; the same CSV on standard output without --csv.
TEST(DesignCommand, FrontWritesItsDesignsAndMarksTheKnee) {
    ScratchDir dir;
    const Outcome front = Calc(dir, FrontQuestion + " --csv front.csv --plot front.svg");
    ASSERT_EQ(front.status, 0) << front.err;
    EXPECT_EQ(front.out, "");
    EXPECT_THAT(front.err, MatchesRegex("vortane-calc: [0-9]+ designs on the front, the knee at Point [0-9]+\nruns: "
                                        "[0-9]+\n"));
    const std::vector<std::vector<std::string>> lines = CsvCells(ReadBytes(dir.Path("front.csv")));
    ASSERT_GE(lines.size(), 10U);
    const std::vector<std::string>& header = lines[0];
    EXPECT_THAT(std::vector<std::string>(header.begin(), header.begin() + 4),
                ::testing::ElementsAre("Point", "BarrierClearance1", "ScrewSpeed", "Outcome"));
    EXPECT_THAT(std::vector<std::string>(header.end() - 4, header.end()),
                ::testing::ElementsAre("Feasible", "Margin TemperatureRise<=30", "Margin LeastInletPressure>=0",
                                       "Knee"));
    const std::size_t drop = ColumnOf(header, "TotalPressureDrop");
    const std::size_t stress = ColumnOf(header, "Barrier1ShearStress (kPa)");
    ASSERT_LT(stress, header.size());
    std::size_t knees = 0;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        ASSERT_EQ(lines[i].size(), header.size());
        EXPECT_EQ(lines[i][0], std::to_string(i));
        EXPECT_EQ(lines[i][header.size() - 4], "true");
        knees += lines[i].back() == "true" ? 1 : 0;
        if (i > 1) {  // along the front: more pressure drop buys more stress
            EXPECT_GT(std::stod(lines[i][drop]), std::stod(lines[i - 1][drop]));
            EXPECT_GT(std::stod(lines[i][stress]), std::stod(lines[i - 1][stress]));
        }
    }
    EXPECT_EQ(knees, 1U);
    EXPECT_THAT(ReadBytes(dir.Path("front.svg")), StartsWith("<?xml"));
    const Outcome printed = Calc(dir, FrontQuestion);
    ASSERT_EQ(printed.status, 0) << printed.err;
    EXPECT_EQ(printed.out, ReadBytes(dir.Path("front.csv")));
}

// With --html, the knee's report: its own case, then the front it was chosen
// from, the knee marked as this case.
TEST(DesignCommand, FrontWritesTheKneesReportCarryingTheFront) {
    ScratchDir dir;
    const Outcome front = Calc(dir, FrontQuestion + " --csv front.csv --html knee.html");
    ASSERT_EQ(front.status, 0) << front.err;
    const std::vector<std::vector<std::string>> lines = CsvCells(ReadBytes(dir.Path("front.csv")));
    std::size_t knee = 1;
    while (knee < lines.size() && lines[knee].back() != "true") ++knee;
    ASSERT_LT(knee, lines.size());
    const std::string html = ReadBytes(dir.Path("knee.html"));
    EXPECT_THAT(html, HasSubstr("Trade-off front"));
    EXPECT_THAT(html, HasSubstr("minimise TotalPressureDrop, maximise Barrier1ShearStress"));
    EXPECT_THAT(html, HasSubstr("Point " + std::to_string(knee)));
    EXPECT_THAT(html, HasSubstr("Knee, this case"));
    // The report is the knee's: its speed among the inputs, before the front.
    EXPECT_LT(html.find(">" + lines[knee][2] + "<"), html.find("Trade-off front"));
}

TEST(DesignCommand, FrontOfThreeObjectivesPlotsItsProjections) {
    ScratchDir dir;
    const Outcome front =
        Calc(dir, FrontQuestion + " --front 'minimise TemperatureRise' --csv front.csv --plot front.svg");
    ASSERT_EQ(front.status, 0) << front.err;
    const std::vector<std::vector<std::string>> lines = CsvCells(ReadBytes(dir.Path("front.csv")));
    ASSERT_GE(lines.size(), 4U);
    const std::string svg = ReadBytes(dir.Path("front.svg"));
    // One document holding two charts: the projections on the first objective's axis, then the third
    // objective against the second.
    std::size_t charts = 0;
    for (std::size_t at = svg.find("<svg y=\""); at != std::string::npos; at = svg.find("<svg y=\"", at + 1)) ++charts;
    EXPECT_EQ(charts, 2U);
    EXPECT_EQ(svg.find("<svg", svg.find("<svg") + 1), svg.find("<svg y=\""));
}

// Ctrl+C stops the front's optimisations between runs and writes nothing: at
// 5 to 9 kg/hr every run goes to the pass limit.
TEST(DesignCommand, InterruptStopsAFront) {
    ScratchDir dir;
    TerminalRun calc(dir.Root(), {"--front", "minimise PowerKW", "--front", "maximise Barrier1ShearStress", "--vary",
                                  "OutputRate=5:9", "--vary", "ScrewSpeed=60:140", "--csv", "f.csv"});
    ASSERT_TRUE(calc.WaitFor("vortane-calc: run ", std::chrono::seconds(60))) << calc.Err();
    calc.Interrupt();
    EXPECT_EQ(calc.Wait(std::chrono::seconds(60)), 130) << calc.Err();
    const std::string last = calc.Err().substr(calc.Err().rfind('\n', calc.Err().size() - 2) + 1);
    EXPECT_THAT(last, MatchesRegex("vortane-calc: interrupted after [0-9]+ runs\n"));
    EXPECT_FALSE(std::filesystem::exists(dir.Path("f.csv")));
}

// Ctrl+C stops the Kept design's search between runs and writes nothing: at
// 7 kg/hr and 60 rpm or more every run goes to the pass limit.
TEST(DesignCommand, InterruptStopsAScaleUp) {
    ScratchDir dir;
    TerminalRun calc(dir.Root(), {"--scale-to", "BarrelDiameter=20", "--output", "7", "--keep", "TemperatureRise",
                                  "--vary", "ScrewSpeed=60:140", "--csv", "s.csv", "--write-case", "s.vcase"});
    ASSERT_TRUE(calc.WaitFor("vortane-calc: run ", std::chrono::seconds(60))) << calc.Err();
    calc.Interrupt();
    EXPECT_EQ(calc.Wait(std::chrono::seconds(60)), 130) << calc.Err();
    const std::string last = calc.Err().substr(calc.Err().rfind('\n', calc.Err().size() - 2) + 1);
    EXPECT_THAT(last, MatchesRegex("vortane-calc: interrupted after [0-9]+ runs\n"));
    EXPECT_FALSE(std::filesystem::exists(dir.Path("s.csv")));
    EXPECT_FALSE(std::filesystem::exists(dir.Path("s.vcase")));
}

TEST(DesignCommand, FrontRefusesWhatItCannotTake) {
    ScratchDir dir;
    const std::string two = "--front 'minimise TotalPressureDrop' --front 'maximise Barrier1ShearStress' ";
    for (const std::string& arguments : std::vector<std::string>{
             "--front 'minimise TotalPressureDrop' --vary ScrewSpeed=60:140",
             two + "--front 'minimise TemperatureRise' --front 'minimise PowerKW' --vary ScrewSpeed=60:140",
             "--front 'minimise TotalPressureDrop' --front 'maximise Barrier1Stress' --vary ScrewSpeed=60:140",
             two,
             two + "--vary ScrewSpeed=60:140 --sweep OutputRate=300:400:50",
             two + "--vary ScrewSpeed=60:140 --optimise 'minimise PowerKW'",
             two + "--vary ScrewSpeed=60:140 --plot front.png",
         }) {
        const Outcome refused = Calc(dir, arguments);
        EXPECT_EQ(refused.status, 2) << arguments;
        EXPECT_THAT(refused.err, StartsWith("vortane-calc: ")) << arguments;
    }
    EXPECT_THAT(Calc(dir, "--front 'minimise TotalPressureDrop' --vary ScrewSpeed=60:140").err,
                HasSubstr("--front is given two or three times, once per objective, not 1"));
    EXPECT_THAT(Calc(dir, two + "--front 'minimise TotalPressureDrop' --vary ScrewSpeed=60:140").err,
                HasSubstr("TotalPressureDrop is an objective twice"));
    EXPECT_THAT(Calc(dir, "--front 'minimise TotalPressureDrop' --front 'maximise Barrier1Stress' "
                          "--vary ScrewSpeed=60:140").err,
                HasSubstr("unknown quantity Barrier1Stress"));
    EXPECT_THAT(Calc(dir, "--vary ScrewSpeed=60:140").err, HasSubstr("--vary needs --optimise, --front or --scale-to"));
}

// The default section to 200 mm: the table as CSV, a row per design, and the
// Kept design at 1000 kg/hr saved as a case that runs.
TEST(DesignCommand, ScaleToWritesTheTableAndTheKeptDesign) {
    ScratchDir dir;
    const Outcome scaled = Calc(dir, "--scale-to BarrelDiameter=20 --output 1000 --keep Barrier1ShearStress "
                                     "--keep TemperatureRise --watch PowerKW --csv t.csv --write-case k.vcase");
    ASSERT_EQ(scaled.status, 0) << scaled.err;
    EXPECT_THAT(scaled.err, HasSubstr("vortane-calc: Kept together within 1 %: Barrier1ShearStress "));
    const std::string csv = ReadBytes(dir.Path("t.csv"));
    EXPECT_THAT(csv, StartsWith("Design,BarrelDiameter,ScrewSpeed,OutputRate,ChannelLength,"));
    EXPECT_THAT(csv, HasSubstr(",Warnings,Deviation Barrier1ShearStress,Deviation TemperatureRise,"
                               "Deviation PowerKW\n"));
    EXPECT_THAT(csv, HasSubstr("\nReference,11.43,80.0,267.0,21.6,"));
    EXPECT_THAT(csv, HasSubstr("\nConstant speed,20,80.0,1430.4166517,37.79527559,"));
    EXPECT_THAT(csv, HasSubstr("\nConstant peripheral speed,20,45.72,817.4831164,"));
    EXPECT_THAT(csv, HasSubstr("\nKept,20,"));
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 8);
    EXPECT_THAT(ReadBytes(dir.Path("k.vcase")), HasSubstr("OutputRate            = 1000\n"));
    EXPECT_EQ(Calc(dir, "--case k.vcase -o r.txt").status, 0);
}

// Scaled to its own diameter and output, the case keeps itself without a search.
TEST(DesignCommand, ScaleToItsOwnDiameterPrintsTheTable) {
    ScratchDir dir;
    const Outcome own = Calc(dir, "--scale-to BarrelDiameter=11.43 --output 267 --keep TemperatureRise");
    ASSERT_EQ(own.status, 0) << own.err;
    EXPECT_THAT(own.out, StartsWith("                        Reference  Constant speed  "));
    EXPECT_THAT(own.out, HasSubstr("\nTemperatureRise (kept)  29.5536    29.5536 "));
    EXPECT_THAT(own.out, HasSubstr("\nKept together within 1 %: TemperatureRise 0.00 %\nruns: 0\n"));
}

// No Kept design meets the limit: the table of the rules, exit status 1 and no case.
TEST(DesignCommand, ScaleToWithNothingFeasibleExitsOne) {
    ScratchDir dir;
    const Outcome none = Calc(dir, "--scale-to BarrelDiameter=20 --output 1000 --keep TemperatureRise "
                                   "--limit 'TemperatureRise<=1' --write-case k.vcase");
    EXPECT_EQ(none.status, 1) << none.err;
    EXPECT_THAT(none.out, HasSubstr("\nNo Kept design: no feasible design in the bounds: "));
    EXPECT_FALSE(std::filesystem::exists(dir.Path("k.vcase")));
}

TEST(DesignCommand, ScaleToRefusesWhatItCannotTake) {
    ScratchDir dir;
    for (const auto& [arguments, error] : std::vector<std::pair<std::string, std::string>>{
             {"--scale-to BarrelDiameter=20", "--scale-to requires --output"},
             {"--output 1000", "--output requires --scale-to"},
             {"--scale-to BarrelDiameter=20 --output lots", "--output: lots: the output must be a number above 0"},
             {"--scale-to BarrelDiameter=20 --output 1000 --keep Warmth", "unknown quantity Warmth"},
             {"--scale-to BarrelDiameter=20 --output 1000 --sweep ScrewSpeed=60:80:10", "excludes"},
         }) {
        const Outcome refused = Calc(dir, arguments);
        EXPECT_EQ(refused.status, 2) << arguments;
        EXPECT_THAT(refused.err, HasSubstr(error)) << arguments;
    }
}

#endif


}  // namespace
}  // namespace vortane
