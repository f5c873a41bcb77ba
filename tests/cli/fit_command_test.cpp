#include "cli/fit_command.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "support/measurements.h"
#include "support/scratch_dir.h"

namespace vortane {
namespace {

using testing::DefaultLawMeasurements;
using testing::ReadBytes;
using testing::ScratchDir;

struct Outcome {
    int status;
    std::string out, err;
};

// vortane-calc with a shell command line of arguments, in `dir`.
Outcome Calc(const ScratchDir& dir, const std::string& arguments) {
    const std::string command = "cd '" + dir.Root().string() + "' && LC_ALL=C " + VORTANE_CALC + " " +
                                arguments + " >out.txt 2>err.txt";
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadBytes(dir.Path("out.txt")), ReadBytes(dir.Path("err.txt"))};
}

void Write(const std::filesystem::path& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
}

// The values of the lines NAME = VALUE (a case file) or NAME  =  VALUE (the
// report's coefficient block) whose NAME is a coefficient.
std::map<std::string, double> Coefficients(const std::string& text) {
    std::map<std::string, double> values;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        std::string name, equals;
        double value;
        if (words >> name >> equals >> value && equals == "=" &&
            std::find(ViscosityTermNames.begin(), ViscosityTermNames.end(), name) != ViscosityTermNames.end())
            values[name] = value;
    }
    return values;
}

// Points of the default law fit back to it; the printed case, run with
// --case, puts the same values in the report's coefficient block (written
// there to 11 significant digits).
TEST(FitCommand, RoundTripThroughACaseFile) {
    ScratchDir dir;
    Write(dir.Path("exact.csv"), DefaultLawMeasurements());
    Outcome fit = Calc(dir, "--fit-viscosity exact.csv");
    ASSERT_EQ(fit.status, 0) << fit.err;
    EXPECT_EQ(fit.err, "");
    const std::map<std::string, double> exact = Coefficients(fit.out);
    ASSERT_EQ(exact.size(), 6u) << fit.out;
    for (std::size_t j = 0; j < 6; ++j) {
        const double expected = testing::DefaultCoefficients[j];
        EXPECT_NEAR(exact.at(std::string(ViscosityTermNames[j])), expected, 1e-6 * std::fabs(expected));
    }

    Write(dir.Path("noisy.csv"), DefaultLawMeasurements({150, 180, 200, 240}, {0.5, 5, 50, 500, 5000}, 0.04));
    fit = Calc(dir, "--fit-viscosity noisy.csv --plot fit.svg");
    ASSERT_EQ(fit.status, 0) << fit.err;
    Write(dir.Path("noisy.vcase"), fit.out);
    const Outcome run = Calc(dir, "--case noisy.vcase -o report.txt");
    ASSERT_EQ(run.status, 0) << run.err;
    const std::map<std::string, double> printed = Coefficients(ReadBytes(dir.Path("noisy.vcase")));
    const std::map<std::string, double> reported = Coefficients(ReadBytes(dir.Path("report.txt")));
    ASSERT_EQ(printed.size(), 6u);
    ASSERT_EQ(reported.size(), 6u);
    for (const auto& [name, value] : printed) EXPECT_NEAR(reported.at(name), value, 5e-11 * std::fabs(value)) << name;
    EXPECT_NE(printed.at("A0"), exact.at("A0"));
    EXPECT_NE(ReadBytes(dir.Path("fit.svg")).find("<svg "), std::string::npos);
}

// The same points in mPa.s (1 gf.s/cm2 = 98066.5 mPa.s) give the same law.
TEST(FitCommand, UnitOfTheViscosities) {
    ScratchDir dir;
    Write(dir.Path("pas.csv"), DefaultLawMeasurements({150, 190, 230}, {1, 10, 100, 1000}, 0.02));
    Write(dir.Path("mpas.csv"), DefaultLawMeasurements({150, 190, 230}, {1, 10, 100, 1000}, 0.02, 98066.5));
    const Outcome pas = Calc(dir, "--fit-viscosity pas.csv");
    const Outcome mpas = Calc(dir, "--fit-viscosity mpas.csv --viscosity-unit mPa.s");
    ASSERT_EQ(mpas.status, 0) << mpas.err;
    for (const auto& [name, value] : Coefficients(pas.out))
        EXPECT_NEAR(Coefficients(mpas.out).at(name), value, 1e-9 * std::fabs(value)) << name;
    EXPECT_NE(mpas.out.find("viscosities in mPa.s\n"), std::string::npos);
}

