#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "run/input_fields.h"

namespace vortane::cli {

struct Options {
    std::string resultFileName = "result.txt";
    std::optional<char> decimalSeparator;  // the locale's when not given
    std::vector<std::pair<const InputField*, std::string>> boxTexts;  // FIELD=TEXT, in order
    bool help = false;
};

class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Throws UsageError for anything it cannot take.
Options ParseCommandLine(const std::vector<std::string_view>& arguments);

// The separator of the user's LC_NUMERIC locale; a point where it is not one
// usable byte.
char LocaleDecimalSeparator();

extern const std::string_view UsageText;

}  // namespace vortane::cli
