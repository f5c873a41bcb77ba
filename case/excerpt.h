#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vortane {

// The characters of `text` a message quotes at most.
inline constexpr std::size_t ExcerptLimit = 60;

// `text` as a message quotes it: whole when it holds at most `limit` UTF-8
// characters, else its first ones followed by "…", so that no message, and no
// window showing one, grows with what the user typed.
std::string Excerpt(std::string_view text, std::size_t limit = ExcerptLimit);

}  // namespace vortane
