#pragma once

#include <string>
#include <string_view>

namespace vortane {

// UTF-8 text in the report's code page 932 (Shift_JIS). The report's captions
// hold ASCII and one other character, ℃, which becomes 0x81 0x8E; any other
// character is a std::invalid_argument naming it.
std::string ToCodePage932(std::string_view utf8);

// A report's bytes as UTF-8: ASCII as it is, 0x81 0x8E as ℃, and any other
// byte as U+FFFD, the replacement character.
std::string FromCodePage932(std::string_view bytes);

}  // namespace vortane
