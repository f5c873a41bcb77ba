#include "material/material_library.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "case/case_file.h"
#include "material/grade_apply.h"
#include "support/scratch_dir.h"

namespace vortane {
namespace {

using testing::ReadBytes;
using testing::ScratchDir;

std::string GradeText(const std::string& name) {
    return "Name = " + name + "\nFamily = PP\nLaw = PowerLaw\nLaw.n = 0.35\nLaw.beta = 0.01 1/degC\n"
           "Law.K = 20000 Pa.s^n\nLaw.T0 = 200 degC\nLaw.Source = a book, p. 1\n"
           "TemperatureRange = 200 to 260 degC\nShearRateRange = 10 to 10000 1/s\nRange.Source = a book\n";
}

void Write(const std::filesystem::path& path, const std::string& content) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << content;
}

// A shipped folder and a user's, each with a good grade; a bad file and a
// name given twice go to the errors, named, and the rest is read.
class Library : public ::testing::Test {
protected:
    void SetUp() override {
        Write(dir.Path("shipped/PP-homo.vgrade"), GradeText("PP homopolymer, extrusion"));
        Write(dir.Path("shipped/PP-bad.vgrade"), GradeText("bad") + "Law.n = 2\n");
        Write(dir.Path("shipped/README.txt"), "not a grade");
        Write(dir.Path("user/PP-mine.vgrade"), GradeText("My PP"));
        Write(dir.Path("user/PP-again.vgrade"), GradeText("pp homopolymer, EXTRUSION"));
        library = ReadMaterialLibrary(folders);
    }
    ScratchDir dir;
    std::vector<MaterialFolder> folders{{dir.Path("shipped"), false}, {dir.Path("user"), true}, {dir.Path("none"), true}};
    MaterialLibrary library;
};

TEST_F(Library, ReadsTheGoodFilesPastABadOne) {
    ASSERT_EQ(library.grades.size(), 2U);
    EXPECT_EQ(library.grades[0].name, "PP homopolymer, extrusion");
    EXPECT_FALSE(library.grades[0].user);
    EXPECT_TRUE(library.grades[1].user);
    ASSERT_EQ(library.errors.size(), 2U);
    EXPECT_EQ(library.errors[0], dir.Path("shipped/PP-bad.vgrade").string() + ":12: Law.n is already given on line 4");
    EXPECT_EQ(library.errors[1], dir.Path("user/PP-again.vgrade").string() + ": the name pp homopolymer, EXTRUSION is "
              "already the grade of " + dir.Path("shipped/PP-homo.vgrade").string());
}

TEST_F(Library, FindsByNameOrFileNameAndSuggestsTheNearest) {
    EXPECT_EQ(library.Find("my pp").name, "My PP");
    EXPECT_EQ(library.Find("PP-homo").name, "PP homopolymer, extrusion");
    EXPECT_EQ(library.Find("pp-HOMO.vgrade").name, "PP homopolymer, extrusion");
    const auto refusal = [&](std::string_view name) {
        try {
            library.Find(name);
        } catch (const UnknownGradeError& error) {
            return std::string(error.what());
        }
        return std::string("found");
    };
    EXPECT_EQ(refusal("PP"), "unknown material PP (did you mean PP homopolymer, extrusion, My PP?)");
    EXPECT_EQ(refusal("PP-hommo"), "unknown material PP-hommo (did you mean PP homopolymer, extrusion?)");
    EXPECT_EQ(refusal("ABS"), "unknown material ABS");
    EXPECT_EQ(refusal("x"), "unknown material x");
    EXPECT_EQ(MaterialLibrary{}.FindOrNull("x"), nullptr);
}

TEST_F(Library, ListsAndWritesTheCsvColumns) {
    EXPECT_EQ(MaterialListCsv(library),
              "Name,Family,Source,TemperatureRange,ShearRateRange,FitError\n"
              "\"PP homopolymer, extrusion\",PP,\"a book, p. 1\",200 to 260 degC,10 to 10000 1/s,\n"
              "My PP,PP,\"a book, p. 1\",200 to 260 degC,10 to 10000 1/s,\n");
    EXPECT_EQ(MaterialListText(library),
              "PP homopolymer, extrusion | PP | a book, p. 1 | 200 to 260 degC | 10 to 10000 1/s | not fitted\n"
              "My PP (yours) | PP | a book, p. 1 | 200 to 260 degC | 10 to 10000 1/s | not fitted\n");
}

// The user's grade reads back as its own law, each value's source the
// measurements and their date; import refuses a file that is no grade.
TEST_F(Library, SavesImportsAndExportsTheUsersGrades) {
    const UserGrade mine{"Blend 7", "", "our line 2", "2026-12-01", {"6.8", "-0.66", "-0.0158", "-0.0149", "-4.7E-7", "1.19E-3"},
                         {180, 240}, {5, 2000}, {{"MeltDensity", "760 kg/m3"}}};
    const std::filesystem::path saved = SaveUserGrade(mine, dir.Path("user2"));
    EXPECT_EQ(saved.filename(), "User-blend-7.vgrade");
    const Grade grade = ReadGrade(saved.string());
    EXPECT_EQ(grade.law.family->name, "Six");
    EXPECT_EQ(grade.notes, "our line 2");
    EXPECT_EQ(grade.lawSource, "own measurements, 2026-12-01");
    EXPECT_EQ(grade.thermal.at(0).source, "own measurements, 2026-12-01");
    EXPECT_EQ(grade.coefficientTexts->at(4), "-4.7E-7");
    EXPECT_EQ(grade.shearRateRange, (ValueRange{5, 2000}));

    ExportGrade(saved, dir.Path("out.vgrade"));
    EXPECT_EQ(ReadBytes(dir.Path("out.vgrade")), ReadBytes(saved));
    EXPECT_THROW(ImportGrade(dir.Path("shipped/PP-bad.vgrade"), dir.Path("user3")), GradeFileError);
    EXPECT_FALSE(std::filesystem::exists(dir.Path("user3/PP-bad.vgrade")));
    EXPECT_EQ(ImportGrade(dir.Path("out.vgrade"), dir.Path("user3")), dir.Path("user3/out.vgrade"));
    UserGrade broken = mine;
    broken.name = "bad\nname";
    EXPECT_THROW(SaveUserGrade(broken, dir.Path("user2")), GradeFileError);
}

TEST(MaterialFolders, UsersFolderFollowsXdg) {
    const char* old = std::getenv("XDG_DATA_HOME");
    const std::string kept = old != nullptr ? old : "";
    setenv("XDG_DATA_HOME", "/data/here", 1);
    EXPECT_EQ(UserMaterialFolder(), std::filesystem::path("/data/here/vortane/materials"));
    setenv("XDG_DATA_HOME", "", 1);
    if (std::getenv("HOME") == nullptr) setenv("HOME", "/home/x", 1);
    EXPECT_EQ(UserMaterialFolder(), std::filesystem::path(std::getenv("HOME")) / ".local/share/vortane/materials");
    if (old != nullptr) setenv("XDG_DATA_HOME", kept.c_str(), 1); else unsetenv("XDG_DATA_HOME");
}

// An installed program finds share/vortane/materials above its bin/; a build
// tree the source tree's.
TEST(MaterialFolders, ShippedFolderBesideTheProgram) {
    ScratchDir dir;
    std::filesystem::create_directories(dir.Path("usr/share/vortane/materials"));
    std::filesystem::create_directories(dir.Path("usr/bin"));
    EXPECT_EQ(ShippedMaterialFolder(dir.Path("usr/bin/vortane-calc")), dir.Path("usr/share/vortane/materials"));
    EXPECT_EQ(ShippedMaterialFolder(dir.Path("elsewhere/vortane-calc")), std::filesystem::path(VORTANE_MATERIALS));
}

// The grade goes over the case file, the overrides over the grade; an
// override of a coefficient takes the grade's name and ranges with it.
TEST(ComposeWithGrade, GradeBetweenFileAndOverrides) {
    ScratchDir dir;
    Write(dir.Path("c.vcase"), "MeltDensity = 0.8\nScrewSpeed = 60\n");
    const Grade grade = ParseGrade(GradeText("PP x") + "MeltDensity = 0.75 g/cm3\nMeltDensity.Source = s\n", "x.vgrade");
    const std::string path = dir.Path("c.vcase").string();
    const ComposedCase composed =
        ComposeCaseWithGrade(path, &grade, std::vector<BoxOverride>{{&InputFieldNamed("ScrewSpeed"), "70"}}, '.');
    EXPECT_EQ(composed.texts[18], "0.75");
    EXPECT_EQ(composed.texts[1], "70");
    EXPECT_EQ(composed.extras.material, "PP x");
    EXPECT_EQ(composed.extras.viscosityRanges.temperature, (ValueRange{200, 260}));
    // Saved and read back, the case names its grade.
    const std::string saved = CaseFileText(composed.texts, composed.extras, '.');
    EXPECT_NE(saved.find("\nMaterial = PP x\n"), std::string::npos);
    EXPECT_EQ(ParseCaseFile(saved, "s.vcase").extras, composed.extras);
    const ComposedCase changed =
        ComposeCaseWithGrade(path, &grade, std::vector<BoxOverride>{{&InputFieldNamed("A0"), "7"}}, '.');
    EXPECT_EQ(changed.extras.material, "");
    EXPECT_FALSE(changed.extras.viscosityRanges.Known());
}

}  // namespace
}  // namespace vortane
