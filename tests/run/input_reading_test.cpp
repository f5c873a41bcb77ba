#include "run/input_reading.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <limits>
#include <random>

#include "case/number_text.h"
#include "model/arithmetic.h"
#include "support/case_request.h"

namespace vortane {
namespace {

TEST(InputReading, DefaultTextsAllConvert) {
    CaseData d;
    Messages sink;
    EXPECT_EQ(ReadInputData(d, DefaultTexts('.'), '.', sink), 0);
    EXPECT_TRUE(d.InputOk);
    EXPECT_TRUE(sink.empty());
    const double reals[] = {11.43, 80.0,  267.0, 21.6,  1.27,  0.5,   0.052, 0.011, 0.62,
                            1.3,   15.0,  170.0, 87.0,  0.1,   200.0, 110.6, 0.77,  0.66,
                            31.0,  0.62,  6.83729, -0.661828, -0.0158406, -0.0149381,
                            -4.7079E-7, 1.1946E-3};
    int next = 0;
    for (const InputField& field : InputFields()) {
        if (field.conversion == InputField::Conversion::Integer)
            EXPECT_EQ(d.*field.integer, 5) << field.name;
        else
            EXPECT_EQ(d.*field.real, reals[next++]) << field.name;
    }
}

TEST(InputReading, RealTexts) {
    EXPECT_EQ(ConvertReal("11.43", '.'), 11.43);
    EXPECT_EQ(ConvertReal("  -4.7079E-7  ", '.'), -4.7079E-7);
    EXPECT_EQ(ConvertReal("+1.1946e-3", '.'), 1.1946E-3);
    EXPECT_EQ(ConvertReal("5", '.'), 5.0);
    EXPECT_EQ(ConvertReal("5.", '.'), 5.0);
    EXPECT_EQ(ConvertReal(".5", '.'), 0.5);
    EXPECT_EQ(ConvertReal("1E3", '.'), 1000.0);
    EXPECT_EQ(ConvertReal("-11.43", '.'), -11.43);  // accepted; the model decides
    for (const char* bad : {"", " ", ".", "1.2.3", "1,5", "1e", "e5", "1E+", "abc", "1 2", "0x10",
                            "nan", "inf", "--1", "1E400", "-1E400", "1.5x"})
        EXPECT_FALSE(ConvertReal(bad, '.').has_value()) << '"' << bad << '"';
}

TEST(InputReading, RealsConvertInExtendedPrecisionThenRound) {
    // 0.1 read in extended precision and then rounded is the nearest double.
    EXPECT_EQ(ConvertReal("0.1", '.'), 0.1);
    EXPECT_EQ(ConvertReal("1.7976931348623157E308", '.'), 1.7976931348623157E308);
    EXPECT_EQ(ConvertReal("1E-400", '.'), 0.0);
}

// Whether from_chars reads Real in its own precision (MinGW-w64's libstdc++
// reads long double only as precisely as double).
bool FromCharsReadsReal() {
    const std::string_view tenthText = "0.1";
    Real tenth;
    std::from_chars(tenthText.data(), tenthText.data() + tenthText.size(), tenth);
    return std::numeric_limits<Real>::digits == 53 || tenth != static_cast<Real>(0.1);
}

// Short texts are converted by a single rounding in the formulas' precision;
// it must give the same double, bit for bit, as the full conversion of the
// same number (from_chars to Real).
TEST(InputReading, ShortTextsRoundLikeTheFullConversion) {
    if (!FromCharsReadsReal())
        GTEST_SKIP() << "this library's from_chars reads long double only as precisely as double";
    std::mt19937_64 random(20240611);
    const auto digitsOf = [&](int count) {
        std::string digits;
        for (int i = 0; i < count; ++i) digits += static_cast<char>('0' + random() % 10);
        return digits;
    };
    for (int i = 0; i < 200000; ++i) {
        const int count = 1 + static_cast<int>(random() % 21);
        std::string mantissa = digitsOf(count);
        mantissa.insert(random() % (mantissa.size() + 1), 1, '.');
        if (mantissa == ".") mantissa = "0.";
        const int exponent = static_cast<int>(random() % 81) - 40;
        const bool negative = random() % 2 == 1;
        const std::string plain = mantissa + "e" + std::to_string(exponent);
        Real full;
        const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), full);
        ASSERT_EQ(error, std::errc{}) << plain;
        const double expected = static_cast<double>(negative ? -full : full);

        const std::string text = (negative ? "-" : "") + plain;
        const std::optional<double> value = ConvertReal(text, '.');
        ASSERT_TRUE(value.has_value()) << text;
        ASSERT_EQ(std::bit_cast<std::uint64_t>(*value), std::bit_cast<std::uint64_t>(expected))
            << text;
    }
}

