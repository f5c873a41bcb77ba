#include "report/code_page.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace vortane {
namespace {

TEST(CodePage932, AsciiAndTheDegreeSign) {
    EXPECT_EQ(ToCodePage932("Channel Width (cm)"), "Channel Width (cm)");
    EXPECT_EQ(ToCodePage932("Specific Heat of Melt (cal/g.℃)"),
              "Specific Heat of Melt (cal/g.\x81\x8E)");
    EXPECT_EQ(ToCodePage932("℃℃"), "\x81\x8E\x81\x8E");
    EXPECT_EQ(ToCodePage932(""), "");
}

TEST(CodePage932, OtherCharactersAreRefused) {
    EXPECT_THROW(ToCodePage932("Température"), std::invalid_argument);
    EXPECT_THROW(ToCodePage932("\xE2\x84"), std::invalid_argument);  // ℃ cut short
    EXPECT_THROW(ToCodePage932("\x81\x8E"), std::invalid_argument);  // already code page 932
}

TEST(CodePage932, ReportBytesReadBackAsUtf8) {
    const std::string caption = "Temperature Difference (℃)   =  29.55\r\n";
    EXPECT_EQ(FromCodePage932(ToCodePage932(caption)), caption);
    EXPECT_EQ(FromCodePage932("a\x81"), "a\uFFFD");  // a lead byte without its partner
}

}  // namespace
}  // namespace vortane
