#include "material/grade_fit.h"

#include <gtest/gtest.h>

#include <cmath>

#include "case/number_text.h"
#include "material/grade_apply.h"

namespace vortane {
namespace {

const std::string Head =
    "Name = test grade\nFamily = PP\nLaw.Source = a book\n"
    "TemperatureRange = 200 to 260 degC\nShearRateRange = 10 to 10000 1/s\nRange.Source = a book\n";

Grade PowerGrade(const std::string& more = "") {
    return ParseGrade(Head + "Law = PowerLaw\nLaw.n = 0.35\nLaw.beta = 0.01 1/degC\nLaw.K = 20000 Pa.s^n\n"
                             "Law.T0 = 200 degC\n" + more,
                      "pp.vgrade");
}

Grade CrossGrade() {
    return ParseGrade(Head + "Law = CrossWLF\nLaw.n = 0.3\nLaw.tau = 30000 Pa\nLaw.D1 = 1e13 Pa.s\n"
                             "Law.D2 = 263.15 K\nLaw.A1 = 28\nLaw.A2 = 51.6 K\n",
                      "cross.vgrade");
}

// ln η of a power law is linear in T and ln γ: the fit is exact, its
// coefficients ln(K·e^(β·T0)/98.0665), n − 1 and −β, the others 0.
TEST(GradeFit, PowerLawIsTheSixCoefficientLawExactly) {
    const GradeFit fit = FitGrade(PowerGrade());
    EXPECT_NEAR(fit.coefficients[0], std::log(20000 * std::exp(0.01 * 200) / 98.0665), 1e-8);
    EXPECT_NEAR(fit.coefficients[1], 0.35 - 1, 1e-8);
    EXPECT_NEAR(fit.coefficients[2], 0, 1e-9);
    EXPECT_NEAR(fit.coefficients[3], -0.01, 1e-9);
    EXPECT_NEAR(fit.coefficients[4], 0, 1e-9);
    EXPECT_NEAR(fit.coefficients[5], 0, 1e-9);
    EXPECT_LT(fit.fitError, 1e-8);
}

// A Cross law bends where a quadratic in ln γ cannot follow: the stated error
// is the largest over the finer grid, rounded up to three digits, and the
// coefficient texts give it.
// A power law whose source states no ranges still fits, exactly, and puts no
// fitted ranges on the case; a law of another form cannot be fitted without.
TEST(GradeFit, PowerLawNeedsNoStatedRanges) {
    const Grade grade = ParseGrade("Name = no ranges\nFamily = PP\nLaw.Source = a book\nLaw = PowerLaw\n"
                                   "Law.n = 0.35\nLaw.beta = 0.01 1/degC\nLaw.K = 20000 Pa.s^n\nLaw.T0 = 200 degC\n",
                                   "pp.vgrade");
    ASSERT_FALSE(grade.rangesStated);
    const GradeFit fit = FitGrade(grade);
    EXPECT_EQ(fit.texts[0], "7.317841733");
    EXPECT_EQ(fit.texts[1], "-0.65");
    EXPECT_EQ(fit.texts[3], "-0.01");
    EXPECT_LT(fit.fitError, 1e-8);
    const AppliedGrade applied = ApplyGrade(ParseGrade(WithFit("Name = no ranges\nFamily = PP\nLaw.Source = a book\n"
                                                                "Law = PowerLaw\nLaw.n = 0.35\nLaw.beta = 0.01 1/degC\n"
                                                                "Law.K = 20000 Pa.s^n\nLaw.T0 = 200 degC\n",
                                                                fit),
                                                        "pp.vgrade"),
                                             DefaultTexts('.'), '.');
    EXPECT_EQ(applied.ranges, FittedRanges{});
    const Grade cross = ParseGrade("Name = cross\nFamily = PP\nLaw.Source = a book\nLaw = CrossWLF\nLaw.n = 0.3\n"
                                   "Law.tau = 30000 Pa\nLaw.D1 = 1e13 Pa.s\nLaw.D2 = 263.15 K\nLaw.A1 = 28\n"
                                   "Law.A2 = 51.6 K\n",
                                   "cross.vgrade");
    try {
        FitGrade(cross);
        ADD_FAILURE() << "fitted without ranges";
    } catch (const GradeFileError& error) {
        EXPECT_STREQ(error.what(), "cross.vgrade: cross states no TemperatureRange and ShearRateRange: its law "
                                   "cannot be fitted without the ranges it holds over");
    }
}

TEST(GradeFit, StatedErrorBoundsTheFitOverItsRanges) {
    const Grade grade = CrossGrade();
    const GradeFit fit = FitGrade(grade);
    const double measured = LargestFitError(grade, fit.coefficients);
    EXPECT_GT(measured, 1e-3);
    EXPECT_GE(fit.fitError, measured);
    EXPECT_LE(fit.fitError, measured * 1.01);
    for (std::size_t j = 0; j < 6; ++j) EXPECT_EQ(*ConvertReal(fit.texts[j], '.'), fit.coefficients[j]);
    // The law the fit was made on is met at every sample within the error.
    for (const ViscosityPoint& point : SampleGrade(grade, FitTemperatures, FitShearRates))
        EXPECT_LE(std::abs(ViscosityOf(fit.coefficients, point.shearRate, point.temperature) / point.viscosity - 1),
                  fit.fitError);
}

TEST(GradeFit, RewritesOnlyTheFitLines) {
    const std::string before = "# keep me\r\nName = x\r\nA1 =   old\r\n  # A0 = in a comment\nNotes = A0 = text\n";
    GradeFit fit{{"1", "2", "3", "4", "5", "6"}, {}, 0.0123};
    EXPECT_EQ(WithFit(before, fit),
              "# keep me\r\nName = x\r\nA1 =   2\r\n  # A0 = in a comment\nNotes = A0 = text\n"
              "# fitted by vortane-calc --fit-grade\n"
              "A0 = 1\nA11 = 3\nA2 = 4\nA22 = 5\nA12 = 6\nFitError = 0.0123\n");
    // A second fit replaces the first in place.
    const std::string once = WithFit(before, fit);
    fit.texts[0] = "-7";
    const std::string twice = WithFit(once, fit);
    EXPECT_EQ(twice.size(), once.size() + 1);
    EXPECT_NE(twice.find("A0 = -7\n"), std::string::npos);
}

TEST(GradeFit, CheckHoldsWithinThePrintedDigits) {
    const std::string check = "Check = 200 degC, 500 1/s, 373.1 Pa.s\nCheck.Source = a book\n";
    const std::string rao = Head + "Law = PowerLaw\nLaw.n = 0.3286\nLaw.beta = 0.00863 1/degC\n"
                                   "Law.K = 135990 Pa.s^n\nLaw.T0 = 0 degC\n";
    const std::optional<CheckResult> holds = CheckGrade(ParseGrade(rao + check, "rao.vgrade"));
    ASSERT_TRUE(holds);
    EXPECT_TRUE(holds->Holds()) << holds->relativeDifference;
    const std::optional<CheckResult> fails = CheckGrade(ParseGrade(rao + "Check = 200 degC, 500 1/s, 373.3 Pa.s\n"
                                                                         "Check.Source = a book\n", "rao.vgrade"));
    EXPECT_FALSE(fails->Holds());
    EXPECT_FALSE(CheckGrade(CrossGrade()));
}

// The thermal values in each box's own unit, in the user's notation; the
// ones the grade does not give keep their texts.
TEST(ApplyGrade, PutsEachValueInItsBoxUnit) {
    const Grade grade = PowerGrade(
        "MeltingPoint = 438.15 K\nMeltingPoint.Source = a\nSolidSpecificHeat = 2.0934 kJ/kg.K\n"
        "SolidSpecificHeat.Source = b\nHeatOfFusion = 125.604 J/g\nHeatOfFusion.Source = c\n");
    InputTexts texts = DefaultTexts(',');
    const AppliedGrade applied = ApplyGrade(grade, texts, ',');
    const auto text = [&](std::string_view name) { return applied.texts[InputFieldNamed(name).box - 1]; };
    EXPECT_EQ(text("MeltingPoint"), "165");
    EXPECT_EQ(text("SolidSpecificHeat"), "0,5");  // 2.0934/4.1868
    EXPECT_EQ(text("HeatOfFusion"), "30");        // 125.604/4.1868
    EXPECT_EQ(text("MeltDensity"), "0,77");
    EXPECT_EQ(text("A1"), "-0,65");
    EXPECT_EQ(applied.ranges, (FittedRanges{ValueRange{200, 260}, ValueRange{10, 10000}}));
    EXPECT_EQ(applied.material, "test grade");
    EXPECT_EQ(MissingValuesText(grade), "test grade gives no MeltDensity, MeltSpecificHeat: their boxes keep their texts");
}

}  // namespace
}  // namespace vortane
