#include "cli/material_command.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>

#include "support/scratch_dir.h"

namespace vortane {
namespace {

using testing::ReadBytes;
using testing::ScratchDir;

struct Outcome {
    int status;
    std::string out, err;
};

// vortane-calc in `dir`, the user's grades in dir/data/vortane/materials.
Outcome Calc(const ScratchDir& dir, const std::string& arguments) {
    const std::string command = "cd '" + dir.Root().string() + "' && LC_ALL=C XDG_DATA_HOME='" +
                                dir.Path("data").string() + "' " + VORTANE_CALC + " " + arguments +
                                " >out.txt 2>err.txt";
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadBytes(dir.Path("out.txt")), ReadBytes(dir.Path("err.txt"))};
}

void Write(const std::filesystem::path& path, const std::string& content) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << content;
}

const std::string Cross =
    "# a grade to fit\r\nName = Cross test\nFamily = PS\nLaw = CrossWLF\nLaw.n = 0.3\nLaw.tau = 30000 Pa\n"
    "Law.D1 = 1e13 Pa.s\nLaw.D2 = 263.15 K\nLaw.A1 = 28\nLaw.A2 = 51.6 K\nLaw.Source = a book\n"
    "TemperatureRange = 200 to 260 degC\nShearRateRange = 10 to 10000 1/s\nRange.Source = a book\n"
    "A0 = 6.83729\n# between\nA1 = -0.661828\nA11 = -0.0158406\nA2 = -0.0149381\nA22 = -4.7079E-7\n"
    "A12 = 1.1946E-3\nFitError = 0.5\n";

TEST(MaterialCommand, UnknownNameIsAUsageErrorWithTheNearest) {
    ScratchDir dir;
    Write(dir.Path("data/vortane/materials/PS-cross.vgrade"), Cross);
    const Outcome outcome = Calc(dir, "--material 'Cross tset'");
    EXPECT_EQ(outcome.status, 2);
    EXPECT_EQ(outcome.err, "vortane-calc: unknown material Cross tset (did you mean Cross test?)\n");
    EXPECT_FALSE(std::filesystem::exists(dir.Path("result.txt")));
}

// A grade whose source states no ranges is listed, but not applied or fitted.
TEST(MaterialCommand, GradeWithoutRangesIsRefusedWhereItIsUsed) {
    ScratchDir dir;
    std::string unranged = Cross.substr(0, Cross.find("A0 = "));
    for (const char* line : {"TemperatureRange = 200 to 260 degC\n", "ShearRateRange = 10 to 10000 1/s\n",
                             "Range.Source = a book\n"})
        unranged.erase(unranged.find(line), std::string(line).size());
    Write(dir.Path("data/vortane/materials/PS-cross.vgrade"), unranged);
    EXPECT_EQ(Calc(dir, "--list-materials --csv list.csv").status, 0);
    EXPECT_NE(ReadBytes(dir.Path("list.csv")).find("\nCross test,PS,a book,not stated,not stated,\n"), std::string::npos);
    const Outcome applied = Calc(dir, "--material 'Cross test'");
    EXPECT_EQ(applied.status, 2);
    EXPECT_EQ(applied.err, "vortane-calc: " + dir.Path("data/vortane/materials/PS-cross.vgrade").string() +
                               ": Cross test states no TemperatureRange and ShearRateRange: its law cannot be "
                               "fitted without the ranges it holds over\n");
    EXPECT_FALSE(std::filesystem::exists(dir.Path("result.txt")));
}

// The user's grade applied before FIELD=TEXT: its coefficients in the report,
// its name in the case written.
TEST(MaterialCommand, AppliesTheGradeBeforeTheBoxTexts) {
    ScratchDir dir;
    Write(dir.Path("data/vortane/materials/PS-cross.vgrade"), Cross);
    const Outcome outcome = Calc(dir, "--material ps-cross A12=0.001 --write-case c.vcase MeltDensity=0.9");
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    const std::string written = ReadBytes(dir.Path("c.vcase"));
    EXPECT_NE(written.find("A0                    = 6.83729\n"), std::string::npos) << written;
    EXPECT_NE(written.find("A12                   = 0.001\n"), std::string::npos);
    EXPECT_NE(written.find("MeltDensity           = 0.9\n"), std::string::npos);
    // A coefficient given over the grade's: the case is no longer the grade's.
    EXPECT_EQ(written.find("Material ="), std::string::npos);
    EXPECT_EQ(Calc(dir, "--material ps-cross --write-case d.vcase").status, 0);
    EXPECT_NE(ReadBytes(dir.Path("d.vcase")).find("\nMaterial = Cross test\n"), std::string::npos);
}

TEST(MaterialCommand, ListsAsTextAndCsvAndNamesBadFiles) {
    ScratchDir dir;
    Write(dir.Path("data/vortane/materials/PS-cross.vgrade"), Cross);
    Write(dir.Path("data/vortane/materials/PS-bad.vgrade"), "Name = x\n");
    const Outcome listed = Calc(dir, "--list-materials --csv list.csv");
    EXPECT_EQ(listed.status, 2);
    EXPECT_EQ(listed.err, "vortane-calc: " + dir.Path("data/vortane/materials/PS-bad.vgrade").string() +
                              ": Family is missing\n");
    const std::string csv = ReadBytes(dir.Path("list.csv"));
    EXPECT_EQ(csv.substr(0, csv.find('\n')), "Name,Family,Source,TemperatureRange,ShearRateRange,FitError");
    EXPECT_NE(csv.find("\nCross test,PS,a book,200 to 260 degC,10 to 10000 1/s,0.5\n"), std::string::npos) << csv;
    std::filesystem::remove(dir.Path("data/vortane/materials/PS-bad.vgrade"));
    const Outcome text = Calc(dir, "--list-materials");
    EXPECT_EQ(text.status, 0);
    EXPECT_NE(text.out.find("Cross test (yours) | PS | a book | 200 to 260 degC | 10 to 10000 1/s | fit within 50 %\n"),
              std::string::npos) << text.out;
}

// The fit rewrites its seven values and nothing else; a file that is no
// grade is refused and left as it was.
TEST(MaterialCommand, FitGradeRewritesTheFitAlone) {
    ScratchDir dir;
    Write(dir.Path("g.vgrade"), Cross);
    const Outcome fitted = Calc(dir, "--fit-grade g.vgrade");
    EXPECT_EQ(fitted.status, 0) << fitted.err;
    const std::string after = ReadBytes(dir.Path("g.vgrade"));
    const std::size_t fit = after.find("A0 = ");
    EXPECT_EQ(after.substr(0, fit), Cross.substr(0, Cross.find("A0 = ")));
    EXPECT_NE(after.find("\n# between\nA1 = -"), std::string::npos);
    EXPECT_NE(after.find("FitError = "), std::string::npos);
    EXPECT_EQ(fitted.out, "g.vgrade: FitError = " + after.substr(after.find("FitError = ") + 11));

    Write(dir.Path("bad.vgrade"), Cross + "Law.n = 0.4\n");
    const Outcome refused = Calc(dir, "--fit-grade g.vgrade bad.vgrade");
    EXPECT_EQ(refused.status, 2);
    EXPECT_EQ(refused.err, "vortane-calc: bad.vgrade:23: Law.n is already given on line 5\n");
    EXPECT_EQ(ReadBytes(dir.Path("g.vgrade")), after);
    EXPECT_EQ(Calc(dir, "--fit-grade").status, 2);
}

}  // namespace
}  // namespace vortane
