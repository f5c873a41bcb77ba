// The page's Pareto front and material library: the core's designs, table and
// CSV, and the grades as the window lists, shows and applies them.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "case/input_fields.h"
#include "material/grade_apply.h"
#include "material/material_library.h"
#include "support/scratch_dir.h"
#include "web/page_session.h"

namespace vortane::web {
namespace {

using testing::ScratchDir;

std::vector<std::string> LibraryDefaults() {
    const InputTexts texts = DefaultTexts('.');
    return {texts.begin(), texts.end()};
}

std::size_t LineCount(const std::string& text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

// Two objectives over two inputs with a limit: a row, a chart point and a
// CSV line per design, the knee marked in the table and the CSV, each
// design's boxes the case's but for the inputs its row names.
TEST(PageFront, TablesChartsAndExportsTheDesignsFound) {
    const ScratchDir dir;
    PageSession session(dir.Path("page.txt").string());
    ASSERT_EQ(session.SetLimits("TemperatureRise<=30").error, "");
    std::vector<std::string> plant = LibraryDefaults();
    plant[2] = "350";
    int counted = 0;
    const PageFront front =
        session.Front(plant, {"minimise TotalPressureDrop", "maximise Barrier1ShearStress"},
                      {"BarrierClearance1=0.03:0.1", "ScrewSpeed=60:140"}, "us", [&](int runs) { counted = runs; });
    ASSERT_EQ(front.error, "");
    ASSERT_FALSE(front.rows.empty()) << front.outcome;
    EXPECT_EQ(front.outcome.rfind("Found: " + std::to_string(front.rows.size()) + " designs on the front", 0), 0U);
    const int runs = std::stoi(front.outcome.substr(front.outcome.rfind("Runs made: ") + 11));
    EXPECT_GE(counted, runs);  // every evaluation told, a repeated design's too; each run counted once
    ASSERT_EQ(front.charts.size(), 1U);
    EXPECT_EQ(front.charts[0].rfind("<svg", 0), 0U);
    const std::vector<std::string> header{"Point", "BarrierClearance1", "ScrewSpeed", "Total Pressure Drop (psi)",
                                          "Shear Stress over Barrier Flight 1 (psi)", ""};
    EXPECT_EQ(front.header, header);
    ASSERT_GE(front.knee, 0);
    for (std::size_t i = 0; i < front.rows.size(); ++i) {
        const std::vector<std::string>& cells = front.rows[i].cells;
        EXPECT_EQ(cells.front(), std::to_string(i + 1));
        EXPECT_EQ(cells.back(), static_cast<int>(i) == front.knee ? "Knee" : "");
        std::vector<std::string> expected = plant;
        expected[InputFieldNamed("BarrierClearance1").box - 1] = cells[1];
        expected[InputFieldNamed("ScrewSpeed").box - 1] = cells[2];
        EXPECT_EQ(front.designs[i].cells, expected) << "design " << i + 1;
    }
    EXPECT_EQ(LineCount(front.csv), front.rows.size() + 1);
    EXPECT_NE(front.csv.find("psi"), std::string::npos);  // in the units asked
    EXPECT_EQ(front.csv.substr(0, front.csv.find(',')), "Point");
}

// What the core refuses comes back as its message, never as an exception,
// and a front with no feasible design says why and offers none.
TEST(PageFront, RefusalsAndEmptyFrontsAreSaid) {
    const ScratchDir dir;
    PageSession session(dir.Path("page.txt").string());
    const std::vector<std::string> inputs{"ScrewSpeed=60:140"};
    EXPECT_NE(session.Front(LibraryDefaults(), {"minimise TotalPressureDrop"}, inputs, "metric", {}).error, "");
    EXPECT_NE(session.Front(LibraryDefaults(), {"minimise Colour", "minimise TotalPressureDrop"}, inputs, "metric", {})
                  .error.find("Colour"),
              std::string::npos);
    EXPECT_NE(session.Front(LibraryDefaults(), {"minimise TemperatureRise", "minimise TotalPressureDrop"},
                            {"ScrewSpeed=140:60"}, "metric", {})
                  .error,
              "");
    EXPECT_EQ(session.Front({"1"}, {}, inputs, "metric", {}).error, "1 box texts given where the case has 28");
    ASSERT_EQ(session.SetLimits("TemperatureRise<=0.001").error, "");
    const PageFront none = session.Front(LibraryDefaults(), {"minimise TemperatureRise", "minimise TotalPressureDrop"},
                                         {"ScrewSpeed=60:140"}, "metric", {});
    ASSERT_EQ(none.error, "");
    EXPECT_EQ(none.outcome.rfind("Not found: no run was feasible\n", 0), 0U);
    EXPECT_TRUE(none.rows.empty());
    EXPECT_TRUE(none.designs.empty());
    EXPECT_EQ(none.csv, "");
}

// The shipped grades listed, searched and shown as the window shows them.
TEST(PageMaterials, ListsSearchesAndShowsTheShippedGrades) {
    const ScratchDir dir;
    PageSession session(dir.Path("page.txt").string(), VORTANE_MATERIALS);
    const std::vector<MaterialFolder> folders{{VORTANE_MATERIALS, false}};
    const MaterialLibrary library = ReadMaterialLibrary(folders);
    const std::vector<PageGrade> grades = session.Grades();
    ASSERT_EQ(grades.size(), library.grades.size());
    ASSERT_FALSE(grades.empty());
    EXPECT_EQ(grades[0].name, library.grades[0].name);
    EXPECT_EQ(grades[0].cells[1], library.grades[0].family);
    EXPECT_TRUE(session.MaterialErrors().empty());
    EXPECT_EQ(session.FindGrades("").size(), grades.size());
    EXPECT_EQ(session.FindGrades("ldpe RAO").size(), 1U);
    EXPECT_TRUE(session.FindGrades("ldpe nylon").empty());

    const PageGradeView view = session.GradeView(0, "us");
    ASSERT_EQ(view.error, "");
    EXPECT_EQ(view.chart.rfind("<svg", 0), 0U);
    EXPECT_NE(view.chart.find("°F"), std::string::npos);
    ASSERT_FALSE(view.details.empty());
    EXPECT_EQ(view.details[0].cells.size(), 3U);
    EXPECT_EQ(view.details[0].cells[1], library.grades[0].name);
    EXPECT_EQ(session.GradeView(static_cast<int>(grades.size()), "metric").error,
              "no grade " + std::to_string(grades.size()));
    EXPECT_EQ(session.GradeView(-1, "metric").error, "no grade -1");
    EXPECT_TRUE(PageSession(dir.Path("other.txt").string()).Grades().empty());
}

// Apply puts the grade's texts into the boxes, and the case carries its name
// into Save case and the HTML report while its coefficients stay.
TEST(PageMaterials, ApplyFillsTheBoxesAndTheCaseNamesTheGrade) {
    const ScratchDir dir;
    PageSession session(dir.Path("page.txt").string(), VORTANE_MATERIALS);
    const std::vector<MaterialFolder> folders{{VORTANE_MATERIALS, false}};
    const MaterialLibrary library = ReadMaterialLibrary(folders);
    const Grade& grade = library.grades[0];
    const PageApplied applied = session.ApplyGrade(0, LibraryDefaults());
    ASSERT_EQ(applied.error, "");
    const AppliedGrade expected = ApplyGrade(grade, DefaultTexts('.'), '.');
    EXPECT_EQ(applied.texts, std::vector<std::string>(expected.texts.begin(), expected.texts.end()));
    EXPECT_NE(applied.texts, LibraryDefaults());
    EXPECT_EQ(applied.material, grade.name);
    EXPECT_EQ(applied.missing, MissingValuesText(grade));

    const PageText saved = session.SaveCase(applied.texts);
    ASSERT_EQ(saved.error, "");
    EXPECT_NE(saved.text.find("Material = " + grade.name + "\n"), std::string::npos) << saved.text;
    ASSERT_EQ(session.Run(applied.texts, "metric").error, "");
    const PageText html = session.Html("metric");
    ASSERT_EQ(html.error, "");
    EXPECT_NE(html.text.find("<h2>Material</h2>"), std::string::npos);
    EXPECT_NE(html.text.find("of the material library; cite the sources above."), std::string::npos);

    // A case naming a grade the library does not hold keeps its name and says so.
    PageSession bare(dir.Path("bare.txt").string());
    ASSERT_EQ(bare.OpenCase("plant.vcase", saved.text).error, "");
    ASSERT_EQ(bare.Run(applied.texts, "metric").error, "");
    const std::string named = bare.Html("metric").text;
    EXPECT_NE(named.find("<h2>Material</h2>"), std::string::npos);
    EXPECT_NE(named.find("The grade is not in the material library here"), std::string::npos);
    EXPECT_NE(bare.SaveCase(applied.texts).text.find("Material = " + grade.name + "\n"), std::string::npos);

    EXPECT_EQ(session.ApplyGrade(3, LibraryDefaults()).error, "no grade 3");
    EXPECT_EQ(session.ApplyGrade(0, {"1"}).error, "1 box texts given where the case has 28");
}

}  // namespace
}  // namespace vortane::web
