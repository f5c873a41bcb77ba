#include "case/case_file.h"

#include <gtest/gtest.h>

#include "support/scratch_dir.h"

namespace vortane {
namespace {

// The error's text, or "" when there is none.
std::string ErrorOf(std::string_view content) {
    try {
        ParseCaseFile(content, "study.case");
    } catch (const CaseFileError& error) {
        return error.what();
    }
    return "";
}

TEST(CaseFile, FieldsCommentsAndBlankLines) {
    const std::vector<CaseEntry> entries = ParseCaseFile(
        "# throughput study\n"
        "\n"
        "OutputRate = 30\n"
        "   Edit11=0.5   # axial channels\r\n"
        "ScrewSpeed =\t 90.0 \t\n"
        "InletChannelCount = \" 5\"\n"
        "A12 =\n",
        "study.case").entries;
    ASSERT_EQ(entries.size(), 5u);
    EXPECT_EQ(entries[0].field->name, "OutputRate");
    EXPECT_EQ(entries[0].text, "30");
    EXPECT_EQ(entries[0].line, 3);
    EXPECT_EQ(entries[1].field->name, "ChannelAngle");
    EXPECT_EQ(entries[1].text, "0.5");
    EXPECT_EQ(entries[2].text, "90.0");
    EXPECT_EQ(entries[3].text, " 5");  // quotes keep the blank the integer rule allows
    EXPECT_EQ(entries[4].text, "");    // an empty box, which the run rejects
    EXPECT_EQ(entries[4].line, 7);
}

TEST(CaseFile, QuotedTexts) {
    const std::vector<CaseEntry> entries =
        ParseCaseFile("A0 = \"6.8 # not a comment\"  # a comment\nA1 = \"say \"\"hi\"\"\"\n", "f").entries;
    EXPECT_EQ(entries[0].text, "6.8 # not a comment");
    EXPECT_EQ(entries[1].text, "say \"hi\"");
}

TEST(CaseFile, ErrorsNameTheFileAndLine) {
    EXPECT_EQ(ErrorOf("OutputRate = 30\nSpeed = 80\n"), "study.case:2: unknown field Speed");
    EXPECT_EQ(ErrorOf("OutputRat = 30\n"), "study.case:1: unknown field OutputRat (did you mean OutputRate?)");
    EXPECT_EQ(ErrorOf("\n\nOutputRate 30\n"), "study.case:3: expected FIELD = TEXT");
    EXPECT_EQ(ErrorOf("= 30"), "study.case:1: expected FIELD = TEXT");
    EXPECT_EQ(ErrorOf("OutputRate # = 30"), "study.case:1: expected FIELD = TEXT");
    EXPECT_EQ(ErrorOf("A0 = \"6.8"), "study.case:1: missing closing quote");
    EXPECT_EQ(ErrorOf("A0 = \"6.8\" 1"), "study.case:1: unexpected text after the closing quote");
    EXPECT_EQ(ErrorOf("OutputRate = 30\n# again\nEdit3 = 40\n"),
              "study.case:3: OutputRate is already given on line 1");
}

TEST(CaseFile, WrittenCaseReadsBackToTheSameTexts) {
    InputTexts texts = DefaultTexts(',');
    texts[2] = "30,5";
    texts[11] = " 5";
    texts[12] = "5 ";
    texts[13] = "";
    texts[14] = "87 # warm";
    texts[15] = "\"0.1\"";
    const std::string content = CaseFileText(texts, {}, ',');
    EXPECT_EQ(content.substr(0, content.find('\n', content.find('\n') + 1) + 1),
              "# Vortane case: the texts of the 28 input boxes\n"
              "BarrelDiameter        = 11.43\n");  // numbers always with a point
    const std::vector<CaseEntry> entries = ParseCaseFile(content, "kept.case").entries;
    EXPECT_EQ(entries.size(), 28u);
    EXPECT_EQ(ApplyCaseEntries(DefaultTexts('.'), entries, ','), texts);
}

// A case keeps its numbers whatever the locales that write and read it.
TEST(CaseFile, NumbersReadTheSameUnderAnyDecimalSeparator) {
    InputTexts comma = DefaultTexts(',');
    comma[2] = "30,5";
    comma[22] = "7,1E-1";
    const std::string content = CaseFileText(comma, {}, ',');
    EXPECT_NE(content.find("OutputRate            = 30.5\n"), std::string::npos);
    EXPECT_NE(content.find("A0                    = 7.1E-1\n"), std::string::npos);
    const InputTexts point = ApplyCaseEntries(DefaultTexts('.'), ParseCaseFile(content, "c").entries, '.');
    EXPECT_EQ(point[2], "30.5");
    EXPECT_EQ(point[0], "11.43");
    EXPECT_EQ(point[22], "7.1E-1");
    EXPECT_EQ(CaseFileText(point, {}, '.'), content);

    // Texts that are not numbers in the writer's notation are kept as typed;
    // a file written in a comma locale before the rule still loads there.
    InputTexts odd = DefaultTexts(',');
    odd[2] = "30.5";  // not a number where the comma is the separator
    odd[3] = "abc";
    const InputTexts back = ApplyCaseEntries(DefaultTexts(','), ParseCaseFile(CaseFileText(odd, {}, ','), "c").entries, ',');
    EXPECT_EQ(back[3], "abc");
    EXPECT_EQ(ApplyCaseEntries(DefaultTexts(','), ParseCaseFile("OutputRate = 30,5\n", "old").entries, ',')[2],
              "30,5");
}

// The ranges a viscosity law was fitted on stand after the boxes and read
// back to the same doubles; each may come alone; a file without them, as every
// file written before them, has none and is written as it was.
TEST(CaseFile, ViscosityRangesRoundTrip) {
    const CaseExtras extras{{ValueRange{150, 230}, ValueRange{0.1 + 0.2, 1.25e4}}, {}};
    const std::string content = CaseFileText(DefaultTexts(','), extras, ',');
    const std::string plain = CaseFileText(DefaultTexts(','), {}, ',');
    EXPECT_EQ(content, plain +
                           "ViscosityTemperatureRange = 150:230\n"
                           "ViscosityShearRateRange = 0.30000000000000004:12500\n");
    const CaseFile file = ParseCaseFile(content, "fit.vcase");
    EXPECT_EQ(file.extras, extras);
    EXPECT_EQ(ApplyCaseEntries(DefaultTexts('.'), file.entries, ','), DefaultTexts(','));

    EXPECT_EQ(ParseCaseFile(plain, "old.vcase").extras, CaseExtras{});
    EXPECT_EQ(ParseCaseFile("ViscosityShearRateRange = \" 1 : 1e3 \"  # Pa.s\n", "f").extras.viscosityRanges,
              (FittedRanges{std::nullopt, ValueRange{1, 1000}}));
    EXPECT_EQ(ParseCaseFile("ViscosityTemperatureRange = -20.5:-20.5\n", "f").extras.viscosityRanges,
              (FittedRanges{ValueRange{-20.5, -20.5}, std::nullopt}));
}

// The grade the material values came from stands after the boxes, quoted
// where its name needs it; given twice it is refused at the second line.
TEST(CaseFile, MaterialNameRoundTrips) {
    CaseExtras extras;
    extras.material = "PP \"H\" # 1";
    const std::string content = CaseFileText(DefaultTexts('.'), extras, '.');
    EXPECT_EQ(content, CaseFileText(DefaultTexts('.'), {}, '.') + "Material = \"PP \"\"H\"\" # 1\"\n");
    EXPECT_EQ(ParseCaseFile(content, "m.vcase").extras, extras);
    EXPECT_THROW(
        {
            try {
                ParseCaseFile("Material = a\nMaterial = b\n", "m.vcase");
            } catch (const CaseFileError& error) {
                EXPECT_STREQ(error.what(), "m.vcase:2: Material is already given on line 1");
                throw;
            }
        },
        CaseFileError);
}

TEST(CaseFile, MalformedRangesAreRefused) {
    const std::string form = " is not LOW:HIGH, two numbers with a point, in ";
    const std::vector<std::pair<std::string, std::string>> cases{
        {"ViscosityTemperatureRange = 150-230", "\"150-230\"" + form + "degC"},
        {"ViscosityTemperatureRange = 150,5:230", "\"150,5:230\"" + form + "degC"},
        {"ViscosityTemperatureRange = 150:230:300", "\"150:230:300\"" + form + "degC"},
        {"ViscosityTemperatureRange = :230", "\":230\"" + form + "degC"},
        {"ViscosityTemperatureRange =", "\"\"" + form + "degC"},
        {"ViscosityShearRateRange = nan:10", "\"nan:10\"" + form + "1/s"},
        {"ViscosityShearRateRange = 1:inf", "\"1:inf\"" + form + "1/s"},
        {"ViscosityShearRateRange = 1:1e999", "\"1:1e999\"" + form + "1/s"},
        {"ViscosityTemperatureRange = 230:150", "\"230:150\": LOW lies above HIGH"},
        {"ViscosityShearRateRange = 0:100", "\"0:100\": the range must lie above 0"},
    };
    for (const auto& [line, what] : cases) {
        const std::string name = line.substr(0, line.find(' '));
        EXPECT_EQ(ErrorOf(std::string("OutputRate = 30\n").append(line).append("\n")),
                  std::string("study.case:2: ").append(name).append(" = ").append(what));
    }
    EXPECT_EQ(ErrorOf("ViscosityShearRateRange = 1:10\nViscosityShearRateRange = 1:10\n"),
              "study.case:2: ViscosityShearRateRange is already given on line 1");
}

TEST(CaseFile, LineBreaksCannotBeKept) {
    InputTexts texts = DefaultTexts('.');
    texts[2] = "3\n0";
    try {
        CaseFileText(texts, {}, '.');
        FAIL() << "no error";
    } catch (const CaseFileError& error) {
        EXPECT_EQ(error.Context().field, &InputFields()[2]);
    }
}

// A comment keeps a text from elsewhere on its one line: each control
// character, C1 control and Unicode line or paragraph separator is U+FFFD;
// other characters, UTF-8 among them, stay.
TEST(CaseFile, CommentLinesStayOneLine) {
    EXPECT_EQ(CaseCommentLine("melt η 170 ℃.csv"), "# melt η 170 ℃.csv\n");
    EXPECT_EQ(CaseCommentLine("a\nA0 = 9\r\tb\x1b[2Jc\x7f"), "# a�A0 = 9��b�[2Jc�\n");
    EXPECT_EQ(CaseCommentLine("d\u0085e\u2028f\u2029g\u00a0h"), "# d�e�f�g\u00a0h\n");  // no-break space stays
    EXPECT_EQ(CaseCommentLine(std::string_view("i\0j", 3)), "# i�j\n");
    EXPECT_EQ(CaseCommentLine("k\xc2"), "# k\xc2\n");  // a truncated sequence is left as it is
}

// The context names the file and the line the text names.
TEST(CaseFile, ErrorContextIsTheFileAndLine) {
    try {
        ParseCaseFile("OutputRate = 30\n\nSpeed = 80\n", "study.case");
        FAIL() << "no error";
    } catch (const CaseFileError& error) {
        EXPECT_EQ(error.Context().file, "study.case");
        EXPECT_EQ(error.Context().line, 3);
    }
}

TEST(CaseFile, UnreadableFileNamesTheFile) {
    testing::ScratchDir dir;
    try {
        ReadCaseFile(dir.Path("missing.case").string());
        FAIL() << "no error";
    } catch (const CaseFileError& error) {
        EXPECT_NE(std::string(error.what()).find("missing.case: No such file"), std::string::npos)
            << error.what();
    }
}

TEST(CaseFile, LimitsTravelWithTheCaseInOrder) {
    const CaseFile file = ParseCaseFile("OutputRate = 350\n"
                                        "Limit = TemperatureRise <= 30\n"
                                        "Limit=Barrier1ShearStress\u2265120.5\n",
                                        "d350.case");
    const std::vector<Limit> limits{{"TemperatureRise", LimitBound::AtMost, 30},
                                    {"Barrier1ShearStress", LimitBound::AtLeast, 120.5}};
    EXPECT_EQ(file.extras.limits, limits);
    const std::string text = CaseFileText(ApplyCaseEntries(DefaultTexts('.'), file.entries, '.'), file.extras, '.');
    EXPECT_NE(text.find("Limit = TemperatureRise<=30\nLimit = Barrier1ShearStress>=120.5\n"), std::string::npos);
    EXPECT_EQ(ParseCaseFile(text, "again.case").extras, file.extras);
    EXPECT_TRUE(ParseCaseFile("OutputRate = 350\n", "old.case").extras.limits.empty());
}

TEST(CaseFile, MalformedLimitsNameTheLine) {
    EXPECT_EQ(ErrorOf("\nLimit = TemperatureRise < 30\n").rfind("study.case:2: limit", 0), 0u);
    EXPECT_NE(ErrorOf("Limit = TemperatureRise < 30\n").find("is not QUANTITY<=VALUE"), std::string::npos);
    EXPECT_NE(ErrorOf("Limit = <= 30\n").find("names no quantity"), std::string::npos);
    EXPECT_NE(ErrorOf("Limit = TemperatureRise <= 30,5\n").find("not a number with a point"), std::string::npos);
    EXPECT_NE(ErrorOf("Limit = Temperature Rise <= 30\n").find("not a quantity's name"), std::string::npos);
}

// Each kind by name, in kind order whatever the order given, read back whole;
// a name of no kind is refused on its line, naming the kinds there are.
TEST(CaseFile, AcceptedWarningsTravelWithTheCase) {
    const CaseFile file = ParseCaseFile("AcceptWarning = fitted-range\n"
                                        "AcceptWarning=negative-pressure\n",
                                        "accepts.case");
    EXPECT_TRUE(file.extras.acceptedWarnings.Has(WarningKind::NegativePressure));
    EXPECT_TRUE(file.extras.acceptedWarnings.Has(WarningKind::FittedRange));
    EXPECT_FALSE(file.extras.acceptedWarnings.Has(WarningKind::SoundRange));
    const std::string text = CaseFileText(DefaultTexts('.'), file.extras, '.');
    EXPECT_NE(text.find("AcceptWarning = negative-pressure\nAcceptWarning = fitted-range\n"), std::string::npos);
    EXPECT_EQ(ParseCaseFile(text, "again.case").extras, file.extras);
    EXPECT_EQ(CaseFileText(DefaultTexts('.'), {}, '.').find("AcceptWarning"), std::string::npos);
    for (const WarningKind kind : AllWarningKinds) EXPECT_EQ(ParseWarningKind(WarningKindName(kind)), kind);

    const std::string error = ErrorOf("\nAcceptWarning = negative pressure\n");
    EXPECT_EQ(error.rfind("study.case:2: \"negative pressure\" is no kind of warning", 0), 0u) << error;
    EXPECT_NE(error.find("sound-range, unmelted-feed, negative-pressure, negative-power, fitted-range"),
              std::string::npos);
}

}  // namespace
}  // namespace vortane
