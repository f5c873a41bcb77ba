#include "case/limit.h"

#include <cmath>
#include <optional>
#include <utility>

#include "case/blanks.h"
#include "case/excerpt.h"
#include "case/number_format.h"
#include "case/number_text.h"

namespace vortane {

namespace {

struct Operator {
    std::string_view text;
    LimitBound bound;
};

constexpr Operator Operators[] = {
    {"<=", LimitBound::AtMost}, {">=", LimitBound::AtLeast},
    {"\u2264", LimitBound::AtMost}, {"\u2265", LimitBound::AtLeast},
};

bool IsNameCharacter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

}  // namespace

Limit ParseLimit(std::string_view text) {
    const std::string quoted = "limit \"" + Excerpt(text) + "\"";
    for (const Operator& op : Operators) {
        const std::size_t at = text.find(op.text);
        if (at == std::string_view::npos) continue;
        const std::string_view name = Trimmed(text.substr(0, at));
        const std::string_view number = Trimmed(text.substr(at + op.text.size()));
        if (name.empty()) throw LimitError(quoted + " names no quantity before " + std::string(op.text));
        for (const char c : name) {
            if (!IsNameCharacter(c))
                throw LimitError(quoted + ": " + Excerpt(name) + " is not a quantity's name");
        }
        const std::optional<double> value = ReadNumber(number);
        if (!value || !std::isfinite(*value))
            throw LimitError(quoted + ": " + Excerpt(number) + " is not a number with a point");
        return {std::string(name), op.bound, *value};
    }
    throw LimitError(quoted + " is not QUANTITY<=VALUE or QUANTITY>=VALUE");
}

std::string LimitText(const Limit& limit) {
    return limit.quantity + (limit.bound == LimitBound::AtMost ? "<=" : ">=") + FormatShortest(limit.value, '.');
}

}  // namespace vortane
