#include "case/number_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "case/number_text.h"

namespace vortane {
namespace {

constexpr double Max = std::numeric_limits<double>::max();
constexpr double Inf = std::numeric_limits<double>::infinity();

// Expected texts worked out by hand from the rules of std::to_chars (shortest)
// and of printf's "%.*g", "%.*e" and "%.*f", which these writers keep.
TEST(NumberFormat, ShortestDigitsPlainOrWithExponentWhicheverIsShorter) {
    EXPECT_EQ(ShortestText(0.1 + 0.2), "0.30000000000000004");
    EXPECT_EQ(ShortestText(1234.5), "1234.5");
    EXPECT_EQ(ShortestText(100000), "1e+05");
    EXPECT_EQ(ShortestText(1e21), "1e+21");
    EXPECT_EQ(ShortestText(0.001), "0.001");  // a tie goes to the plain text
    EXPECT_EQ(ShortestText(0.0001), "1e-04");
    EXPECT_EQ(ShortestText(-2.5e-5), "-2.5e-05");
    EXPECT_EQ(ShortestText(-0.0), "-0");
    EXPECT_EQ(ShortestText(5e-324), "5e-324");  // the least subnormal
    EXPECT_EQ(ShortestText(Max), "1.7976931348623157e+308");
    // A plain integer beyond 2^53 with every digit of the double's value.
    EXPECT_EQ(ShortestText(123456789012345680000.0), "123456789012345683968");
    EXPECT_EQ(FormatShortest(-1.5e-7, ','), "-1,5e-07");
}

TEST(NumberFormat, SignificantDigitsAsPrintfWritesThem) {
    EXPECT_EQ(SignificantText(0.1 + 0.2, 6), "0.3");
    EXPECT_EQ(SignificantText(2.0 / 3, 6), "0.666667");
    EXPECT_EQ(SignificantText(123456.5, 6), "123456");  // an exact tie, to even
    EXPECT_EQ(SignificantText(999999.5, 6), "1e+06");
    EXPECT_EQ(SignificantText(0.0001, 6), "0.0001");
    EXPECT_EQ(SignificantText(0.00001, 6), "1e-05");
    EXPECT_EQ(SignificantText(-0.0, 6), "-0");
    EXPECT_EQ(SignificantText(5e-324, 6), "4.94066e-324");
    EXPECT_EQ(SignificantText(0.1, 17), "0.10000000000000001");
    EXPECT_EQ(FormatSignificant(-1234567, 6, ','), "-1,23457e+06");
    EXPECT_EQ(ScientificText(2.5, 3), "2.50e+00");
    EXPECT_EQ(FixedText(2.675, 2), "2.67");  // the double lies below 2.675
    EXPECT_EQ(FixedText(-0.001, 2), "-0.00");
    EXPECT_EQ(FixedText(1e21, 0), "1000000000000000000000");
}

TEST(NumberFormat, RoundedToSignificantDigits) {
    EXPECT_EQ(RoundedToSignificant(0.123456, 3), 0.123);
    EXPECT_EQ(RoundedToSignificant(-987.65, 2), -990);
    EXPECT_EQ(RoundedToSignificant(Max, 2), Inf);  // 1.8e+308 lies beyond a double
}

TEST(NumberFormat, ReadsTheWholeTextWithinTheRangeOfADouble) {
    EXPECT_EQ(ReadNumber("-1.5e3"), -1500);
    EXPECT_EQ(ReadNumber(".5"), 0.5);
    EXPECT_EQ(ReadNumber("4.9e-324"), 5e-324);
    EXPECT_EQ(ReadNumber("0e-999"), 0);
    EXPECT_EQ(ReadNumber("inf"), Inf);
    EXPECT_EQ(ReadNumber("1e-400"), std::nullopt);  // nonzero, yet rounds to zero
    EXPECT_EQ(ReadNumber("1e400"), std::nullopt);
    for (const char* text : {"", "+1", " 1", "1 ", "1e", "1,5", "0x10", "."})
        EXPECT_EQ(ReadNumber(text), std::nullopt) << text;
}

}  // namespace
}  // namespace vortane
