#include "case/field_table.h"

#include <algorithm>
#include <string_view>

#include "case/input_fields.h"

namespace vortane {

namespace {

// `text` and blanks up to `width` columns, one column a UTF-8 character; one
// blank at least.
std::string Padded(std::string_view text, std::size_t width) {
    const auto columns = static_cast<std::size_t>(std::count_if(
        text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
    return std::string(text) + std::string(columns < width ? width - columns : 1, ' ');
}

std::string_view CaptionUnit(std::string_view caption) {
    const std::size_t open = caption.rfind('(');
    const std::size_t close = caption.rfind(')');
    return open == std::string_view::npos || close < open ? "-" : caption.substr(open + 1, close - open - 1);
}

}  // namespace

std::string FieldTableText() {
    std::string text;
    for (const InputField& field : InputFields())
        text += "  " + Padded("Edit" + std::to_string(field.box), 8) + Padded(field.name, 23) +
                Padded(CaptionUnit(field.caption), 13) + std::string(field.defaultText) + '\n';
    return text;
}

}  // namespace vortane
