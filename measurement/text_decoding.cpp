#include "measurement/text_decoding.h"

#include <algorithm>
#include <array>

namespace vortane {

namespace {

using namespace std::string_view_literals;

// What Windows-1252 puts at 0x80 to 0x9F, where Latin-1 has its C1 controls;
// 0 where it puts nothing.
constexpr std::array<char16_t, 32> Windows1252High{
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

[[noreturn]] void Refuse(const std::string& found, int line) {
    throw TextDecodingError("the file is neither UTF-8, UTF-16 nor Windows-1252 text: " + found,
                            {std::nullopt, line, nullptr});
}

// "0x81", in `digits` upper-case hexadecimal digits.
std::string Hex(unsigned value, int digits) {
    std::string text = "0x";
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) text += "0123456789ABCDEF"[(value >> shift) & 0xFu];
    return text;
}

std::string ByteName(char byte) { return "byte " + Hex(static_cast<unsigned char>(byte), 2); }

// The line of the byte at `at`.
int LineOf(std::string_view bytes, std::size_t at) {
    return 1 + static_cast<int>(std::count(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(at), '\n'));
}

void AppendUtf8(std::string& text, char32_t c) {
    const auto put = [&text](unsigned bits) { text += static_cast<char>(bits); };
    if (c < 0x80) {
        put(c);
    } else if (c < 0x800) {
        put(0xC0 | (c >> 6));
        put(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        put(0xE0 | (c >> 12));
        put(0x80 | ((c >> 6) & 0x3F));
        put(0x80 | (c & 0x3F));
    } else {
        put(0xF0 | (c >> 18));
        put(0x80 | ((c >> 12) & 0x3F));
        put(0x80 | ((c >> 6) & 0x3F));
        put(0x80 | (c & 0x3F));
    }
}

// The length of the well-formed UTF-8 sequence at `at`, 0 if there is none:
// no overlong forms, no surrogates, nothing beyond U+10FFFF.
std::size_t Utf8Length(std::string_view bytes, std::size_t at) {
    const auto byte = [&](std::size_t i) -> unsigned {
        return at + i < bytes.size() ? static_cast<unsigned char>(bytes[at + i]) : 0;
    };
    const unsigned lead = byte(0);
    if (lead < 0x80) return 1;
    std::size_t length = 0;
    unsigned low = 0x80;
    unsigned high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i, low = 0x80, high = 0xBF)
        if (byte(i) < low || byte(i) > high) return 0;
    return length;
}

// Where `bytes` stop being UTF-8, or npos.
std::size_t FirstNonUtf8(std::string_view bytes) {
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t length = Utf8Length(bytes, at);
        if (length == 0) return at;
        at += length;
    }
    return std::string_view::npos;
}

std::string FromWindows1252(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size() + bytes.size() / 8);
    for (std::size_t at = 0; at < bytes.size(); ++at) {
        const auto byte = static_cast<unsigned char>(bytes[at]);
        const char32_t c = byte >= 0x80 && byte < 0xA0 ? Windows1252High[byte - 0x80] : byte;
        if (c == 0) Refuse(ByteName(bytes[at]), LineOf(bytes, at));
        AppendUtf8(text, c);
    }
    return text;
}

enum class ByteOrder { Little, Big };

std::string FromUtf16(std::string_view bytes, ByteOrder order) {
    const auto unit = [&](std::size_t at) -> char32_t {
        const auto first = static_cast<unsigned char>(bytes[at]);
        const auto second = static_cast<unsigned char>(bytes[at + 1]);
        return order == ByteOrder::Little ? first | second << 8 : first << 8 | second;
    };
    const auto isHigh = [](char32_t u) { return u >= 0xD800 && u <= 0xDBFF; };
    const auto isLow = [](char32_t u) { return u >= 0xDC00 && u <= 0xDFFF; };
    std::string text;
    text.reserve(bytes.size() / 2);
    int line = 1;
    std::size_t at = 0;
    for (; at + 1 < bytes.size(); at += 2) {
        char32_t c = unit(at);
        if (c == 0) Refuse("a NUL character", line);
        if (isHigh(c) && at + 3 < bytes.size() && isLow(unit(at + 2))) {
            at += 2;
            c = 0x10000 + ((c - 0xD800) << 10) + (unit(at) - 0xDC00);
        } else if (isHigh(c) || isLow(c)) {
            Refuse("the unpaired UTF-16 surrogate " + Hex(c, 4), line);
        }
        if (c == '\n') ++line;
        AppendUtf8(text, c);
    }
    if (at < bytes.size()) Refuse("UTF-16 text ending in half a character", line);
    return text;
}

}  // namespace

std::string DecodeText(std::string_view bytes) {
    if (bytes.starts_with("\xFF\xFE\0\0"sv) || bytes.starts_with("\0\0\xFE\xFF"sv))
        Refuse("a UTF-32 byte order mark", 1);
    if (bytes.starts_with("\xFF\xFE"sv)) return FromUtf16(bytes.substr(2), ByteOrder::Little);
    if (bytes.starts_with("\xFE\xFF"sv)) return FromUtf16(bytes.substr(2), ByteOrder::Big);
    // An ASCII character in UTF-16 is a NUL byte beside another.
    if (bytes.size() >= 2 && (bytes[0] == '\0') != (bytes[1] == '\0'))
        return FromUtf16(bytes, bytes[1] == '\0' ? ByteOrder::Little : ByteOrder::Big);

    const bool marked = bytes.starts_with("\xEF\xBB\xBF"sv);
    if (marked) bytes.remove_prefix(3);
    if (const std::size_t nul = bytes.find('\0'); nul != std::string_view::npos)
        Refuse(ByteName('\0'), LineOf(bytes, nul));
    const std::size_t invalid = FirstNonUtf8(bytes);
    if (invalid == std::string_view::npos) return std::string(bytes);
    if (marked) Refuse(ByteName(bytes[invalid]) + " after the UTF-8 byte order mark", LineOf(bytes, invalid));
    return FromWindows1252(bytes);
}

}  // namespace vortane
