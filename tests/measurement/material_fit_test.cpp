#include "measurement/material_fit.h"

#include <gtest/gtest.h>

#include <cmath>

#include "case/number_text.h"
#include "support/measurements.h"

namespace vortane {
namespace {

using testing::DefaultLawMeasurements;

struct Fitted {
    Measurements measurements;
    ViscosityFit fit;
};

Fitted FitOf(const std::string& content) {
    Measurements m = ParseMeasurements(content, "melt.csv", std::nullopt);
    const ViscosityFit fit = FitMeasurements(m);
    return {std::move(m), fit};
}

ViscosityCoefficients Read(const std::array<std::string, 6>& texts, char separator) {
    ViscosityCoefficients read{};
    for (std::size_t j = 0; j < 6; ++j) read[j] = ConvertReal(texts[j], separator).value();
    return read;
}

// Points of the default law fit back to it; six digits give its own texts.
TEST(MaterialFit, ExactPointsGiveTheDefaultTexts) {
    const Fitted f = FitOf(DefaultLawMeasurements());
    EXPECT_EQ(CoefficientTexts(f.fit.coefficients, f.measurements.points, '.'),
              (std::array<std::string, 6>{"6.83729", "-0.661828", "-0.0158406", "-0.0149381",
                                          "-4.7079E-7", "0.0011946"}));
}

// With 3 % noise the coefficients need more digits; read back in the user's
// notation they keep the law within 1e-9 over the data.
TEST(MaterialFit, TextsReproduceTheLaw) {
    const Fitted f = FitOf(DefaultLawMeasurements({150, 175, 200, 230}, {2, 20, 200, 2000, 20000}, 0.03));
    const std::array<std::string, 6> texts = CoefficientTexts(f.fit.coefficients, f.measurements.points, ',');
    const ViscosityCoefficients read = Read(texts, ',');
    for (const ViscosityPoint& p : f.measurements.points) {
        for (const double rate : {p.shearRate, 2.0, 20000.0}) {
            const double law = ViscosityOf(f.fit.coefficients, rate, p.temperature);
            EXPECT_NEAR(ViscosityOf(read, rate, p.temperature), law, 1e-9 * law);
        }
    }
    EXPECT_NE(texts[0].find(','), std::string::npos) << texts[0];
    EXPECT_LT(texts[0].size(), 19u) << texts[0];  // fewer than 17 digits
}

TEST(MaterialFit, FiguresAsShown) {
    const ViscosityFit fit{{}, 0.99941234, 0.018649, 0.049051, 45, 150, 230.5, 1, 10000};
    const std::vector<FitFigure> figures = FitFigures(fit, ',');
    ASSERT_EQ(figures.size(), 6u);
    const std::vector<std::pair<std::string, std::string>> expected{
        {"R² of ln η", "0,999412"},
        {"RMS relative error of η", "1,86 %"},
        {"Largest relative error of η", "4,91 %"},
        {"Points", "45"},
        {"Temperatures", "150 to 230,5 degC"},
        {"Shear rates", "1 to 10000 1/s"}};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(figures[i].caption, expected[i].first);
        EXPECT_EQ(figures[i].text, expected[i].second);
    }
    EXPECT_EQ(FitFigures(fit, ',', UnitSystem::SI)[4].text, "150 to 230,5 degC");
    EXPECT_EQ(FitFigures(fit, ',', UnitSystem::US)[4].text, "302 to 446,9 °F");  // · 9/5 + 32
}

// The text is a case file holding the six coefficients; the figures follow as
// comments.
TEST(MaterialFit, CaseTextOfTheFit) {
    const Fitted f = FitOf(DefaultLawMeasurements());
    const std::string text = FittedCaseText(f.measurements, f.fit);
    EXPECT_EQ(text.substr(0, text.find("# ")),
              "A0 = 6.83729\nA1 = -0.661828\nA11 = -0.0158406\nA2 = -0.0149381\n"
              "A22 = -4.7079E-7\nA12 = 0.0011946\n"
              "ViscosityTemperatureRange = 150:230\nViscosityShearRateRange = 1:10000\n");
    for (const char* line : {"# Viscosity law fitted to melt.csv, viscosities in Pa.s\n",
                             "# R² of ln η: 1.000000\n", "# Points: 30\n",
                             "# Temperatures: 150 to 230 degC\n", "# Shear rates: 1 to 10000 1/s\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line;
    const CaseFile file = ParseCaseFile(text, "fit.vcase");
    ASSERT_EQ(file.entries.size(), 6u);
    EXPECT_EQ(file.entries[4].field->name, "A22");
    EXPECT_EQ(file.entries[4].text, "-4.7079E-7");
    // The points span 150 to 230 degC and 1 to 10000 1/s.
    EXPECT_EQ(file.extras.viscosityRanges, (FittedRanges{ValueRange{150, 230}, ValueRange{1, 10000}}));
}

// A file's name holding line breaks stays in its comment line: it adds no
// entry to the case and no line.
TEST(MaterialFit, FileNameCannotAddLinesToTheCase) {
    Measurements m = ParseMeasurements(DefaultLawMeasurements(), "melt\nA0 = 99\r\nLimit = PowerKW<=1\n.csv",
                                       std::nullopt);
    const ViscosityFit fit = FitMeasurements(m);
    const std::string text = FittedCaseText(m, fit);
    EXPECT_NE(text.find("\n# Viscosity law fitted to melt�A0 = 99��Limit = PowerKW<=1�.csv, viscosities in Pa.s\n"),
              std::string::npos)
        << text;
    const CaseFile file = ParseCaseFile(text, "fit.vcase");
    ASSERT_EQ(file.entries.size(), 6u);
    EXPECT_EQ(file.entries[0].text, "6.83729");
    EXPECT_TRUE(file.extras.limits.empty());
    std::size_t entries = 0;  // lines not comments: the six boxes and two ranges
    for (std::size_t at = 0; at < text.size(); at = text.find('\n', at) + 1) entries += text[at] != '#';
    EXPECT_EQ(entries, 8u);
}

// One curve per temperature, coldest first; viscosities in the file's unit.
// The points are exact, so the law meets them at the ends of the range.
TEST(MaterialFit, CurvesPerTemperature) {
    const Fitted f = FitOf(DefaultLawMeasurements({210, 150, 170}, {1, 100, 10000, 10}));
    const std::vector<FitCurve> curves = FitCurves(f.measurements, f.fit, '.', 30);
    ASSERT_EQ(curves.size(), 3u);
    EXPECT_EQ(curves[0].label, "150 degC");
    EXPECT_EQ(curves[2].label, "210 degC");
    for (const FitCurve& curve : curves) {
        EXPECT_EQ(curve.measuredShearRate, (std::vector<double>{1, 10, 100, 10000}));
        ASSERT_EQ(curve.lawShearRate.size(), 30u);
        EXPECT_NEAR(curve.lawShearRate.front(), 1, 1e-15);
        EXPECT_NEAR(curve.lawShearRate.back(), 10000, 1e-9);
        const double pascalSeconds = ViscosityOf(testing::DefaultCoefficients, 1, curve.temperature) * 98.0665;
        EXPECT_NEAR(curve.measuredViscosity.front(), pascalSeconds, 1e-12 * pascalSeconds);
        EXPECT_NEAR(curve.lawViscosity.front(), pascalSeconds, 1e-9 * pascalSeconds);
        EXPECT_NEAR(curve.lawViscosity.back(), curve.measuredViscosity.back(), 1e-9 * curve.measuredViscosity.back());
    }
}

TEST(MaterialFit, CoefficientEntriesOnly) {
    const std::vector<CaseEntry> entries = CoefficientEntries(
        ParseCaseFile("OutputRate = 30\nA0 = 7\nEdit28 = 0.002\nScrewSpeed = 90\n", "other.vcase").entries);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].field->name, "A0");
    EXPECT_EQ(entries[1].field->name, "A12");
    EXPECT_EQ(entries[1].text, "0.002");
}

}  // namespace
}  // namespace vortane
