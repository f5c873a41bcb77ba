#include "case/excerpt.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace vortane {

namespace {

bool StartsCharacter(char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }

// Levenshtein distance between a and b, letters compared without case.
std::size_t EditDistance(std::string_view a, std::string_view b) {
    const auto same = [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    };
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({above + 1, row[j - 1] + 1, diagonal + (same(a[i - 1], b[j - 1]) ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

}  // namespace

std::string Excerpt(std::string_view text, std::size_t limit) {
    std::size_t characters = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (!StartsCharacter(text[at])) continue;
        if (characters == limit) return std::string(text.substr(0, at)) + "\u2026";
        ++characters;
    }
    return std::string(text);
}

std::string LowerCase(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

std::optional<std::string_view> NearestName(std::string_view name, std::span<const std::string_view> candidates) {
    std::optional<std::string_view> nearest;
    std::size_t best = std::max<std::size_t>(2, name.size() / 3) + 1;
    for (const std::string_view candidate : candidates) {
        const std::size_t distance = EditDistance(name, candidate);
        if (distance < best) {
            best = distance;
            nearest = candidate;
        }
    }
    return nearest;
}

std::string UnknownName(std::string_view name, std::span<const std::string_view> candidates) {
    std::string text = Excerpt(name);
    if (const std::optional<std::string_view> nearest = NearestName(name, candidates))
        text += " (did you mean " + std::string(*nearest) + "?)";
    return text;
}

}  // namespace vortane
