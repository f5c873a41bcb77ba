#include "report/report_layout.h"

#include <algorithm>
#include <span>
#include <stdexcept>

#include "report/code_page.h"
#include "report/value_format.h"
#include "case/input_fields.h"

namespace vortane {

namespace {

using C = CaseData;

constexpr int BlockIndent = 4;
constexpr int InputLabelWidth = 51;
constexpr int CoefficientIndent = 8;
constexpr int CoefficientLabelWidth = 34;
constexpr int ResultsLabelWidth = 53;
constexpr int FirstCoefficientBox = 23;

constexpr std::string_view InputTitle = "    [ Input Data ]";
constexpr std::string_view CoefficientTitle = "    (Coefficients of Viscosity)";
constexpr std::string_view ChannelTitle = "    [ Calculated Channel Characteristics ]";
constexpr std::string_view ResultsTitle = "    [ Calculated Results ]";

// A value line of a computed block; one without a field is an empty line.
struct Row {
    ReportedValue value;
    ValueRule rule;
};

constexpr Row EmptyLine{{"", "", nullptr}, {}};

constexpr Row ChannelRows[] = {
    {{"ChannelWidth", "Channel Width (cm)", &C::ChannelWidth, Quantity::Length}, FixedRule(6, 3)},
    {{"EquivalentWidth", "Equiv. Ch. Width for Rect. Cross Sect. (cm)", &C::EquivalentWidth,
      Quantity::Length},
     FixedRule(6, 3)},
    {{"SectionArea", "Channel Cross Section Area (cm2)", &C::SectionArea, Quantity::Area}, GeneralRule(6, 3)},
    {{"DragShapeFactor", "Drag Flow Shape Factor (-)", &C::DragShapeFactor}, FixedRule(5, 3)},
    {{"PressureShapeFactor", "Pressure Flow Shape Factor (-)", &C::PressureShapeFactor},
     FixedRule(5, 3)},
};

constexpr Row ResultRows[] = {
    {{"RelPressureInletEnd", "Relative Pressure at Inlet Channel End (-)",
      &C::RelPressureInletEnd},
     FixedRule(6, 4)},
    {{"RelPressureOutletStart", "Relative Pressure at Outlet Channel Start (-)",
      &C::RelPressureOutletStart},
     FixedRule(6, 4)},
    {{"RelPressureOutletEnd", "Relative Pressure at Outlet Channel End (-)",
      &C::RelPressureOutletEnd},
     FixedRule(6, 4)},
    {{"TotalPressureDrop", "Total Pressure Drop (kgf/cm2)", &C::TotalPressureDrop, Quantity::Pressure},
     FixedRule(7, 2)},
    EmptyLine,
    {{"PowerKW", "Power Consumption at Mix. Part (kW)", &C::PowerKW, Quantity::Power},
     GeneralRule(7, 3)},
    {{"InletAverageMeltTemp", "Average Melt Temp. at Inlet (℃)", &C::InletAverageMeltTemp,
      Quantity::Temperature},
     FixedRule(6, 2)},
    {{"OutletAverageMeltTemp", "Average Melt Temp. at Outlet (℃)", &C::OutletAverageMeltTemp,
      Quantity::Temperature},
     FixedRule(6, 2)},
    {{"TemperatureRise", "Temperature Difference (℃)", &C::TemperatureRise,
      Quantity::TemperatureDifference},
     FixedRule(6, 2)},
};

bool IsCoefficient(const InputField& field) { return field.box >= FirstCoefficientBox; }

std::string FieldText(const C& data, const InputField& field, char sep) {
    if (field.conversion == InputField::Conversion::Integer)
        return FormatInteger(data.*field.integer);
    return FormatReal(data.*field.real, field.reportRule, sep);
}

const std::vector<std::string>& InputLabels() {
    static const std::vector<std::string> labels = [] {
        std::vector<std::string> built;
        for (const InputField& field : InputFields()) {
            built.push_back(IsCoefficient(field)
                                ? ValueLabel(CoefficientIndent, field.caption, CoefficientLabelWidth)
                                : ValueLabel(BlockIndent, ReportCaption(field), InputLabelWidth));
        }
        return built;
    }();
    return labels;
}

template <std::size_t N>
std::vector<std::string> RowLabels(const Row (&rows)[N], int width) {
    std::vector<std::string> labels;
    for (const Row& row : rows)
        labels.push_back(row.value.field ? ValueLabel(BlockIndent, row.value.caption, width) : "");
    return labels;
}

template <std::size_t N>
std::vector<ReportedValue> ValuesOf(const Row (&rows)[N]) {
    std::vector<ReportedValue> values;
    for (const Row& row : rows)
        if (row.value.field) values.push_back(row.value);
    return values;
}

constexpr std::string_view LineEnd = "\r\n";
constexpr std::size_t BlockBytesReserved = 2048;  // the longest block, the input block, is ~1.5 KB

// A block starts with an empty line and its title.
std::string BlockStart(std::string_view title) {
    std::string bytes;
    bytes.reserve(BlockBytesReserved);
    bytes += LineEnd;
    bytes += title;
    bytes += LineEnd;
    return bytes;
}

void AppendLine(std::string& bytes, std::string_view label, std::string_view value) {
    bytes += label;
    bytes += value;
    bytes += LineEnd;
}

template <std::size_t N>
std::string ComputedBlock(std::string_view title, const Row (&rows)[N],
                          const std::vector<std::string>& labels, const C& data, char sep) {
    std::string bytes = BlockStart(title);
    for (std::size_t i = 0; i < N; ++i) {
        const Row& row = rows[i];
        if (row.value.field)
            AppendLine(bytes, labels[i], FormatReal(data.*row.value.field, row.rule, sep));
        else
            bytes += LineEnd;
    }
    return bytes;
}

}  // namespace

std::string_view ReportCaption(const InputField& field) {
    std::string_view caption = field.caption;
    if (caption.substr(0, 2) == "* ") caption.remove_prefix(2);
    while (!caption.empty() && caption.back() == ' ') caption.remove_suffix(1);
    return caption;
}

std::string ValueLabel(int indent, std::string_view caption, int width) {
    std::string label = std::string(indent, ' ') + ToCodePage932(caption);
    label.resize(std::max<std::size_t>(label.size(), width - 3), ' ');
    return label + "=  ";
}

std::string InputBlock(const C& data, char decimalSeparator) {
    std::string bytes = BlockStart(InputTitle);
    const auto& labels = InputLabels();
    for (const InputField& field : InputFields()) {
        if (field.box == FirstCoefficientBox) AppendLine(bytes, CoefficientTitle, "");
        AppendLine(bytes, labels[field.box - 1], FieldText(data, field, decimalSeparator));
    }
    return bytes;
}

std::string ChannelBlock(const C& data, char decimalSeparator) {
    static const std::vector<std::string> labels = RowLabels(ChannelRows, InputLabelWidth);
    return ComputedBlock(ChannelTitle, ChannelRows, labels, data, decimalSeparator);
}

std::string ResultsBlock(const C& data, char decimalSeparator) {
    static const std::vector<std::string> labels = RowLabels(ResultRows, ResultsLabelWidth);
    return ComputedBlock(ResultsTitle, ResultRows, labels, data, decimalSeparator);
}

std::string ReportedText(const ReportedValue& value, const C& data, char decimalSeparator) {
    for (const auto& rows : {std::span<const Row>(ChannelRows), std::span<const Row>(ResultRows)})
        for (const Row& row : rows)
            if (row.value.field == value.field)
                return FormatReal(data.*value.field, row.rule, decimalSeparator);
    throw std::invalid_argument("not a reported value: " + std::string(value.name));
}

std::string ReportedInputText(const C& data, const InputField& field, char decimalSeparator) {
    return FieldText(data, field, decimalSeparator);
}

const std::vector<ReportedValue>& ChannelValues() {
    static const std::vector<ReportedValue> values = ValuesOf(ChannelRows);
    return values;
}

const std::vector<ReportedValue>& ResultValues() {
    static const std::vector<ReportedValue> values = ValuesOf(ResultRows);
    return values;
}

}  // namespace vortane
