#pragma once

#include <string_view>

namespace vortane {

// The blanks around the parts of the texts people type: spaces and tabs.
constexpr bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// `text` without the blanks before and after it.
constexpr std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

}  // namespace vortane
