#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <utility>

namespace vortane {

struct InputField;

// Where an error lies, as far as it is known: the file and its line (1-based),
// the input field.
struct ErrorContext {
    std::optional<std::string> file;
    std::optional<int> line;
    const InputField* field = nullptr;
};

// The base of every error the core raises, and of the front ends' own: its
// text is the whole message; its context lets a front end point at the cause.
class Error : public std::runtime_error {
public:
    explicit Error(const std::string& what, ErrorContext context = {})
        : std::runtime_error(what), context_(std::move(context)) {}

    const ErrorContext& Context() const { return context_; }

private:
    ErrorContext context_;
};

// What the user gave (a text, a file, an option) cannot be taken: a refusal,
// as against a fault of the program or the system. Front ends tell the two
// apart by this base alone (vortane-calc: exit status 2, not 3).
class Refusal : public Error {
public:
    using Error::Error;
};

}  // namespace vortane
