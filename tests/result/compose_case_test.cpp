#include "result/compose_case.h"

#include <gtest/gtest.h>

#include <fstream>

#include "support/scratch_dir.h"

namespace vortane {
namespace {

using testing::ScratchDir;

const InputField& Field(std::string_view name) { return *FindInputField(name); }

std::string Written(const ScratchDir& dir, const std::string& name, const std::string& content) {
    const std::string path = dir.Path(name).string();
    std::ofstream(path) << content;
    return path;
}

// The message and context of the CaseFileError `compose` throws.
template <class Compose>
CaseFileError Refusal(Compose compose) {
    try {
        compose();
    } catch (const CaseFileError& error) {
        return error;
    }
    ADD_FAILURE() << "not refused";
    return CaseFileError("");
}

TEST(ComposeCase, DefaultsThenFileThenOverrides) {
    ScratchDir dir;
    const std::string path = Written(dir, "c.vcase", "OutputRate = 30.5\nScrewSpeed = 90\nAcceptWarning = sound-range\n");
    const std::vector<BoxOverride> overrides{{&Field("OutputRate"), "350 lb/hr"}, {&Field("Edit9"), "0.7"}};
    const ComposedCase composed = ComposeCase(path, overrides, ',', {}, WarningKinds{});
    InputTexts expected = DefaultTexts(',');
    expected[1] = "90";
    expected[2] = "158,7573295";  // 350 lb/hr in kg/hr, exactly, in the user's notation
    expected[8] = "0.7";          // an override is the user's own text
    EXPECT_EQ(composed.texts, expected);
    EXPECT_TRUE(composed.extras.acceptedWarnings.Has(WarningKind::SoundRange));

    const ComposedCase file = ComposeCase(path, {}, ',');
    EXPECT_EQ(file.texts[2], "30,5");
    EXPECT_EQ(ComposeCase(std::nullopt, {}, '.').texts, DefaultTexts('.'));
}

// The ranges belong to the file's coefficients: another coefficient text
// drops them, the same text or another field keeps them.
TEST(ComposeCase, CoefficientOverrideDropsTheFittedRanges) {
    ScratchDir dir;
    const std::string path =
        Written(dir, "fit.vcase", "A0 = 6.4\nViscosityTemperatureRange = 150:230\nViscosityShearRateRange = 1:10000\n");
    const FittedRanges fitted{ValueRange{150, 230}, ValueRange{1, 10000}};
    EXPECT_EQ(ComposeCase(path, {}, '.').extras.viscosityRanges, fitted);
    const std::vector<BoxOverride> same{{&Field("A0"), "6.4"}, {&Field("OutputRate"), "30"}};
    EXPECT_EQ(ComposeCase(path, same, '.').extras.viscosityRanges, fitted);
    const std::vector<BoxOverride> other{{&Field("A1"), "-0.6"}};
    EXPECT_FALSE(ComposeCase(path, other, '.').extras.viscosityRanges.Known());
}

TEST(ComposeCase, ExtraLimitsAndWarningsFollowTheFiles) {
    ScratchDir dir;
    const std::string path = Written(dir, "l.vcase", "Limit = TemperatureRise<=30\nAcceptWarning = fitted-range\n");
    const std::vector<Limit> extra{ParseLimit("TotalPressureDrop<=90"), ParseLimit("PowerKW>=1")};
    WarningKinds accepted;
    accepted.Add(WarningKind::NegativePressure);
    const ComposedCase composed = ComposeCase(path, {}, '.', extra, accepted);
    ASSERT_EQ(composed.extras.limits.size(), 3u);
    EXPECT_EQ(LimitText(composed.extras.limits[0]), "TemperatureRise<=30");
    EXPECT_EQ(LimitText(composed.extras.limits[2]), "PowerKW>=1");
    EXPECT_TRUE(composed.extras.acceptedWarnings.Has(WarningKind::FittedRange));
    EXPECT_TRUE(composed.extras.acceptedWarnings.Has(WarningKind::NegativePressure));
}

// Each refusal is one CaseFileError; a file's limit is named with its line.
TEST(ComposeCase, RefusalsNameFileLineAndField) {
    ScratchDir dir;
    const std::string path =
        Written(dir, "bad.vcase", "OutputRate = 30\nLimit = TemperatureRise<=30\n\nLimit = TemperatureRis<=25\n");
    const CaseFileError limit = Refusal([&] { ComposeCase(path, {}, '.'); });
    EXPECT_EQ(std::string(limit.what()),
              path + ":4: limit \"TemperatureRis<=25\": unknown quantity TemperatureRis (did you mean "
                     "TemperatureRise?)");
    EXPECT_EQ(limit.Context().file, path);
    EXPECT_EQ(limit.Context().line, 4);

    // No quantity near: every one is listed.
    const std::string far = Written(dir, "far.vcase", "Limit = Zzzzzzzz<=1\n");
    EXPECT_EQ(std::string(Refusal([&] { ComposeCase(far, {}, '.'); }).what())
                  .rfind(far + ":1: limit \"Zzzzzzzz<=1\": unknown quantity Zzzzzzzz; the quantities are ", 0),
              0u);

    const std::vector<Limit> extra{ParseLimit("Warmth<=3")};
    EXPECT_EQ(std::string(Refusal([&] { ComposeCase(std::nullopt, {}, '.', extra); }).what())
                  .rfind("limit \"Warmth<=3\": unknown quantity Warmth", 0),
              0u);
    const std::vector<BoxOverride> unit{{&Field("OutputRate"), "3 parsecs"}};
    EXPECT_EQ(Refusal([&] { ComposeCase(std::nullopt, unit, '.'); }).Context().field, &Field("OutputRate"));
    EXPECT_NE(std::string(Refusal([&] { ComposeCase(dir.Path("none.vcase").string(), {}, '.'); }).what())
                  .find("cannot read case file"),
              std::string::npos);
}

}  // namespace
}  // namespace vortane
