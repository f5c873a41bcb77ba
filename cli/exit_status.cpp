#include "cli/exit_status.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ostream>

#include "case/error.h"
#include "cli/command_line.h"

namespace vortane::cli {

int ReportFailure(std::ostream& err, std::string_view usage) {
    try {
        throw;
    } catch (const Refusal& error) {  // what the user gave
        err << "vortane-calc: " << error.what() << '\n';
        if (!usage.empty() && dynamic_cast<const MalformedCommandLine*>(&error) != nullptr) err << '\n' << usage;
        return Usage;
    } catch (const std::exception& error) {  // a fault, an I/O error
        err << "vortane-calc: " << error.what() << '\n';
        return Fault;
    } catch (...) {
        err << "vortane-calc: unexpected failure\n";
        return Fault;
    }
}

void WriteStandardOutput(std::string_view bytes) {
    if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size() || std::fflush(stdout) != 0)
        throw OutputError(std::string("cannot write standard output: ") + std::strerror(errno));
}

}  // namespace vortane::cli
