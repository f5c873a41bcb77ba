#include "material/grade_view.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

#include "material/grade_fit.h"
#include "material/material_library.h"
#include "support/scratch_dir.h"

namespace vortane {
namespace {

using testing::ScratchDir;

const std::string Head =
    "Name = Film LDPE\nFamily = LDPE\nDescription = blown film grade\nLaw.Source = Handbook of Films, p. 12\n";
const std::string Ranges =
    "TemperatureRange = 200 to 260 degC\nShearRateRange = 10 to 10000 1/s\nRange.Source = Handbook, Table 3\n";
const std::string Power =
    "Law = PowerLaw\nLaw.n = 0.35\nLaw.beta = 0.01 1/degC\nLaw.K = 20000 Pa.s^n\nLaw.T0 = 200 degC\n";
const std::string Cross =
    "Law = CrossWLF\nLaw.n = 0.3\nLaw.tau = 30000 Pa\nLaw.D1 = 1e13 Pa.s\nLaw.D2 = 263.15 K\nLaw.A1 = 28\n"
    "Law.A2 = 51.6 K\n";

Grade PowerGrade(const std::string& more = "") { return ParseGrade(Head + Power + Ranges + more, "film.vgrade"); }

TEST(GradeView, SearchFindsEveryWordInNameFamilyDescriptionOrSources) {
    const Grade grade = PowerGrade("Check = 220 degC, 100 1/s, 3000 Pa.s\nCheck.Source = Journal of Rheology 7\n");
    for (const char* query : {"", "  ", "film", "FILM ldpe", "blown", "handbook", "table 3", "rheology", "ldpe  12"})
        EXPECT_TRUE(GradeMatches(grade, query)) << query;
    for (const char* query : {"pp", "film pp", "films handbook x", "Notes"})
        EXPECT_FALSE(GradeMatches(grade, query)) << query;
    Grade mine = grade;
    mine.user = true;
    EXPECT_EQ(GradeListName(grade), "Film LDPE");
    EXPECT_EQ(GradeListName(mine), "Film LDPE (yours)");
}

// Every value as the file writes it, with its source.
TEST(GradeView, DetailsCaptionEachValueWithItsSource) {
    const Grade grade = PowerGrade("Check = 220 degC, 100 1/s, 3000 Pa.s\nCheck.Source = Journal 7\n"
                                   "MeltingPoint = 112 degC\nMeltingPoint.Source = Datasheet\nFitError = 0.0012\n"
                                   "A0 = 1\nA1 = 2\nA11 = 3\nA2 = 4\nA22 = 5\nA12 = 6\n");
    std::vector<std::string> lines;
    for (const GradeDetail& d : GradeDetails(grade)) lines.push_back(d.caption + ": " + d.text + " [" + d.source + "]");
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "Name: Film LDPE []",
                         "Family: LDPE []",
                         "Description: blown film grade []",
                         "Viscosity law: PowerLaw: n = 0.35, beta = 0.01 1/degC, K = 20000 Pa.s^n, T0 = 200 degC "
                         "[Handbook of Films, p. 12]",
                         "Check value: 3000 Pa.s at 220 degC and 100 1/s [Journal 7]",
                         "Temperatures: 200 to 260 degC [Handbook, Table 3]",
                         "Shear rates: 10 to 10000 1/s [Handbook, Table 3]",
                         "Largest fit error: 0.12 % []",
                         "Melting Point: 112 degC [Datasheet]",
                     }));

    const Grade bare = ParseGrade(Head + "Law = Six\nA0 = 1\nA1 = 2\nA11 = 3\nA2 = 4\nA22 = 5\nA12 = 6\n", "six.vgrade");
    const std::vector<GradeDetail> details = GradeDetails(bare);
    ASSERT_EQ(details.size(), 7U);
    EXPECT_EQ(details[3].text, "Six: A0 = 1, A1 = 2, A11 = 3, A2 = 4, A22 = 5, A12 = 6");
    EXPECT_EQ(details[4].text + " / " + details[5].text, "not stated / not stated");
    EXPECT_EQ(details[6].text, "0 %");
}

// η = K e^(−β (T − T0)) γ^(n − 1) of the power law at each drawn temperature;
// a law of the program's form draws no fit beside it.
TEST(GradeView, ChartDrawsThePrintedLawAtTemperaturesAcrossTheRange) {
    const Chart chart = GradeChart(PowerGrade("Check = 220 degC, 100 1/s, 3000 Pa.s\nCheck.Source = J\n"), '.');
    EXPECT_EQ(chart.title, "Printed law");
    EXPECT_EQ(AxisTitle(chart.x), "Shear rate (1/s)");
    ASSERT_EQ(chart.panels.size(), 1U);
    const std::vector<ChartSeries>& series = chart.panels[0].series;
    ASSERT_EQ(series.size(), 6U);
    const std::vector<double> temperatures{200, 215, 230, 245, 260};
    for (std::size_t c = 0; c < 5; ++c) {
        EXPECT_EQ(series[c].label, std::to_string(static_cast<int>(temperatures[c])) + " degC");
        EXPECT_FALSE(series[c].dashed);
        EXPECT_DOUBLE_EQ(series[c].x.front(), 10);
        EXPECT_NEAR(series[c].x.back(), 10000, 1e-9);
        for (std::size_t k = 0; k < series[c].x.size(); k += 7)
            EXPECT_NEAR(series[c].y[k] / (20000 * std::exp(-0.01 * (temperatures[c] - 200)) *
                                          std::pow(series[c].x[k], 0.35 - 1)), 1, 1e-12);
    }
    EXPECT_TRUE(series[5].markersOnly);
    EXPECT_EQ(series[5].x, std::vector<double>{100});
    EXPECT_EQ(series[5].y, std::vector<double>{3000});

    // A grade that states no ranges is drawn over the fit's own, and says so.
    const Chart wide = GradeChart(ParseGrade(Head + Power, "film.vgrade"), ',', UnitSystem::US);
    EXPECT_EQ(wide.title, "Printed law (no ranges stated: drawn over 100 to 350 degC)");
    EXPECT_EQ(wide.panels[0].series[0].label, "212 °F");
    EXPECT_EQ(wide.panels[0].series[1].label, "324,5 °F");
}

