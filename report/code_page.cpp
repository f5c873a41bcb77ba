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

std::string FromCodePage932(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (std::size_t at = 0; at < bytes.size();) {
        if (static_cast<unsigned char>(bytes[at]) < 0x80) {
            out += bytes[at++];
        } else if (bytes.substr(at, DegreeCelsius932.size()) == DegreeCelsius932) {
            out += DegreeCelsius;
            at += DegreeCelsius932.size();
        } else {
            out += "\uFFFD";
            ++at;
        }
    }
    return out;
}

}  // namespace vortane
