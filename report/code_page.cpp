#include "report/code_page.h"

#include <stdexcept>

namespace vortane {

namespace {
constexpr std::string_view DegreeCelsius = "\u2103";       // ℃ in UTF-8
constexpr std::string_view DegreeCelsius932 = "\x81\x8E";  // ℃ in code page 932
}  // namespace

std::string ToCodePage932(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t at = 0; at < utf8.size();) {
        if (static_cast<unsigned char>(utf8[at]) < 0x80) {
            out += utf8[at++];
        } else if (utf8.substr(at, DegreeCelsius.size()) == DegreeCelsius) {
            out += DegreeCelsius932;
            at += DegreeCelsius.size();
        } else {
            throw std::invalid_argument("Text not representable in the report's code page: " +
                                        std::string(utf8));
        }
    }
    return out;
}

}  // namespace vortane
