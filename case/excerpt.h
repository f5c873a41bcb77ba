#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace vortane {

// The characters of `text` a message quotes at most.
inline constexpr std::size_t ExcerptLimit = 60;

// `text` as a message quotes it: whole when it holds at most `limit` UTF-8
// characters, else its first ones followed by "…", so that no message, and no
// window showing one, grows with what the user typed.
std::string Excerpt(std::string_view text, std::size_t limit = ExcerptLimit);

// `text` with its ASCII letters in lower case, for names compared ignoring case.
std::string LowerCase(std::string_view text);

// The candidate a misspelt `name` most likely meant: the nearest by edit
// distance, ignoring case, when at most a third of its letters (and at least
// two) differ; none when none is that near.
std::optional<std::string_view> NearestName(std::string_view name, std::span<const std::string_view> candidates);

// An unknown name as a message quotes it: its Excerpt, then
// " (did you mean NEAREST?)" when one of `candidates` is near enough.
std::string UnknownName(std::string_view name, std::span<const std::string_view> candidates);

}  // namespace vortane