// A Cross law's stored fit is drawn dashed beside it, in Pa.s.
TEST(GradeView, ChartDrawsAStoredFitOfAnotherFormDashed) {
    const Grade plain = ParseGrade(Head + Cross + Ranges, "cross.vgrade");
    const Grade grade = ParseGrade(WithFit(Head + Cross + Ranges, FitGrade(plain)), "cross.vgrade");
    const Chart chart = GradeChart(grade, '.');
    EXPECT_EQ(chart.title, "Printed law (lines) and its six-coefficient fit (dashes)");
    const std::vector<ChartSeries>& series = chart.panels[0].series;
    ASSERT_EQ(series.size(), 10U);
    for (std::size_t c = 0; c < 10; c += 2) {
        EXPECT_FALSE(series[c].dashed);
        EXPECT_TRUE(series[c + 1].dashed);
        EXPECT_EQ(series[c + 1].label, series[c].label);
        // Within the error the file states, over the ranges.
        for (std::size_t k = 0; k < series[c].y.size(); ++k)
            EXPECT_LE(std::abs(series[c + 1].y[k] / series[c].y[k] - 1), *grade.fitError * 1.001);
    }
}

// The window's texts become a grade with a point; ranges both known or none.
TEST(UserGradeOfLaw, WritesThePointAndStatesRangesBothKnown) {
    const std::array<std::string, 6> texts{"6,8", "-0,66", "-0,0158", "-0,0149", "-4,7E-7", "1,19E-3"};
    const UserGrade both =
        UserGradeOfLaw("Blend", "line 2", "2026-01-05", texts, ',', {ValueRange{180, 240}, ValueRange{5, 2000}});
    EXPECT_EQ(both.coefficientTexts[0], "6.8");
    EXPECT_EQ(both.coefficientTexts[4], "-4.7E-7");
    EXPECT_TRUE(both.rangesStated);
    EXPECT_EQ(both.shearRateRange, (ValueRange{5, 2000}));
    EXPECT_TRUE(both.thermal.empty());

    const UserGrade one = UserGradeOfLaw("Blend", "", "2026-01-05", texts, ',', {ValueRange{180, 240}, std::nullopt});
    EXPECT_FALSE(one.rangesStated);
    const std::string text = UserGradeText(one);
    EXPECT_EQ(text.find("Range"), std::string::npos);
    const Grade read = ParseGrade(text, "blend.vgrade");
    EXPECT_FALSE(read.rangesStated);
    EXPECT_EQ(read.lawSource, "own measurements, 2026-01-05");
}

// A new grade meets no grade of the library by name and no file of the
// folder; what is refused writes nothing.
TEST(SaveNewUserGrade, RefusesANameOrFileTakenAndWritesNothing) {
    ScratchDir dir;
    const std::filesystem::path shipped = dir.Path("shipped"), user = dir.Path("user");
    std::filesystem::create_directories(shipped);
    std::ofstream(shipped / "LDPE-film.vgrade") << Head + Power + Ranges;
    const std::vector<MaterialFolder> folders{{shipped, false}, {user, true}};
    const std::array<std::string, 6> texts{"6.8", "-0.66", "-0.0158", "-0.0149", "-4.7E-7", "1.19E-3"};
    const auto refusal = [&](const UserGrade& grade) {
        try {
            SaveNewUserGrade(grade, user, ReadMaterialLibrary(folders));
        } catch (const Refusal& error) {
            return std::string(error.what());
        }
        return std::string("saved");
    };

    EXPECT_EQ(refusal(UserGradeOfLaw("film ldpe", "", "2026-01-05", texts, '.', {})),
              "the material library already has a grade named Film LDPE (" + (shipped / "LDPE-film.vgrade").string() +
                  "): choose another name");
    EXPECT_EQ(refusal(UserGradeOfLaw(" ", "", "2026-01-05", texts, '.', {})), "a grade needs a name");
    EXPECT_EQ(refusal(UserGradeOfLaw("Blend", "", "", texts, '.', {})),
              "give the date of the measurements, the source of the grade's values");
    EXPECT_FALSE(std::filesystem::exists(user));

    const UserGrade blend = UserGradeOfLaw("Blend 7", "", "2026-01-05", texts, '.', {});
    const std::filesystem::path saved = SaveNewUserGrade(blend, user, ReadMaterialLibrary(folders));
    EXPECT_EQ(saved, user / "User-blend-7.vgrade");
    EXPECT_EQ(SavedGradeText(blend, saved), "Blend 7 is saved in the material library as " + saved.string());
    EXPECT_TRUE(ReadMaterialLibrary(folders).FindOrNull("Blend 7")->user);
    // Another name, the same file: refused, the first kept.
    EXPECT_EQ(refusal(UserGradeOfLaw("Blend-7", "", "2027-01-05", texts, '.', {})),
              saved.string() + " already exists: choose another name");
    EXPECT_EQ(ReadGrade(saved.string()).name, "Blend 7");
}

}  // namespace
}  // namespace vortane
