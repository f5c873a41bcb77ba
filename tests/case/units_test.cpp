#include "case/units.h"

#include <gtest/gtest.h>

#include <string>

#include "case/exact_quotient.h"
#include "case/input_fields.h"
#include "case/number_text.h"
#include "case/unit_text.h"

namespace vortane {
namespace {

// Exact arithmetic on the definitions of the units.
ExactQuotient Q(std::string_view text) { return *ExactQuotientOf(text); }
ExactQuotient operator*(const ExactQuotient& a, const ExactQuotient& b) { return *Product(a, b); }
ExactQuotient operator/(const ExactQuotient& a, const ExactQuotient& b) {
    return *Product(a, b.numerator < 0 ? ExactQuotient{-b.denominator, -b.numerator}
                                        : ExactQuotient{b.denominator, b.numerator});
}

ExactQuotient FactorOf(Quantity quantity, std::string_view symbol) {
    for (const Unit& unit : UnitsOf(quantity))
        if (unit.symbol == symbol) return Q(unit.factor);
    ADD_FAILURE() << symbol;
    return {};
}

// The definitions: SI base quantities and the exact conversions of the others.
const ExactQuotient Cm = Q("0.01");        // m
const ExactQuotient Inch = Q("0.0254");    // m
const ExactQuotient Foot = Q("12") * Inch; // m
const ExactQuotient Pound = Q("0.45359237");  // kg
const ExactQuotient Gravity = Q("9.80665");   // m/s2: 1 kgf = 9.80665 N
const ExactQuotient Calorie = Q("4.1868");    // J (IT)
const ExactQuotient Btu = Q("1055.05585262"); // J (IT)
const ExactQuotient FahrenheitDegree = Q("5/9");  // K
const ExactQuotient Hour = Q("3600");         // s

TEST(Units, PressuresAndStressesFromTheirDefinitions) {
    const ExactQuotient kgfPerCm2 = Gravity / (Cm * Cm);  // Pa
    const ExactQuotient psi = Pound * Gravity / (Inch * Inch);
    EXPECT_EQ(FactorOf(Quantity::Pressure, "psi"), psi / kgfPerCm2);
    EXPECT_EQ(FactorOf(Quantity::Pressure, "MPa"), Q("1000000") / kgfPerCm2);
    EXPECT_EQ(FactorOf(Quantity::Pressure, "bar"), Q("100000") / kgfPerCm2);
    EXPECT_EQ(FactorOf(Quantity::Pressure, "kPa"), Q("1000") / kgfPerCm2);
    EXPECT_EQ(FactorOf(Quantity::ShearStress, "psi"), psi / Q("1000"));
    const ExactQuotient gfSPerCm2 = Gravity / Q("1000") / (Cm * Cm);  // Pa.s
    EXPECT_EQ(FactorOf(Quantity::Viscosity, "Pa.s"), Q("1") / gfSPerCm2);
    EXPECT_EQ(FactorOf(Quantity::Viscosity, "lbf.s/in2"), psi / gfSPerCm2);
}

TEST(Units, HeatsAndEnergiesFromTheirDefinitions) {
    // The IT BTU and calorie make BTU/lb.°F and cal/g.℃ one and the same.
    const ExactQuotient calPerGramK = Calorie / Q("0.001");  // J/kg.K
    EXPECT_EQ(FactorOf(Quantity::SpecificHeat, "BTU/lb.°F"), Btu / (Pound * FahrenheitDegree) / calPerGramK);
    EXPECT_EQ(FactorOf(Quantity::SpecificHeat, "kJ/kg.K"), Q("1000") / calPerGramK);
    EXPECT_EQ(FactorOf(Quantity::HeatOfFusion, "BTU/lb"), Btu / Pound / calPerGramK);
    EXPECT_EQ(FactorOf(Quantity::HeatOfFusion, "kJ/kg"), Q("1000") / calPerGramK);
    // The mechanical horsepower, 550 ft.lbf/s.
    const ExactQuotient hp = Q("550") * Foot * Pound * Gravity;  // W
    EXPECT_EQ(FactorOf(Quantity::Power, "hp"), hp / Q("1000"));
    const ExactQuotient kWhPerKg = Q("1000") * Hour;  // J/kg
    EXPECT_EQ(FactorOf(Quantity::SpecificEnergy, "hp.hr/lb"), hp * Hour / Pound / kWhPerKg);
    EXPECT_EQ(FactorOf(Quantity::SpecificEnergy, "kJ/kg"), Q("1000") / kWhPerKg);
}

TEST(Units, MassesAndLengthsFromTheirDefinitions) {
    EXPECT_EQ(FactorOf(Quantity::Length, "in"), Inch / Cm);
    EXPECT_EQ(FactorOf(Quantity::Area, "in2"), Inch * Inch / (Cm * Cm));
    EXPECT_EQ(FactorOf(Quantity::Throughput, "lb/hr"), Pound);
    EXPECT_EQ(FactorOf(Quantity::Density, "lb/ft3"), Pound / (Foot * Foot * Foot) / Q("1000"));
    EXPECT_EQ(FactorOf(Quantity::Density, "kg/m3"), Q("0.001"));
}

TEST(Units, SystemsStateValuesInTheirUnits) {
    EXPECT_EQ(UnitIn(Quantity::Pressure, UnitSystem::SI).symbol, "MPa");
    EXPECT_EQ(UnitIn(Quantity::Pressure, UnitSystem::US).symbol, "psi");
    EXPECT_EQ(UnitIn(Quantity::Pressure, UnitSystem::Metric).symbol, "kgf/cm2");
    EXPECT_EQ(InSystem(100, Quantity::Temperature, UnitSystem::US), 212);
    EXPECT_EQ(InSystem(-40, Quantity::Temperature, UnitSystem::US), -40);
    EXPECT_EQ(InSystem(25, Quantity::TemperatureDifference, UnitSystem::US), 45);
    EXPECT_EQ(InSystem(10, Quantity::Pressure, UnitSystem::SI), 0.980665);
    EXPECT_EQ(InSystem(0.1, Quantity::Pressure, UnitSystem::Metric), 0.1);
    EXPECT_EQ(UnitSystemNamed("si"), UnitSystem::SI);
    EXPECT_FALSE(UnitSystemNamed("SI"));
}

TEST(ExactQuotient, HoldsWhatA128BitIntegerHolds) {
    // 2^127 − 1, the largest 128-bit two's complement integer, and one more.
    EXPECT_TRUE(ExactQuotientOf("170141183460469231731687303715884105727"));
    EXPECT_FALSE(ExactQuotientOf("170141183460469231731687303715884105728"));
    EXPECT_FALSE(ExactQuotientOf("1e39"));
    // The common denominator 10^40 overflows before the sum is reduced.
    EXPECT_FALSE(Sum(Q("1e-20"), Q("1e-20")));
    EXPECT_EQ(ExactDecimalText(*Sum(Q("0.1"), Q("-0.25")), ','), "-0,15");
    EXPECT_EQ(ExactDecimalText(Q("1/3"), '.'), std::nullopt);
    EXPECT_EQ(ExtendedOf(Q("-1/3")), -1.0L / 3);
}

const InputField& Field(std::string_view name) { return *FindInputField(name); }

TEST(UnitText, ConvertsExactlyToTheBoxUnit) {
    EXPECT_EQ(TextInBoxUnit(Field("OutputRate"), "350 lb/hr", '.'), "158.7573295");
    EXPECT_EQ(TextInBoxUnit(Field("OutputRate"), "3.5E2lb/h", '.'), "158.7573295");
    EXPECT_EQ(TextInBoxUnit(Field("BarrierClearance1"), "0.52 mm", '.'), "0.052");
    EXPECT_EQ(TextInBoxUnit(Field("BarrierClearance1"), "0,52 mm", ','), "0,052");
    EXPECT_EQ(TextInBoxUnit(Field("SolidSpecificHeat"), "0.5 BTU/lb.F", '.'), "0.5");
    EXPECT_EQ(TextInBoxUnit(Field("MeltSpecificHeat"), "2.595816 kJ/kg·K", '.'), "0.62");
    EXPECT_EQ(TextInBoxUnit(Field("InletMeltTemp"), "338 °F", '.'), "170");
    EXPECT_EQ(TextInBoxUnit(Field("InletMeltTemp"), "-40 degF", '.'), "-40");
    EXPECT_EQ(TextInBoxUnit(Field("InletMeltTemp"), "443.15 K", '.'), "170");
    EXPECT_EQ(TextInBoxUnit(Field("ChannelLength"), "216 mm", '.'), "21.6");
    EXPECT_EQ(TextInBoxUnit(Field("InletPressure"), "19.6133 MPa", '.'), "200");
}

TEST(UnitText, InexactResultsReadBackToTheNearestDouble) {
    // (400 − 32) · 5/9 = 1840/9 is no finite decimal.
    const std::string text = TextInBoxUnit(Field("InletMeltTemp"), "400 °F", '.');
    EXPECT_EQ(ConvertReal(text, '.'), 1840.0 / 9.0);
    EXPECT_EQ(text, "204.44444444444446");
    const std::string pressure = TextInBoxUnit(Field("InletPressure"), "1500 psi", '.');
    EXPECT_EQ(ConvertReal(pressure, '.'), 68038855500.0 / 645160000.0);
}

TEST(UnitText, OtherTextsStayAsTheyAre) {
    for (const std::string_view text : {"267", " 1.5e3 ", "abc", "", "1,5", "-", "1.5E", "12x"})
        EXPECT_EQ(TextInBoxUnit(Field("OutputRate"), text, '.'), text);
    EXPECT_EQ(TextInBoxUnit(Field("InletChannelCount"), "0x5", '.'), "0x5");
    EXPECT_EQ(TextInBoxUnit(Field("A12"), "1.1946E-3", '.'), "1.1946E-3");
}

TEST(UnitText, RefusesUnitsTheBoxDoesNotTake) {
    const auto message = [](std::string_view name, std::string_view text) {
        try {
            TextInBoxUnit(Field(name), text, '.');
        } catch (const UnitError& error) {
            EXPECT_EQ(error.Context().field, &Field(name));
            return std::string(error.what());
        }
        return std::string("accepted");
    };
    EXPECT_EQ(message("OutputRate", "350 psi"),
              "OutputRate \"350 psi\": the unit psi is not one OutputRate takes: kg/hr, kg/h, lb/hr");
    EXPECT_EQ(message("ChannelDepth", "6 furlong"),
              "ChannelDepth \"6 furlong\": the unit furlong is not one ChannelDepth takes: cm, mm, m, in");
    EXPECT_EQ(message("ScrewSpeed", "80psi"),
              "ScrewSpeed \"80psi\": the unit psi is not one ScrewSpeed takes: rpm, 1/min");
    EXPECT_EQ(message("SolidRatio", "0.1 mm"), "SolidRatio \"0.1 mm\": SolidRatio takes a plain number, no unit");
}

// A typed unit makes the value a physical one: a temperature below absolute
// zero, a negative length or throughput is refused, judged as the run reads
// the converted text; a plain number is the run's to judge.
TEST(UnitText, RefusesValuesNoSuchQuantityHas) {
    const auto refusal = [](std::string_view name, std::string_view text, char separator = '.') {
        try {
            return TextInBoxUnit(Field(name), text, separator);
        } catch (const UnitError& error) {
            EXPECT_EQ(error.Context().field, &Field(name));
            return "refused: " + std::string(error.what());
        }
    };
    EXPECT_EQ(refusal("InletMeltTemp", "-500 K"),
              "refused: InletMeltTemp \"-500 K\" is -773.15 \u2103, below absolute zero (-273.15 \u2103)");
    EXPECT_EQ(refusal("MeltingPoint", "-459,68 °F", ','),
              "refused: MeltingPoint \"-459,68 °F\" is -273,15555555555557 \u2103, below absolute zero "
              "(-273,15 \u2103)");
    EXPECT_EQ(refusal("InletSolidTemp", "-273.16 ℃"),
              "refused: InletSolidTemp \"-273.16 \u2103\" is -273.16 \u2103, below absolute zero (-273.15 \u2103)");
    EXPECT_EQ(refusal("OutputRate", "-350 lb/hr"),
              "refused: OutputRate \"-350 lb/hr\" is -158.7573295 kg/hr: a throughput cannot be negative");
    EXPECT_EQ(refusal("ChannelDepth", "-6 mm"), "refused: ChannelDepth \"-6 mm\" is -0.6 cm: a length cannot be negative");
    EXPECT_EQ(refusal("CornerRadius", "-1E-3in"),
              "refused: CornerRadius \"-1E-3in\" is -0.00254 cm: a length cannot be negative");
    // At absolute zero and at zero itself the values stand, as do quantities
    // that may be negative and plain numbers.
    EXPECT_EQ(refusal("InletMeltTemp", "0 K"), "-273.15");
    EXPECT_EQ(refusal("InletMeltTemp", "-459.67 °F"), "-273.15");
    EXPECT_EQ(refusal("BarrierClearance1", "-0 mm"), "0");
    EXPECT_EQ(refusal("OutputRate", "0 lb/hr"), "0");
    EXPECT_EQ(refusal("ChannelAngle", "-15 deg"), "-15");
    EXPECT_EQ(refusal("InletMeltTemp", "-500"), "-500");
    EXPECT_EQ(refusal("OutputRate", "-350"), "-350");
}

TEST(UnitText, EveryRealInputButTheRatiosAndCoefficientsHasAUnit) {
    for (const InputField& field : InputFields()) {
        const bool plain = field.conversion == InputField::Conversion::Integer ||
                           field.name == "SolidRatio" || field.box >= 23;
        EXPECT_EQ(field.quantity == Quantity::Dimensionless, plain) << field.name;
        // The box's own unit is the first of its quantity, the one its caption shows.
        if (!plain) {
            std::string symbol(UnitsOf(field.quantity).front().symbol);
            EXPECT_NE(field.caption.find("(" + symbol + ")"), std::string_view::npos) << field.name;
        }
    }
}

}  // namespace
}  // namespace vortane
