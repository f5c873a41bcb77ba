#include "case/input_fields.h"

#include <algorithm>

#include "case/excerpt.h"

namespace vortane {

namespace {

using C = CaseData;
using Q = Quantity;

constexpr InputField Real(int box, std::string_view name, std::string_view caption,
                          std::string_view defaultText, double C::*field, ValueRule rule,
                          Quantity quantity = Quantity::Dimensionless) {
    return {box,  name, caption, InputField::Conversion::Real, defaultText, field, nullptr,
            rule, quantity};
}

constexpr InputField Integer(int box, std::string_view name, std::string_view caption,
                             std::string_view defaultText, std::int32_t C::*field) {
    return {box,     name, caption, InputField::Conversion::Integer, defaultText, nullptr,
            field, IntegerRule, Quantity::Dimensionless};
}

constexpr ValueRule Coefficient = GeneralRule(11, 0);

constexpr std::array<InputField, InputCount> InputTable{{
    Real(1, "BarrelDiameter", "Barrel Diameter (cm)", "11.43", &C::BarrelDiameter, FixedRule(5, 2),
         Q::Length),
    Real(2, "ScrewSpeed", "Number of Revolution (rpm)", "80.0", &C::ScrewSpeed, FixedRule(6, 2),
         Q::ScrewSpeed),
    Real(3, "OutputRate", "Output (kg/hr)", "267.0", &C::OutputRate, FixedRule(6, 1), Q::Throughput),
    Real(4, "ChannelLength", "Channel Length (cm)", "21.6", &C::ChannelLength, FixedRule(5, 2), Q::Length),
    Real(5, "BarrierWidth1", "Barrier Width - 1 (cm)", "1.27", &C::BarrierWidth1, FixedRule(5, 3), Q::Length),
    Real(6, "BarrierWidth2", "Barrier Width - 2 (cm)", "0.5", &C::BarrierWidth2, FixedRule(5, 3), Q::Length),
    Real(7, "BarrierClearance1", "Barrier Clearance - 1 (cm)", "0.052", &C::BarrierClearance1,
         FixedRule(5, 3), Q::Length),
    Real(8, "BarrierClearance2", "Barrier Clearance - 2 (cm)", "0.011", &C::BarrierClearance2,
         FixedRule(5, 3), Q::Length),
    Real(9, "ChannelDepth", "Channel Depth (cm)", "0.62", &C::ChannelDepth, FixedRule(5, 3), Q::Length),
    Real(10, "CornerRadius", "Bottom Corner Radius of Channel (cm)", "1.3", &C::CornerRadius,
         FixedRule(5, 3), Q::Length),
    Real(11, "ChannelAngle", "Angle between Screw Axis and Channel (deg)", "15.0",
         &C::ChannelAngle, FixedRule(6, 2), Q::Angle),
    Integer(12, "InletChannelCount", "Number of Inlet (or Outlet) Channels (-)", "5",
            &C::InletChannelCount),
    Integer(13, "EffectiveChannelCount", "* Effective Number of Channels (-) ", "5",
            &C::EffectiveChannelCount),
    Real(14, "InletMeltTemp", "Inlet Melt Temperature (℃)", "170.0", &C::InletMeltTemp,
         FixedRule(5, 1), Q::Temperature),
    Real(15, "InletSolidTemp", "Inlet Solid Temperature (℃)", "87.0", &C::InletSolidTemp,
         FixedRule(5, 1), Q::Temperature),
    Real(16, "SolidRatio", "Solid Ratio (-)", "0.1", &C::SolidRatio, FixedRule(5, 3)),
    Real(17, "InletPressure", "Inlet Pressure (kgf/cm2)", "200.0", &C::InletPressure,
         FixedRule(6, 1), Q::Pressure),
    Real(18, "MeltingPoint", "Melting Point (℃)", "110.6", &C::MeltingPoint, FixedRule(5, 1),
         Q::Temperature),
    Real(19, "MeltDensity", "Density of Melt (g/cm3)", "0.77", &C::MeltDensity, FixedRule(6, 3), Q::Density),
    Real(20, "SolidSpecificHeat", "Specific Heat of Solid (cal/g.℃)", "0.66",
         &C::SolidSpecificHeat, FixedRule(6, 3), Q::SpecificHeat),
    Real(21, "HeatOfFusion", "Heat of Fusion (cal/g)", "31.0", &C::HeatOfFusion, FixedRule(6, 2),
         Q::HeatOfFusion),
    Real(22, "MeltSpecificHeat", "Specific Heat of Melt (cal/g.℃)", "0.62", &C::MeltSpecificHeat,
         FixedRule(3, 3), Q::SpecificHeat),
    Real(23, "A0", "A0", "6.83729", &C::A0, Coefficient),
    Real(24, "A1", "A1", "-0.661828", &C::A1, Coefficient),
    Real(25, "A11", "A11", "-0.0158406", &C::A11, Coefficient),
    Real(26, "A2", "A2", "-0.0149381", &C::A2, Coefficient),
    Real(27, "A22", "A22", "-4.7079E-7", &C::A22, Coefficient),
    Real(28, "A12", "A12", "1.1946E-3", &C::A12, Coefficient),
}};

}  // namespace

const std::array<InputField, InputCount>& InputFields() { return InputTable; }

const InputField* FindInputField(std::string_view name) {
    for (const InputField& field : InputTable) {
        if (name == field.name || name == "Edit" + std::to_string(field.box)) return &field;
    }
    return nullptr;
}

const InputField& InputFieldNamed(std::string_view name) {
    if (const InputField* field = FindInputField(name)) return *field;
    throw UnknownFieldError("unknown field " + UnknownName(name, InputFieldNames()));
}

std::span<const std::string_view> InputFieldNames() {
    static constexpr auto Names = [] {
        std::array<std::string_view, InputCount> names{};
        for (std::size_t i = 0; i < names.size(); ++i) names[i] = InputTable[i].name;
        return names;
    }();
    return Names;
}

std::string DefaultText(const InputField& field, char decimalSeparator) {
    std::string text(field.defaultText);
    std::replace(text.begin(), text.end(), '.', decimalSeparator);
    return text;
}

InputTexts DefaultTexts(char decimalSeparator) {
    InputTexts texts;
    for (const InputField& field : InputTable) texts[field.box - 1] = DefaultText(field, decimalSeparator);
    return texts;
}

std::array<const InputField*, 6> ViscosityCoefficientFields() {
    std::array<const InputField*, 6> fields{};
    for (std::size_t j = 0; j < fields.size(); ++j) fields[j] = FindInputField(ViscosityTermNames[j]);
    return fields;
}

std::array<std::string, 6> CoefficientTextsOf(const InputTexts& texts) {
    const std::array<const InputField*, 6> fields = ViscosityCoefficientFields();
    std::array<std::string, 6> coefficients;
    for (std::size_t j = 0; j < fields.size(); ++j) coefficients[j] = texts[fields[j]->box - 1];
    return coefficients;
}

FittedRanges RangesOfLaw(const FittedRanges& ranges, const InputTexts& fittedTexts, const InputTexts& texts) {
    return CoefficientTextsOf(texts) == CoefficientTextsOf(fittedTexts) ? ranges : FittedRanges{};
}

}  // namespace vortane