// Each refusal is one line on standard error and exit status 2; a chart that
// cannot be written is 3.
TEST(FitCommand, Refusals) {
    ScratchDir dir;
    Write(dir.Path("one.csv"), DefaultLawMeasurements({170}));
    Write(dir.Path("five.csv"), DefaultLawMeasurements({150}, {1, 10, 100, 1000, 10000}));
    Write(dir.Path("text.csv"), "Temperature,ShearRate,Viscosity\n170,10,5000\n170,ten,4000\n");
    Write(dir.Path("good.csv"), DefaultLawMeasurements());
    const std::map<std::string, std::pair<int, std::string>> cases{
        {"--fit-viscosity one.csv",
         {2, "one.csv: all points are at one temperature, 170 degC: the temperature terms A2, A22 and A12 "
             "cannot be fitted; measure at three temperatures and three shear rates or more"}},
        {"--fit-viscosity text.csv", {2, "text.csv:3: the shear rate \"ten\" is not a number"}},
        {"--fit-viscosity missing.csv", {2, "cannot read missing.csv: No such file or directory"}},
        {"--fit-viscosity .", {2, "cannot read .: Is a directory"}},
        {"--fit-viscosity good.csv --viscosity-unit kPa.s", {2, "unknown viscosity unit kPa.s; use Pa.s, mPa.s, P or gf.s/cm2"}},
        {"--fit-viscosity good.csv -o x.txt", {2, "--fit-viscosity takes --viscosity-unit and --plot, not -o"}},
        {"--fit-viscosity", {2, "--fit-viscosity needs a value"}},
        {"--fit-viscosity good.csv --plot no/such/dir.svg", {3, "cannot write no/such/dir.svg: No such file or directory"}},
    };
    for (const auto& [arguments, expected] : cases) {
        const Outcome outcome = Calc(dir, arguments);
        EXPECT_EQ(outcome.status, expected.first) << arguments;
        EXPECT_EQ(outcome.err, "vortane-calc: " + expected.second + "\n") << arguments;
    }
    const Outcome five = Calc(dir, "--fit-viscosity five.csv");
    EXPECT_EQ(five.status, 2);
    EXPECT_EQ(five.err, "vortane-calc: five.csv: 5 points: the six coefficients need at least six\n");
    EXPECT_EQ(five.out, "");
}

// Help asked for anywhere, even where a data file would stand, is the usage.
TEST(FitCommand, Help) {
    ScratchDir dir;
    for (const std::string arguments :
         {"--fit-viscosity --help", "--fit-viscosity -h", "--help --fit-viscosity x.csv"}) {
        const Outcome outcome = Calc(dir, arguments);
        EXPECT_EQ(outcome.status, 0) << arguments;
        EXPECT_EQ(outcome.out, cli::FitUsageText) << arguments;
        EXPECT_EQ(outcome.err, "") << arguments;
    }
}

// The shipped example is the fit of the shipped measurements.
TEST(FitCommand, ExampleCaseIsTheFitOfTheExampleMeasurements) {
    ScratchDir dir;
    std::filesystem::copy_file(VORTANE_EXAMPLES "/melt-measurements.csv", dir.Path("melt-measurements.csv"));
    const Outcome fit = Calc(dir, "--fit-viscosity melt-measurements.csv");
    EXPECT_EQ(fit.status, 0);
    EXPECT_EQ(fit.out, ReadBytes(VORTANE_EXAMPLES "/melt-fitted.vcase"));
}

// The fit's case carries the ranges of its data; a run of it beyond them
// warns, with the report as without them. They stay with the coefficients:
// --write-case keeps them, another coefficient text drops them.
TEST(FitCommand, FittedCaseWarnsOutsideItsData) {
    ScratchDir dir;
    std::filesystem::copy_file(VORTANE_EXAMPLES "/melt-measurements.csv", dir.Path("melt-measurements.csv"));
    const Outcome fit = Calc(dir, "--fit-viscosity melt-measurements.csv");
    ASSERT_EQ(fit.status, 0);
    Write(dir.Path("fit.vcase"), fit.out);
    const Outcome thirty = Calc(dir, "--case fit.vcase OutputRate=30 -o ranges.txt --write-case kept.vcase");
    EXPECT_EQ(thirty.status, 0);
    EXPECT_EQ(thirty.err, "vortane-calc: warning: the viscosity law is used at a melt temperature of 235.25 \u2103, "
                          "outside the 150 to 230 \u2103 it was fitted on\n");
    EXPECT_NE(ReadBytes(dir.Path("kept.vcase")).find("\nViscosityTemperatureRange = 150:230\n"), std::string::npos);

    std::string coefficients;  // " A0=6.353905607 A1=..." from the case's lines "A0 = 6.353905607"
    std::istringstream fitted(ReadBytes(dir.Path("fit.vcase")));
    for (std::string line; std::getline(fitted, line);) {
        if (line.starts_with("A")) coefficients += " " + line.replace(line.find(" = "), 3, "=");
    }
    const Outcome plain = Calc(dir, "OutputRate=30 -o plain.txt" + coefficients);
    EXPECT_EQ(plain.err, "");
    EXPECT_EQ(ReadBytes(dir.Path("ranges.txt")), ReadBytes(dir.Path("plain.txt")));

    EXPECT_EQ(Calc(dir, "--case fit.vcase OutputRate=30 A0=6.4 --write-case other.vcase").err, "");
    EXPECT_EQ(ReadBytes(dir.Path("other.vcase")).find("Range"), std::string::npos);
    EXPECT_NE(Calc(dir, "--case fit.vcase --sweep OutputRate=30:40:10").out.find("outside the 150 to 230"),
              std::string::npos);
}

}  // namespace
}  // namespace vortane
