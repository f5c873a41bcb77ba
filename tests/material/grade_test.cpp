#include "material/grade.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "material/grade_fit.h"

namespace vortane {
namespace {

// A whole grade of the Rao and Schumacher power law, to be spoilt line by line.
const std::string RaoGrade =
    "# comment\n"
    "Name = LDPE example\n"
    "Family = LDPE\n"
    "Law = PowerLaw\n"
    "Law.n = 0.3286\n"
    "Law.beta = 0.00863 1/degC\n"
    "Law.K = 135990 Pa.s^n\n"
    "Law.T0 = 0 degC\n"
    "Law.Source = Rao and Schumacher, p. 16\n"
    "Check = 200 degC, 500 1/s, 373.1 Pa.s\n"
    "Check.Source = Rao and Schumacher, p. 16\n"
    "TemperatureRange = 170 to 230 degC\n"
    "ShearRateRange = 10 to 10000 1/s\n"
    "Range.Source = chosen\n"
    "MeltDensity = 0.7 g/cm3\n"
    "MeltDensity.Source = a handbook\n";

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return text.replace(at, from.size(), to);
}

std::string Refusal(const std::string& content) {
    try {
        ParseGrade(content, "g.vgrade");
    } catch (const GradeFileError& error) {
        return error.what();
    }
    return "taken";
}

TEST(GradeFile, ReadsEveryPart) {
    const Grade grade = ParseGrade("\xEF\xBB\xBF" + Replaced(RaoGrade, "\n", "\r\n"), "g.vgrade");
    EXPECT_EQ(grade.name, "LDPE example");
    EXPECT_EQ(grade.law.family->name, "PowerLaw");
    EXPECT_EQ(grade.law.values, (std::vector<double>{0.3286, 0.00863, 135990, 0}));
    EXPECT_EQ(grade.temperatureRange, (ValueRange{170, 230}));
    EXPECT_EQ(grade.shearRateRange, (ValueRange{10, 10000}));
    ASSERT_TRUE(grade.check);
    EXPECT_EQ(grade.check->viscosityText, "373.1");
    ASSERT_EQ(grade.thermal.size(), 1U);
    EXPECT_EQ(grade.thermal[0].text, "0.7 g/cm3");
    EXPECT_FALSE(grade.coefficients);
    EXPECT_EQ(grade.Sources().size(), 4U);
}

// Each fault named with its file and line, or the file alone for what is missing.
TEST(GradeFile, RefusesMalformedLinesNamingTheLine) {
    EXPECT_EQ(Refusal(Replaced(RaoGrade, "Family = LDPE", "Family LDPE")), "g.vgrade:3: expected Key = value");
    EXPECT_EQ(Refusal(RaoGrade + "Name = again\n"), "g.vgrade:17: Name is already given on line 2");
    EXPECT_EQ(Refusal(RaoGrade + "Colour = blue\n"), "g.vgrade:17: unknown key Colour");
    EXPECT_EQ(Refusal(Replaced(RaoGrade, "Law.n = 0.3286", "Law.n = ")), "g.vgrade:5: Law.n has no value");
    EXPECT_EQ(Refusal(Replaced(RaoGrade, "135990 Pa.s^n", "135990 Pa.s")),
              "g.vgrade:7: Law.K is given in Pa.s^n, not Pa.s");
    EXPECT_EQ(Refusal(Replaced(RaoGrade, "0.00863 1/degC", "0.00863")),
              "g.vgrade:6: Law.beta is given in 1/degC: add the unit after the number");
    EXPECT_EQ(Refusal(Replaced(RaoGrade, "0.3286", "0,3286")),
              "g.vgrade:5: Law.n: 0,3286 is not a number with a point");
    EXPECT_EQ(Refusal(Replaced(RaoGrade, "170 to 230", "230 to 170")),
              "g.vgrade:12: TemperatureRange: LOW must lie below HIGH");
    EXPECT_EQ(Refusal(Replaced(RaoGrade, "170 to 230", "-300 to 230")),
              "g.vgrade:12: TemperatureRange lies below absolute zero, -273.15 degC");
    EXPECT_EQ(Refusal(Replaced(RaoGrade, "0.7 g/cm3", "0.7 kg")),
              "g.vgrade:15: MeltDensity \"0.7 kg\": the unit kg is not one MeltDensity takes: g/cm3, kg/m3, lb/ft3");
    EXPECT_EQ(Refusal(Replaced(RaoGrade, "Law = PowerLaw", "Law = PowerLow")),
              "g.vgrade:4: unknown law PowerLow (did you mean PowerLaw?)");
    EXPECT_EQ(Refusal(RaoGrade + "Law.m = 1\n"), "g.vgrade:17: Law PowerLaw takes no Law.m");
    EXPECT_EQ(Refusal(RaoGrade + "A0 = 1\n"), "g.vgrade:17: the fit needs all six coefficients A0 ... A12");
}

TEST(GradeFile, RefusesWhatIsMissingOrUnsourced) {
    EXPECT_EQ(Refusal(Replaced(RaoGrade, "Law.K = 135990 Pa.s^n\n", "")), "g.vgrade: Law.K is missing");
    EXPECT_EQ(Refusal(Replaced(RaoGrade, "MeltDensity.Source = a handbook\n", "")),
              "g.vgrade:15: MeltDensity has no source: give MeltDensity.Source");
    EXPECT_EQ(Refusal(Replaced(RaoGrade, "Check = 200 degC, 500 1/s, 373.1 Pa.s\n", "")),
              "g.vgrade:10: Check.Source is given without Check");
    EXPECT_EQ(Refusal(Replaced(RaoGrade, "Law = PowerLaw", "Law = Muenstedt")),
              "g.vgrade:4: Law Muenstedt needs Law.shift = WLF or Arrhenius");
}

// Ranges that the source does not state are left out, both together; the
// grade is read, and a power law, of the program's own form, keeps a fit
// without them (a law of another form cannot: GradeFit.PowerLawNeedsNoStatedRanges).
TEST(GradeFile, RangesMayBeLeftOutTogether) {
    const std::string without = Replaced(RaoGrade, "TemperatureRange = 170 to 230 degC\nShearRateRange = 10 to 10000 1/s\n"
                                                   "Range.Source = chosen\n", "");
    const Grade grade = ParseGrade(without, "g.vgrade");
    EXPECT_FALSE(grade.rangesStated);
    EXPECT_EQ(grade.Sources().size(), 3U);
    EXPECT_EQ(Refusal(Replaced(RaoGrade, "ShearRateRange = 10 to 10000 1/s\n", "")),
              "g.vgrade:12: give both TemperatureRange and ShearRateRange, or neither");
    EXPECT_EQ(Refusal(without + "A0 = 1\nA1 = 1\nA11 = 1\nA2 = 1\nA22 = 1\nA12 = 1\n"), "taken");
}

TEST(GradeFile, ReadsTheSixCoefficientsAsTheirOwnLaw) {
    const Grade grade = ParseGrade(
        "Name = own\nFamily = PP\nLaw = Six\nLaw.Source = own measurements, 2026-12-01\n"
        "TemperatureRange = 200 to 260 degC\nShearRateRange = 1 to 1000 1/s\nRange.Source = the same\n"
        "A0 = 6.83729\nA1 = -0.661828\nA11 = -0.0158406\nA2 = -0.0149381\nA22 = -4.7079E-7\nA12 = 1.1946E-3\n",
        "own.vgrade");
    EXPECT_EQ(grade.fitError, 0.0);
    // The default law at 200 degC and 1 1/s: ln η = 6.83729 − 0.0149381·200 − 4.7079e-7·200², in gf.s/cm2.
    const double lnEta = 6.83729 - 0.0149381 * 200 - 4.7079E-7 * 200 * 200;
    EXPECT_NEAR(grade.law.Viscosity(200, 1), std::exp(lnEta) * 98.0665, 1e-9 * std::exp(lnEta) * 98.0665);
    EXPECT_EQ(FitGrade(grade).texts, *grade.coefficientTexts);
}

// Half a unit in the last printed digit, relative to the value.
TEST(GradeFile, PrintedToleranceIsHalfTheLastDigit) {
    EXPECT_DOUBLE_EQ(PrintedTolerance("373.1"), 0.05 / 373.1);
    EXPECT_DOUBLE_EQ(PrintedTolerance("400"), 0.5 / 400);
    EXPECT_DOUBLE_EQ(PrintedTolerance("1.25e3"), 5.0 / 1250);
    EXPECT_DOUBLE_EQ(PrintedTolerance("2.5E+04"), 500.0 / 25000);
}

}  // namespace
}  // namespace vortane
