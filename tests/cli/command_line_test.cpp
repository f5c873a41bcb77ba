#include "cli/command_line.h"

#include <gtest/gtest.h>

namespace vortane::cli {
namespace {

Options Parse(const std::vector<std::string_view>& arguments) { return ParseCommandLine(arguments); }

TEST(CommandLine, DefaultsWithoutArguments) {
    const Options options = Parse({});
    EXPECT_FALSE(options.resultFileName.has_value());  // result.txt for a single run
    EXPECT_FALSE(options.decimalSeparator.has_value());
    EXPECT_TRUE(options.boxTexts.empty());
    EXPECT_FALSE(options.help);
}

TEST(CommandLine, FieldsByNameOrBox) {
    const Options options =
        Parse({"-o", "out.txt", "OutputRate=30", "Edit11=0", "A12=", "--decimal-separator", ","});
    EXPECT_EQ(options.resultFileName, "out.txt");
    EXPECT_EQ(options.decimalSeparator, ',');
    ASSERT_EQ(options.boxTexts.size(), 3u);
    EXPECT_EQ(options.boxTexts[0].field->name, "OutputRate");
    EXPECT_EQ(options.boxTexts[0].text, "30");
    EXPECT_EQ(options.boxTexts[1].field->name, "ChannelAngle");
    EXPECT_EQ(options.boxTexts[2].text, "");  // an empty box, rejected by the run
}

TEST(CommandLine, TextMayHoldEqualsAndBlanks) {
    const Options options = Parse({"InletChannelCount= 5=", "ChannelLength=  21.6 "});
    EXPECT_EQ(options.boxTexts[0].text, " 5=");
    EXPECT_EQ(options.boxTexts[1].text, "  21.6 ");
}

TEST(CommandLine, UsageErrors) {
    EXPECT_THROW(Parse({"Speed=80"}), Refusal);
    EXPECT_THROW(Parse({"Edit0=1"}), Refusal);
    EXPECT_THROW(Parse({"-o"}), UsageError);
    EXPECT_THROW(Parse({"--decimal-separator"}), UsageError);
    EXPECT_THROW(Parse({"--decimal-separator", ",,"}), UsageError);
    EXPECT_THROW(Parse({"--decimal-separator", "5"}), UsageError);
    EXPECT_THROW(Parse({"--decimal-separator", "E"}), UsageError);
    EXPECT_THROW(Parse({"stray"}), UsageError);
    EXPECT_THROW(Parse({"--frobnicate"}), UsageError);
    try {
        Parse({"Speed=80"});
        ADD_FAILURE() << "Speed=80 taken";
    } catch (const Refusal& error) {
        EXPECT_STREQ(error.what(), "unknown field Speed");
    }
}

TEST(CommandLine, StudyOptions) {
    const Options options =
        Parse({"--case", "base.case", "--sweep", "OutputRate=30:300:10", "--sweep",
               "ScrewSpeed=40:120:10", "--csv", "grid.csv", "--plot", "grid.svg", "-o", "r{n}.txt",
               "--write-case", "kept.case", "A0=6.8"});
    EXPECT_EQ(options.caseFile, "base.case");
    EXPECT_EQ(options.writeCaseFile, "kept.case");
    EXPECT_EQ(options.sweeps, (std::vector<std::string>{"OutputRate=30:300:10",
                                                        "ScrewSpeed=40:120:10"}));
    EXPECT_EQ(options.csvFile, "grid.csv");
    EXPECT_EQ(options.plotFile, "grid.svg");
    EXPECT_EQ(options.resultFileName, "r{n}.txt");
    EXPECT_EQ(options.boxTexts.size(), 1u);
    EXPECT_EQ(Parse({"--profile", "p.csv"}).profileFile, "p.csv");

    for (const std::vector<std::string_view>& bad :
         std::vector<std::vector<std::string_view>>{{"--sweep"},
                                                    {"--case"},
                                                    {"--plot", "chart.png"},
                                                    {"--sweep", "A0=1:2:1", "--profile", "p.csv"},
                                                    {"--sweep", "A0=1:2:1", "-o", "same.txt"}})
        EXPECT_THROW(Parse(bad), UsageError) << bad.size();
}

TEST(CommandLine, Help) { EXPECT_TRUE(Parse({"--help"}).help); }

}  // namespace
}  // namespace vortane::cli
