#pragma once

#include <string>
#include <string_view>

namespace vortane {

// UTF-8 text in the report's code page 932 (Shift_JIS): ℃ becomes 0x81 0x8E.
// Throws std::runtime_error for a character the code page lacks.
std::string ToCodePage932(std::string_view utf8);

}  // namespace vortane
