#pragma once

#include <iosfwd>
#include <string_view>

#include "case/error.h"

namespace vortane::cli {

// How vortane-calc ends. LimitFails: a single run complete, a limit it was
// given not met.
enum ExitStatus { Complete = 0, Stopped = 1, Usage = 2, Fault = 3, LimitFails = 4, Interrupted = 130 };

// For the exception being handled: writes its line "vortane-calc: TEXT" to
// `err` and returns its status. Input refused before anything runs (the command
// line, a case file, a sweep, a limit, a report's name, measurements) is Usage, a command line that
// cannot be read at all followed by a blank line and `usage` when that is not
// empty; anything else (an output, an arithmetic fault) is Fault.
int ReportFailure(std::ostream& err, std::string_view usage);

// Standard output could not be written.
class OutputError : public Error {
public:
    using Error::Error;
};

// `bytes` on standard output, flushed; an OutputError when they cannot be written.
void WriteStandardOutput(std::string_view bytes);

}  // namespace vortane::cli
