#pragma once

#include <string>
#include <string_view>

#include "case/error.h"

namespace vortane {

// A file that cannot be read whole: "cannot read NAME: REASON"; its context
// holds the path.
class FileReadError : public Error {
public:
    using Error::Error;
};

// The bytes of the file at `path`, read whole. A file that cannot be opened, a
// directory, a device, a FIFO or a socket, and a read that fails part-way are
// a FileReadError naming `name` (what the file is and its path).
std::string ReadWholeFile(const std::string& path, std::string_view name);

// ReadWholeFile, its failure raised as the reader's own error `E` (built from
// the message and the context), so that the reader's callers catch one type.
template <class E>
std::string ReadWholeFileAs(const std::string& path, std::string_view name) {
    try {
        return ReadWholeFile(path, name);
    } catch (const FileReadError& error) {
        throw E(error.what(), error.Context());
    }
}

}  // namespace vortane
