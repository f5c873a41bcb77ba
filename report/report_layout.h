#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "run/case_data.h"

namespace vortane {

// The lines of the three report blocks, in code page 932 and without line
// ends. A value line is its label (indent, caption, blanks, "=  ", padded in
// bytes to the block's width) followed by the value's text.
std::vector<std::string> InputBlock(const CaseData& data, char decimalSeparator);
std::vector<std::string> ChannelBlock(const CaseData& data, char decimalSeparator);
std::vector<std::string> ResultsBlock(const CaseData& data, char decimalSeparator);

// A value of the channel or results block: its CaseData field by name and by
// pointer, and the caption it is reported under (UTF-8, with its unit).
struct ReportedValue {
    std::string_view name;
    std::string_view caption;
    double CaseData::*field;
};

// The values of the two computed blocks, in report order.
const std::vector<ReportedValue>& ChannelValues();
const std::vector<ReportedValue>& ResultValues();

// Builds a label of `width` bytes: `indent` blanks, the caption, blank padding,
// "=" at byte width − 2 and two blanks.
std::string ValueLabel(int indent, std::string_view caption, int width);

}  // namespace vortane
