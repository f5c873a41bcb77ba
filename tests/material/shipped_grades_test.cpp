#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "material/grade_apply.h"
#include "material/grade_fit.h"
#include "material/material_library.h"
#include "run/calculation_run.h"

namespace vortane {
namespace {

// Every grade file shipped in materials/, listed when the tests are.
std::vector<std::string> ShippedFiles() {
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(VORTANE_MATERIALS))
        if (entry.path().extension() == ".vgrade") files.push_back(entry.path().filename().string());
    std::sort(files.begin(), files.end());
    return files;
}

class ShippedGrade : public ::testing::TestWithParam<std::string> {
protected:
    Grade grade = ReadGrade((std::filesystem::path(VORTANE_MATERIALS) / GetParam()).string());
};

// The printed law gives the printed value within its printed digits. A grade
// whose source prints no check value, or no ranges, is skipped, saying so.
TEST_P(ShippedGrade, LawReproducesItsPrintedCheck) {
    if (grade.law.family->sixCoefficients) GTEST_SKIP() << "the six coefficients are the source";
    const std::optional<CheckResult> check = CheckGrade(grade);
    if (!check) GTEST_SKIP() << "no printed check value";
    EXPECT_TRUE(check->Holds()) << "the law gives " << check->lawViscosity << " Pa.s, "
                                << check->relativeDifference << " from the printed value; tolerance "
                                << check->tolerance;
}

// The coefficients stored in the file stay within the stated FitError of the
// printed law over the ranges; --fit-grade leaves the file as it is.
TEST_P(ShippedGrade, StoredFitHoldsItsStatedError) {
    if (!grade.rangesStated && !grade.law.family->ownForm) GTEST_SKIP() << "states no ranges: its law cannot be fitted";
    ASSERT_TRUE(grade.coefficients && grade.fitError) << "run vortane-calc --fit-grade " << GetParam();
    EXPECT_LE(LargestFitError(grade, *grade.coefficients), *grade.fitError * (1 + 1e-9) + 1e-15);
    const GradeFit fit = FitGrade(grade);
    EXPECT_EQ(fit.texts, *grade.coefficientTexts) << "the file holds another fit: run vortane-calc --fit-grade";
}

// The default geometry with the grade's values runs to completion, unless
// the file says why not.
TEST_P(ShippedGrade, RunsTheDefaultGeometry) {
    if (!grade.rangesStated && !grade.law.family->ownForm && !grade.coefficients) GTEST_SKIP() << "no fit and no ranges: it cannot be applied";
    const AppliedGrade applied = ApplyGrade(grade, DefaultTexts('.'), '.');
    const RunResult run = RunCalculation({applied.texts, {}, '.', ReportTarget::None, applied.ranges});
    if (!grade.runNote.empty()) GTEST_SKIP() << grade.runNote;
    EXPECT_EQ(run.outcome, RunOutcome::Complete) << run.fault << run.detail;
}

INSTANTIATE_TEST_SUITE_P(Materials, ShippedGrade, ::testing::ValuesIn(ShippedFiles()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             std::string name = std::filesystem::path(info.param).stem().string();
                             std::replace_if(name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
                             return name;
                         });

// The whole folder reads, no file refused and no name given twice.
TEST(ShippedLibrary, ReadsWhole) {
    const std::vector<MaterialFolder> folders{{VORTANE_MATERIALS, false}};
    const MaterialLibrary library = ReadMaterialLibrary(folders);
    EXPECT_EQ(library.errors, std::vector<std::string>{});
    EXPECT_EQ(library.grades.size(), ShippedFiles().size());
}

}  // namespace
}  // namespace vortane
