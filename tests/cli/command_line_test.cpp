#include "cli/command_line.h"

#include <gtest/gtest.h>

namespace vortane::cli {
namespace {

Options Parse(std::vector<std::string_view> arguments) { return ParseCommandLine(arguments); }

TEST(CommandLine, DefaultsWithoutArguments) {
    const Options options = Parse({});
    EXPECT_EQ(options.resultFileName, "result.txt");
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
    EXPECT_EQ(options.boxTexts[0].first->name, "OutputRate");
    EXPECT_EQ(options.boxTexts[0].second, "30");
    EXPECT_EQ(options.boxTexts[1].first->name, "ChannelAngle");
    EXPECT_EQ(options.boxTexts[2].second, "");  // an empty box, rejected by the run
}

TEST(CommandLine, TextMayHoldEqualsAndBlanks) {
    const Options options = Parse({"InletChannelCount= 5=", "ChannelLength=  21.6 "});
    EXPECT_EQ(options.boxTexts[0].second, " 5=");
    EXPECT_EQ(options.boxTexts[1].second, "  21.6 ");
}

TEST(CommandLine, UsageErrors) {
    EXPECT_THROW(Parse({"Speed=80"}), UsageError);
    EXPECT_THROW(Parse({"Edit0=1"}), UsageError);
    EXPECT_THROW(Parse({"-o"}), UsageError);
    EXPECT_THROW(Parse({"--decimal-separator"}), UsageError);
    EXPECT_THROW(Parse({"--decimal-separator", ",,"}), UsageError);
    EXPECT_THROW(Parse({"--decimal-separator", "5"}), UsageError);
    EXPECT_THROW(Parse({"--decimal-separator", "E"}), UsageError);
    EXPECT_THROW(Parse({"stray"}), UsageError);
    EXPECT_THROW(Parse({"--frobnicate"}), UsageError);
    try {
        Parse({"Speed=80"});
    } catch (const UsageError& error) {
        EXPECT_STREQ(error.what(), "unknown field Speed");
    }
}

TEST(CommandLine, Help) { EXPECT_TRUE(Parse({"--help"}).help); }

}  // namespace
}  // namespace vortane::cli
