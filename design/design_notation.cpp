#include "design/design_notation.h"

#include <cmath>
#include <optional>

#include "case/blanks.h"
#include "case/excerpt.h"
#include "case/number_format.h"
#include "case/number_text.h"
#include "design/design_point.h"

namespace vortane {

VariedInput ParseVariedInput(std::string_view notation, char decimalSeparator) {
    const std::string quoted = Excerpt(notation) + ": ";
    const std::size_t equals = notation.find('=');
    const std::size_t colon = notation.find(':', equals == std::string_view::npos ? 0 : equals);
    if (equals == std::string_view::npos || colon == std::string_view::npos)
        throw DesignError(quoted + "expected FIELD=LOW:HIGH");
    if (decimalSeparator == ':') throw DesignError("a colon cannot be both decimal separator and range mark");
    const InputField& field = InputFieldNamed(Trimmed(notation.substr(0, equals)));
    const std::optional<double> low = ConvertReal(notation.substr(equals + 1, colon - equals - 1), decimalSeparator);
    const std::optional<double> high = ConvertReal(notation.substr(colon + 1), decimalSeparator);
    if (!low || !high) throw DesignError(quoted + "LOW and HIGH must be numbers");
    try {
        CheckVariedInput(&field, *low, *high);
    } catch (const DesignError& error) {
        throw DesignError(quoted + error.what());
    }
    return {&field, *low, *high};
}

Target ParseTarget(std::string_view notation) {
    const std::size_t equals = notation.find('=');
    if (equals == std::string_view::npos) throw DesignError(Excerpt(notation) + ": expected QUANTITY=VALUE");
    const std::string quantity(Trimmed(notation.substr(0, equals)));
    QuantityColumn(quantity);
    const std::string_view number = Trimmed(notation.substr(equals + 1));
    const std::optional<double> value = ReadNumber(number);
    if (!value || !std::isfinite(*value))
        throw DesignError(Excerpt(notation) + ": " + Excerpt(number) + " is not a number with a point");
    return {quantity, *value};
}

Objective ParseObjective(std::string_view notation) {
    const std::string_view text = Trimmed(notation);
    const std::size_t blank = text.find_first_of(" \t");
    const std::string_view verb = text.substr(0, blank);
    const bool maximise = verb == "maximise" || verb == "maximize";
    if (blank == std::string_view::npos || (!maximise && verb != "minimise" && verb != "minimize"))
        throw DesignError(Excerpt(notation) + ": expected 'minimise QUANTITY' or 'maximise QUANTITY'");
    const std::string quantity(Trimmed(text.substr(blank)));
    QuantityColumn(quantity);
    return {quantity, maximise};
}

}  // namespace vortane
