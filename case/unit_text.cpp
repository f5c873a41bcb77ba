#include "case/unit_text.h"

#include <cctype>
#include <optional>

#include "case/excerpt.h"
#include "case/exact_quotient.h"
#include "case/number_text.h"
#include "case/units.h"

namespace vortane {

namespace {

// Where the number of a text ends: blanks, sign, digits, separator, digits,
// then an exponent when E or e is followed by digits.
std::size_t NumberEnd(std::string_view text, char separator) {
    std::size_t i = 0;
    const auto digits = [&] {
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])) != 0) ++i;
    };
    while (i < text.size() && text[i] == ' ') ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    digits();
    if (i < text.size() && text[i] == separator) ++i, digits();
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        if (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j])) != 0) {
            i = j;
            digits();
        }
    }
    return i;
}

void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

// A unit symbol as written in many ways, in one: lower case, no blanks, "." for
// a product, "c" and "f" for the degrees, "h" for an hour, digits for powers.
std::string Normalized(std::string_view symbol) {
    std::string text;
    for (const char c : symbol)
        if (c != ' ') text += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (const auto& [from, to] : {std::pair<std::string_view, std::string_view>{"·", "."},
                                   {"*", "."}, {"℃", "c"}, {"℉", "f"}, {"°c", "c"}, {"°f", "f"},
                                   {"degc", "c"}, {"degf", "f"}, {"²", "2"}, {"³", "3"}, {"hr", "h"}})
        ReplaceAll(text, from, to);
    return text;
}

// Whether what follows a number is meant as a unit: after blanks, anything
// that starts with a letter, a degree sign or "1/"; right after the number,
// only a unit of some quantity ("0.52mm"), so that a mistyped number ("12x",
// "1.5E") is refused by the run as any other text it cannot read.
bool LooksLikeUnit(std::string_view rest) {
    const std::size_t start = rest.find_first_not_of(' ');
    if (start == std::string_view::npos) return false;
    const std::string_view symbol = rest.substr(start);
    const bool unitLike = std::isalpha(static_cast<unsigned char>(symbol[0])) != 0 ||
                          symbol.starts_with("°") || symbol.starts_with("℃") ||
                          symbol.starts_with("℉") || symbol.starts_with("1/");
    if (!unitLike) return false;
    if (start > 0) return true;
    const std::string wanted = Normalized(symbol);
    for (int q = 0; q <= static_cast<int>(Quantity::Time); ++q)
        for (const Unit& unit : UnitsOf(static_cast<Quantity>(q)))
            if (Normalized(unit.symbol) == wanted) return true;
    return false;
}

std::string UnitList(Quantity quantity) {
    std::string list;
    for (const Unit& unit : UnitsOf(quantity)) list += (list.empty() ? "" : ", ") + std::string(unit.symbol);
    return list;
}

const Unit* UnitNamed(Quantity quantity, std::string_view symbol) {
    const std::string wanted = Normalized(symbol);
    for (const Unit& unit : UnitsOf(quantity))
        if (Normalized(unit.symbol) == wanted) return &unit;
    return nullptr;
}

std::string Converted(std::string_view number, const Unit& unit, char separator) {
    const std::optional<RealText> parts = ParseRealText(number, separator);
    std::optional<ExactQuotient> value = parts ? ExactQuotientOf(*parts) : std::nullopt;
    const ExactQuotient factor = *ExactQuotientOf(unit.factor);
    const ExactQuotient offset = *ExactQuotientOf(unit.offset);
    if (value) value = Product(*value, factor);
    if (value) value = Sum(*value, offset);
    if (value) {
        if (const std::optional<std::string> exact = ExactDecimalText(*value, separator)) return *exact;
        return FormatShortest(static_cast<double>(ExtendedOf(*value)), separator);
    }
    const std::optional<double> typed = ConvertReal(number, separator);
    if (!typed) return std::string(number);  // the run refuses it as it refuses any bad number
    return FormatShortest(
        static_cast<double>(static_cast<long double>(*typed) * ExtendedOf(factor) + ExtendedOf(offset)),
        separator);
}

// A value typed with a unit that no such quantity has: a temperature below
// absolute zero, a negative length or throughput. It is judged as the run
// reads the converted text, so a text at absolute zero itself passes.
void CheckPossible(const InputField& field, std::string_view typed, const std::string& converted,
                   char separator) {
    const std::optional<double> value = ConvertReal(converted, separator);
    if (!value) return;
    const std::string is = std::string(field.name) + " \"" + Excerpt(typed) + "\" is " + converted + " " +
                           std::string(UnitsOf(field.quantity).front().symbol);
    const auto refuse = [&](const std::string& why) { throw UnitError(is + why, {{}, {}, &field}); };
    switch (field.quantity) {
        case Quantity::Temperature:
            if (*value < AbsoluteZero)
                refuse(", below absolute zero (" + FormatShortest(AbsoluteZero, separator) + " ℃)");
            break;
        case Quantity::Length:
            if (*value < 0) refuse(": a length cannot be negative");
            break;
        case Quantity::Throughput:
            if (*value < 0) refuse(": a throughput cannot be negative");
            break;
        default: break;
    }
}

}  // namespace

std::string TextInBoxUnit(const InputField& field, std::string_view text, char decimalSeparator) {
    if (field.conversion == InputField::Conversion::Integer) return std::string(text);
    const std::size_t end = NumberEnd(text, decimalSeparator);
    const std::string_view rest = text.substr(end);
    if (end == 0 || !LooksLikeUnit(rest)) return std::string(text);
    const std::string_view symbol = rest.substr(rest.find_first_not_of(' '));
    const std::string name(field.name);
    const std::string quoted = name + " \"" + Excerpt(text) + "\": ";
    if (field.quantity == Quantity::Dimensionless)
        throw UnitError(quoted + name + " takes a plain number, no unit", {{}, {}, &field});
    const Unit* unit = UnitNamed(field.quantity, symbol);
    if (unit == nullptr)
        throw UnitError(quoted + "the unit " + Excerpt(symbol) + " is not one " + name +
                            " takes: " + UnitList(field.quantity),
                        {{}, {}, &field});
    std::string converted = Converted(text.substr(0, end), *unit, decimalSeparator);
    CheckPossible(field, text, converted, decimalSeparator);
    return converted;
}

}  // namespace vortane
