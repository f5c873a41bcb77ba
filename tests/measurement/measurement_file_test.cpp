#include "measurement/measurement_file.h"

#include <gtest/gtest.h>

#include "measurement/material_fit.h"
#include "measurement/text_decoding.h"
#include "support/measurements.h"

namespace vortane {
namespace {

std::string ErrorOf(std::string_view content, std::optional<ViscosityUnit> unit = std::nullopt) {
    try {
        FitMeasurements(ParseMeasurements(content, "melt.csv", unit));
    } catch (const MeasurementError& error) {
        return error.what();
    }
    return "";
}

constexpr double Relative = 1e-15;

using namespace std::string_literals;

// The points of a comma file, its header left out, separated by `separator`,
// with decimal commas where asked and CR LF line ends.
std::string Body(std::string_view commaFile, char separator, bool decimalComma) {
    std::string body;
    for (const char c : commaFile.substr(commaFile.find('\n') + 1)) {
        if (c == ',') body += separator;
        else if (c == '.' && decimalComma) body += ',';
        else if (c == '\n') body += "\r\n";
        else body += c;
    }
    return body;
}

// The UTF-16 bytes of `text`, after the order's mark if asked.
std::string Utf16(std::u16string_view text, bool little, bool mark) {
    std::string bytes = !mark ? "" : little ? "\xFF\xFE" : "\xFE\xFF";
    for (const char16_t c : text) {
        const auto high = static_cast<char>(c >> 8);
        const auto low = static_cast<char>(c & 0xFF);
        bytes += little ? std::string{low, high} : std::string{high, low};
    }
    return bytes;
}

TEST(MeasurementFile, CommaSeparatedPointsInPascalSeconds) {
    const Measurements m = ParseMeasurements(
        "\xEF\xBB\xBF# rheometer, run 3\r\n"
        "Temperature,ShearRate,Viscosity\r\n"
        "\r\n"
        "170, 10.5 ,98.0665\r\n"
        "# a comment between points\n"
        "  190,1e3,4.5E-1\n",
        "melt.csv", std::nullopt);
    EXPECT_EQ(m.fileName, "melt.csv");
    EXPECT_EQ(m.unit, ViscosityUnit::PascalSecond);
    EXPECT_FALSE(m.unitInHeader);
    ASSERT_EQ(m.points.size(), 2u);
    EXPECT_EQ(m.lines, (std::vector<int>{4, 6}));
    EXPECT_EQ(m.points[0].temperature, 170);
    EXPECT_EQ(m.points[0].shearRate, 10.5);
    EXPECT_NEAR(m.points[0].viscosity, 1, Relative);
    EXPECT_EQ(m.points[1].shearRate, 1000);
}

// Semicolons allow decimal commas; the header may name the columns in any
// order, by other names and with units.
TEST(MeasurementFile, SemicolonsHeaderNamesAndUnits) {
    const Measurements m = ParseMeasurements(
        "Viscosity [mPa·s]; T (℃); Shear rate (1/s)\n"
        "1961,33; 170,5; 10\n"
        "2000;180;1.5\n",
        "melt.csv", std::nullopt);
    EXPECT_EQ(m.unit, ViscosityUnit::MilliPascalSecond);
    EXPECT_TRUE(m.unitInHeader);
    ASSERT_EQ(m.points.size(), 2u);
    EXPECT_EQ(m.points[0].temperature, 170.5);
    EXPECT_EQ(m.points[0].shearRate, 10);
    EXPECT_NEAR(m.points[0].viscosity, 0.02, 0.02 * Relative);  // 1961.33 mPa.s
    EXPECT_EQ(m.points[1].shearRate, 1.5);

    for (const char* header : {"temp,gamma,eta", "TEMPERATURE (degC),shear_rate (s^-1),visc (P)",
                               "t,γ,η (gf*s/cm2)", "Temperature (°C),Rate [s-1],Viscosity (Pa s)"})
        EXPECT_EQ(ParseMeasurements(std::string(header) + "\n170,10,1\n", "melt.csv", std::nullopt).points.size(), 1u)
            << header;
}

// Worked by hand with 1 gf.s/cm2 = 98.0665 Pa.s: 98.0665 Pa.s = 1 gf.s/cm2;
// 1961.33 mPa.s = 1.96133 Pa.s = 0.02 gf.s/cm2; 4903.325 P = 490.3325 Pa.s = 5 gf.s/cm2.
TEST(MeasurementFile, ViscosityUnits) {
    EXPECT_NEAR(ToModelViscosity(98.0665, ViscosityUnit::PascalSecond), 1, Relative);
    EXPECT_NEAR(ToModelViscosity(1961.33, ViscosityUnit::MilliPascalSecond), 0.02, 0.02 * Relative);
    EXPECT_NEAR(ToModelViscosity(4903.325, ViscosityUnit::Poise), 5, 5 * Relative);
    EXPECT_EQ(ToModelViscosity(3.5, ViscosityUnit::GramForceSecondPerSquareCentimetre), 3.5);
    for (const ViscosityUnit unit : ViscosityUnits) {
        EXPECT_NEAR(FromModelViscosity(ToModelViscosity(1234.5, unit), unit), 1234.5, 1234.5 * Relative);
        EXPECT_EQ(FindViscosityUnit(UnitName(unit)), unit);
    }
    EXPECT_EQ(FindViscosityUnit("Pa·s"), ViscosityUnit::PascalSecond);
    EXPECT_EQ(FindViscosityUnit("mPas"), ViscosityUnit::MilliPascalSecond);
    EXPECT_EQ(FindViscosityUnit("cP"), ViscosityUnit::MilliPascalSecond);
    EXPECT_EQ(FindViscosityUnit("poise"), ViscosityUnit::Poise);
    EXPECT_EQ(FindViscosityUnit("gf·s/cm²"), ViscosityUnit::GramForceSecondPerSquareCentimetre);
    EXPECT_EQ(FindViscosityUnit("MPa.s"), std::nullopt);  // megapascal seconds: not a melt's
    EXPECT_EQ(FindViscosityUnit("kg"), std::nullopt);

    const std::string file = "Temperature,ShearRate,Viscosity\n170,10,4903.325\n";
    EXPECT_NEAR(ParseMeasurements(file, "melt.csv", ViscosityUnit::Poise).points[0].viscosity, 5, 5 * Relative);
    EXPECT_EQ(ParseMeasurements(file, "melt.csv", ViscosityUnit::Poise).unit, ViscosityUnit::Poise);
}

TEST(MeasurementFile, RefusalsNameFileAndLine) {
    const std::string header = "Temperature,ShearRate,Viscosity\n";
    EXPECT_EQ(ErrorOf(header + "170,10,5000\n170,abc,5000\n"), "melt.csv:3: the shear rate \"abc\" is not a number");
    EXPECT_EQ(ErrorOf(header + "170,10,\n"), "melt.csv:2: the viscosity \"\" is not a number");
    EXPECT_EQ(ErrorOf(header + "170,10,0\n"), "melt.csv:2: the viscosity must be positive, not 0");
    EXPECT_EQ(ErrorOf(header + "\n170,-10,5000\n"), "melt.csv:3: the shear rate must be positive, not -10");
    EXPECT_EQ(ErrorOf(header + "170,10,1e400\n"), "melt.csv:2: the viscosity 1e400 is beyond the range of a double");
    EXPECT_EQ(ErrorOf(header + "170,10,5e-323\n"), "melt.csv:2: the viscosity 5e-323 is too small");
    EXPECT_EQ(ErrorOf(header + "170;10;5000\n"), "melt.csv:2: expected three fields separated by ',', found 1");
    EXPECT_EQ(ErrorOf(header + "170,10,5000,1\n"), "melt.csv:2: expected three fields separated by ',', found 4");
    EXPECT_EQ(ErrorOf(header + "170,10,50,00\n"), "melt.csv:2: expected three fields separated by ',', found 4");
    EXPECT_EQ(ErrorOf("170,10,5000\n"),
              "melt.csv:1: expected a header naming the columns, such as Temperature,ShearRate,Viscosity");
    EXPECT_EQ(ErrorOf("# nothing\n\n"), "melt.csv: no header; expected Temperature,ShearRate,Viscosity and the points");
    EXPECT_EQ(ErrorOf("Temperature,Shear,Viscosity\n"),
              "melt.csv:1: unknown column \"Shear\"; the header names Temperature, ShearRate and Viscosity");
    EXPECT_EQ(ErrorOf("Temperature,ShearRate\n"),
              "melt.csv:1: the header names 2 columns; expected three: Temperature, ShearRate and Viscosity");
    EXPECT_EQ(ErrorOf("T,Rate,T\n"), "melt.csv:1: the temperature is named twice");
    EXPECT_EQ(ErrorOf("Temperature (K),ShearRate,Viscosity\n"), "melt.csv:1: the temperature must be in degC, not K");
    EXPECT_EQ(ErrorOf("Temperature,ShearRate (rpm),Viscosity\n"), "melt.csv:1: the shear rate must be in 1/s, not rpm");
    EXPECT_EQ(ErrorOf("Temperature,ShearRate,Viscosity (kPa.s)\n"),
              "melt.csv:1: unknown viscosity unit kPa.s; use Pa.s, mPa.s, P or gf.s/cm2");
    EXPECT_EQ(ErrorOf("Temperature,ShearRate,Viscosity (Pa.s\n"),
              "melt.csv:1: the unit of column \"Viscosity (Pa.s\" lacks its closing )");
    EXPECT_EQ(ErrorOf("Temperature,ShearRate,Viscosity (mPa.s)\n", ViscosityUnit::PascalSecond),
              "melt.csv:1: the header gives the viscosity in mPa.s, not in Pa.s");
}

// What the fit refuses names the file.
TEST(MeasurementFile, FitRefusalsNameTheFile) {
    EXPECT_EQ(ErrorOf(testing::DefaultLawMeasurements({170})),
              "melt.csv: all points are at one temperature, 170 degC: the temperature terms A2, A22 "
              "and A12 cannot be fitted; measure at three temperatures and three shear rates or more");
    EXPECT_EQ(ErrorOf(testing::DefaultLawMeasurements({170}, {10, 100, 1000, 10000, 100000})),
              "melt.csv: 5 points: the six coefficients need at least six");
    EXPECT_EQ(ErrorOf(testing::DefaultLawMeasurements()), "");
    // Viscosities at the top of a double's range: where the law runs above the
    // points it leaves that range.
    EXPECT_EQ(ErrorOf("T,Rate,Viscosity (gf.s/cm2)\n150,1,1.7e308\n190,1,1e308\n230,1,1.7e308\n"
                      "150,10,1.7e308\n190,10,1.7e308\n230,10,1.7e308\n150,100,1.7e308\n190,100,1.7e308\n"
                      "230,100,1.7e308\n"),
              "melt.csv: the points are beyond the law in doubles: Floating point overflow");
}

// A spreadsheet's tab-separated or Windows-1252 export and a UTF-16 text give
// the very points, coefficients and texts of the same data in commas.
TEST(MeasurementFile, EncodingsAndSeparatorsGiveTheSameFit) {
    const std::string comma = testing::DefaultLawMeasurements({150, 190, 230}, {1, 10, 100, 1000}, 0.03);
    const Measurements reference = ParseMeasurements(comma, "melt.csv", std::nullopt);
    const ViscosityFit fit = FitMeasurements(reference);
    const std::string tabs = Body(comma, '\t', true);
    const std::u16string tabs16(tabs.begin(), tabs.end());
    const std::u16string header16 = u"Temperature (℃)\tShear rate (s⁻¹)\tη (Pa·s)\r\n";
    for (const std::string& file :
         {"Temperature (°C)\tShear rate (1/s)\tViscosity (Pa·s)\r\n" + Body(comma, '\t', false),
          "\xEF\xBB\xBFT (deg C)\tRate\tEta\r\n" + tabs,
          "Temperature (\xB0""C),Shear rate (1/s),Viscosity (Pa.s)\r\n" + Body(comma, ',', false),
          "Temperature (\xBA""C); Shear rate (1/s); Viscosity (Pa\xB7s)\r\n" + Body(comma, ';', true),
          Utf16(header16 + tabs16, true, true), Utf16(header16 + tabs16, false, true),
          Utf16(u"Temperature\tShearRate\tViscosity\r\n" + tabs16, true, false)}) {
        const Measurements m = ParseMeasurements(file, "melt.csv", std::nullopt);
        ASSERT_EQ(m.points.size(), reference.points.size()) << file;
        for (std::size_t i = 0; i < m.points.size(); ++i) {
            EXPECT_EQ(m.points[i].temperature, reference.points[i].temperature);
            EXPECT_EQ(m.points[i].shearRate, reference.points[i].shearRate);
            EXPECT_EQ(m.points[i].viscosity, reference.points[i].viscosity);
        }
        EXPECT_EQ(m.lines, reference.lines);
        EXPECT_EQ(FitMeasurements(m).coefficients, fit.coefficients);
        EXPECT_EQ(FittedCaseText(m, FitMeasurements(m)), FittedCaseText(reference, fit));
    }
}

// Bytes of none of the encodings, and a header with none of the separators,
// are refused, saying what was found and where.
TEST(MeasurementFile, UnknownEncodingOrSeparatorSaysWhatWasFound) {
    const std::string header = "Temperature,ShearRate,Viscosity\n";
    const std::string notText = "the file is neither UTF-8, UTF-16 nor Windows-1252 text: ";
    EXPECT_EQ(ErrorOf(header + "170,10,5\n170,\x81,5\n"), "melt.csv:3: " + notText + "byte 0x81");
    EXPECT_EQ(ErrorOf("\xEF\xBB\xBF" + header + "170,10,5\xB0\n"),
              "melt.csv:2: " + notText + "byte 0xB0 after the UTF-8 byte order mark");
    EXPECT_EQ(ErrorOf(header + "170,10,5\0"s), "melt.csv:2: " + notText + "byte 0x00");
    EXPECT_EQ(ErrorOf("\xFF\xFE\0\0T\0\0\0"s), "melt.csv:1: " + notText + "a UTF-32 byte order mark");
    EXPECT_EQ(ErrorOf("T\0\0\0,\0\0\0"s), "melt.csv:1: " + notText + "a NUL character");  // UTF-32, unmarked
    EXPECT_EQ(ErrorOf(Utf16(std::u16string{u'T', u'\n', char16_t{0xDE00}, u'x'}, true, true)),
              "melt.csv:2: " + notText + "the unpaired UTF-16 surrogate 0xDE00");
    EXPECT_EQ(ErrorOf(Utf16(u"T,Rate,Eta\n", false, true) + "\0"s),
              "melt.csv:2: " + notText + "UTF-16 text ending in half a character");
    EXPECT_EQ(ErrorOf("Temperature|ShearRate|Viscosity\n170|10|5\n"),
              "melt.csv:1: the header line holds no comma, semicolon or tab between its names: "
              "\"Temperature|ShearRate|Viscosity\"");
    EXPECT_EQ(ErrorOf("T\tRate\tEta\n170\t10 5\n"), "melt.csv:2: expected three fields separated by tabs, found 2");
    EXPECT_EQ(ErrorOf("T (\xB0""F),Rate,Eta\n"), "melt.csv:1: the temperature must be in degC, not °F");
}

// What is not UTF-8 reads as Windows-1252: its own characters at 0x80 to 0x9F,
// Latin-1's above; what it leaves undefined is refused.
TEST(MeasurementFile, TextDecoding) {
    EXPECT_EQ(DecodeText("\x80\x8A\x9F \xB0\xFF"), "€ŠŸ °ÿ");
    EXPECT_EQ(DecodeText("\xC0\xAF"), "À¯");              // an overlong '/'
    EXPECT_EQ(DecodeText("\xED\xA0\x80"), "í\u00A0€");    // a surrogate
    EXPECT_EQ(DecodeText("\xF0\x82\x82\xAC"), "ð‚‚¬");   // an overlong '€'
    for (const std::string bytes : {"\x81", "\x8D", "\x8F", "\x90", "\x9D", "\xF4\x90\x80\x80"})
        EXPECT_THROW(DecodeText(bytes), TextDecodingError) << bytes;

    const std::string text = "T (℃) η 😀 \U0010FFFF\r\n";
    const std::u16string text16 = u"T (℃) η 😀 \U0010FFFF\r\n";
    EXPECT_EQ(DecodeText(text), text);
    EXPECT_EQ(DecodeText("\xEF\xBB\xBF" + text), text);
    EXPECT_EQ(DecodeText(Utf16(text16, true, true)), text);
    EXPECT_EQ(DecodeText(Utf16(text16, false, true)), text);
    EXPECT_EQ(DecodeText(Utf16(text16, false, false)), text);
}

// The context of a refusal holds the file and the line.
TEST(MeasurementFile, ContextOfARefusal) {
    try {
        ParseMeasurements("Temperature,ShearRate,Viscosity\n\n170,abc,5000\n", "melt.csv", std::nullopt);
        FAIL() << "no error";
    } catch (const MeasurementError& error) {
        EXPECT_EQ(error.Context().file, "melt.csv");
        EXPECT_EQ(error.Context().line, 3);
    }
}

}  // namespace
}  // namespace vortane
