#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "case/case_data.h"
#include "case/input_fields.h"
#include "case/units.h"

namespace vortane {

// The bytes of the three report blocks: code page 932, every line ended by
// CR LF. A block opens with an empty line and its title; a value line is its
// label (indent, caption, blanks, "=  ", padded in bytes to the block's width)
// followed by the value's text.
std::string InputBlock(const CaseData& data, char decimalSeparator);
std::string ChannelBlock(const CaseData& data, char decimalSeparator);
std::string ResultsBlock(const CaseData& data, char decimalSeparator);

// A value of the channel or results block: its CaseData field by name and by
// pointer, and the caption it is reported under (UTF-8, with its unit).
struct ReportedValue {
    std::string_view name;
    std::string_view caption;
    double CaseData::*field;
    Quantity quantity = Quantity::Dimensionless;
};

// A value of the channel or results block written as the report writes it.
std::string ReportedText(const ReportedValue& value, const CaseData& data, char decimalSeparator);

// An input's value as the input block writes it.
std::string ReportedInputText(const CaseData& data, const InputField& field, char decimalSeparator);

// The values of the two computed blocks, in report order.
const std::vector<ReportedValue>& ChannelValues();
const std::vector<ReportedValue>& ResultValues();

// An input's caption as the report writes it: the window's caption without the
// asterisk of its note and trailing blanks (UTF-8).
std::string_view ReportCaption(const InputField& field);

// Builds a label of `width` bytes: `indent` blanks, the caption, blank padding,
// "=" at byte width − 2 and two blanks.
std::string ValueLabel(int indent, std::string_view caption, int width);

}  // namespace vortane
