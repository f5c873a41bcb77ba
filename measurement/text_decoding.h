#pragma once

#include <string>
#include <string_view>

#include "case/error.h"

namespace vortane {

// Bytes that are none of the encodings DecodeText takes. The text says what
// was found ("the file is neither UTF-8, UTF-16 nor Windows-1252 text: byte
// 0x81"); the context holds the line it lies on.
class TextDecodingError : public Error {
public:
    using Error::Error;
};

// A text file's bytes as UTF-8, without a byte order mark, as spreadsheets
// and instrument software save them:
// - UTF-16, little or big endian, after its byte order mark, or without one
//   when the first character is ASCII (a NUL byte next to it tells the order);
// - UTF-8, with or without its byte order mark;
// - otherwise Windows-1252, and so Latin-1 but for its unprintable C1 codes.
// UTF-32, a NUL character, a byte Windows-1252 leaves undefined, invalid
// UTF-8 after the UTF-8 mark and broken UTF-16 are a TextDecodingError.
std::string DecodeText(std::string_view bytes);

}  // namespace vortane