// Long texts and far exponents are read by strtold from their digits and a
// decimal exponent: bit for bit the double from_chars to Real gives, here and
// in every cross build. Beyond Real's range from_chars fails; the text then
// reads as zero when it is small within the extended range, otherwise not at
// all.
TEST(InputReading, LongTextsReadAsTheFullConversion) {
    // Below the double range but within the extended one: zero; an exponent of
    // more digits than any integer holds: beyond every range.
    EXPECT_EQ(ConvertReal("15000000000000000000000000.5e-4000", '.'), 0.0);
    EXPECT_FALSE(ConvertReal("1.5e-99999999999999999999", '.').has_value());
    EXPECT_FALSE(ConvertReal("1.5e99999999999999999999", '.').has_value());
    if (!FromCharsReadsReal())
        GTEST_SKIP() << "this library's from_chars reads long double only as precisely as double";
    std::mt19937_64 random(20261209);
    for (int i = 0; i < 100000; ++i) {
        std::string mantissa;
        const int count = 20 + static_cast<int>(random() % 41);
        for (int d = 0; d < count; ++d) mantissa += static_cast<char>('0' + random() % 10);
        mantissa.insert(random() % (mantissa.size() + 1), 1, '.');
        // Half near the double range, half across the whole extended one.
        const int span = i % 2 == 0 ? 700 : 10100;
        const int exponent = static_cast<int>(random() % span) - span / 2;
        const std::string text = mantissa + "e" + std::to_string(exponent);
        Real full;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), full);
        const std::optional<double> value = ConvertReal(text, '.');
        if (error == std::errc{} && std::isfinite(static_cast<double>(full))) {
            ASSERT_TRUE(value.has_value()) << text;
            ASSERT_EQ(std::bit_cast<std::uint64_t>(*value), std::bit_cast<std::uint64_t>(static_cast<double>(full)))
                << text;
        } else if (error == std::errc::result_out_of_range && exponent < 0 && exponent > -4900) {
            ASSERT_EQ(value, 0.0) << text;
        } else if (exponent > 0 || exponent < -5000) {
            ASSERT_FALSE(value.has_value()) << text;
        }
    }
}

TEST(InputReading, ZerosOfAText) {
    // Zero keeps its sign; many leading zeros are no significant digits.
    EXPECT_TRUE(std::signbit(*ConvertReal("-0.000", '.')));
    EXPECT_EQ(ConvertReal("0000000000000000000000011.43", '.'), 11.43);
    EXPECT_EQ(ConvertReal("1.0000000000000000000000000", '.'), 1.0);
}

TEST(InputReading, CommaLocale) {
    EXPECT_EQ(ConvertReal("11,43", ','), 11.43);
    EXPECT_FALSE(ConvertReal("11.43", ',').has_value());
    EXPECT_EQ(DefaultText(*FindInputField("BarrelDiameter"), ','), "11,43");
    EXPECT_EQ(DefaultText(*FindInputField("A22"), ','), "-4,7079E-7");

    CaseData d;
    Messages sink;
    ReadInputData(d, DefaultTexts(','), ',', sink);
    EXPECT_TRUE(d.InputOk);
    EXPECT_EQ(d.A12, 1.1946E-3);
}

TEST(InputReading, UsableDecimalSeparators) {
    for (const char c : {'.', ',', '\'', '/'}) EXPECT_TRUE(IsUsableDecimalSeparator(c)) << c;
    // Part of a number's digits, sign or exponent, or not one printable ASCII byte.
    for (const char c : {'5', '+', '-', 'e', 'E', '$', ' ', '\t', '\x7F', '\xC2'})
        EXPECT_FALSE(IsUsableDecimalSeparator(c)) << int(c);
}

TEST(InputReading, IntegerTexts) {
    EXPECT_EQ(ConvertInteger("5"), 5);
    EXPECT_EQ(ConvertInteger("   5"), 5);
    EXPECT_EQ(ConvertInteger("-12"), -12);
    EXPECT_EQ(ConvertInteger("+7"), 7);
    EXPECT_EQ(ConvertInteger("$1F"), 31);
    EXPECT_EQ(ConvertInteger("0x10"), 16);
    EXPECT_EQ(ConvertInteger("2147483647"), 2147483647);
    EXPECT_EQ(ConvertInteger("-2147483648"), -2147483647 - 1);
    for (const char* bad : {"", " ", "5.0", "5 ", "5x", "2147483648", "-2147483649", "$", "0x",
                            "1e2", "+-5", "$-5", "99999999999999999999"})
        EXPECT_FALSE(ConvertInteger(bad).has_value()) << '"' << bad << '"';
}

TEST(InputReading, StopsAtTheFirstBadBox) {
    InputTexts texts = DefaultTexts('.');
    texts[FindInputField("Edit13")->box - 1] = "5.0";
    texts[FindInputField("Edit14")->box - 1] = "999";
    CaseData d;
    d.InletMeltTemp = -1;
    Messages sink;
    EXPECT_EQ(ReadInputData(d, texts, '.', sink), 13);  // the box that failed
    EXPECT_FALSE(d.InputOk);
    EXPECT_EQ(sink,
              std::vector<std::string>{"Input data is not proper, change and try again!"});
    EXPECT_EQ(d.InletChannelCount, 5);     // before the bad box: read
    EXPECT_EQ(d.EffectiveChannelCount, 0);  // the bad box: untouched
    EXPECT_EQ(d.InletMeltTemp, -1);         // after it: not read
}

TEST(InputReading, EmptyFirstBoxFailsAtOnce) {
    InputTexts texts = DefaultTexts('.');
    texts[0] = "";
    CaseData d;
    Messages sink;
    EXPECT_EQ(ReadInputData(d, texts, '.', sink), 1);
    EXPECT_FALSE(d.InputOk);
    EXPECT_EQ(sink.size(), 1u);
    EXPECT_EQ(d.ScrewSpeed, 0.0);
}

TEST(InputFieldTable, NamesAndBoxesFindTheSameField) {
    EXPECT_EQ(FindInputField("OutputRate"), FindInputField("Edit3"));
    EXPECT_EQ(FindInputField("A12")->box, 28);
    EXPECT_EQ(FindInputField("Edit29"), nullptr);
    EXPECT_EQ(FindInputField("outputrate"), nullptr);
    for (int box = 1; box <= InputCount; ++box)
        EXPECT_EQ(InputFields()[box - 1].box, box);
}

}  // namespace
}  // namespace vortane
