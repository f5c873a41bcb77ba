#include "case/excerpt.h"

namespace vortane {

namespace {

bool StartsCharacter(char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }

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

}  // namespace vortane
