#include "result/limit_check.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "case/excerpt.h"
#include "case/number_text.h"
#include "report/value_in_system.h"
#include "result/unit_caption.h"

namespace vortane {

namespace {

std::string_view NameWithoutUnit(std::string_view name) { return name.substr(0, name.find(" (")); }

bool HoldsNumbers(const RunColumn& column) {
    return column.kind != RunColumn::Kind::Passes && !HoldsText(column.kind);
}

}  // namespace

const RunColumn* LimitColumn(const std::string& quantity) {
    for (const RunColumn& column : RunColumns()) {
        if (HoldsNumbers(column) && NameWithoutUnit(column.name) == quantity) return &column;
    }
    return nullptr;
}

std::vector<std::string> LimitQuantities() {
    std::vector<std::string> names;
    for (const RunColumn& column : RunColumns()) {
        if (HoldsNumbers(column)) names.emplace_back(NameWithoutUnit(column.name));
    }
    return names;
}

std::string UnknownQuantityText(std::string_view quantity) {
    const std::vector<std::string> quantities = LimitQuantities();
    const std::vector<std::string_view> names(quantities.begin(), quantities.end());
    std::string text = "unknown quantity " + UnknownName(quantity, names);
    if (!NearestName(quantity, names)) {
        std::string known;
        for (const std::string_view name : names) known += (known.empty() ? "" : ", ") + std::string(name);
        text += "; the quantities are " + known;
    }
    return text;
}

std::vector<const RunColumn*> LimitColumns(std::span<const Limit> limits) {
    std::vector<const RunColumn*> columns;
    for (const Limit& limit : limits) {
        const RunColumn* column = LimitColumn(limit.quantity);
        if (column == nullptr)
            throw LimitError("limit \"" + Excerpt(LimitText(limit)) + "\": " + UnknownQuantityText(limit.quantity));
        columns.push_back(column);
    }
    return columns;
}

std::size_t ColumnIndex(const RunColumn& column) {
    return static_cast<std::size_t>(&column - RunColumns().data());
}

Quantity MarginQuantity(const RunColumn& column) {
    return column.quantity == Quantity::Temperature ? Quantity::TemperatureDifference : column.quantity;
}

std::string QuantityCaption(const std::string& quantity, UnitSystem system) {
    const RunColumn* column = LimitColumn(quantity);
    return column == nullptr ? quantity : ColumnCaption(*column, system);
}

std::string LimitCaption(const Limit& limit, UnitSystem system, char decimalSeparator) {
    const RunColumn* column = LimitColumn(limit.quantity);
    if (column == nullptr) return LimitText(limit);
    return ColumnCaption(*column, system) + (limit.bound == LimitBound::AtMost ? " ≤ " : " ≥ ") +
           TypedValueTextIn(limit.value, column->quantity, system, decimalSeparator);
}

LimitMargin MarginOf(const Limit& limit, std::optional<double> value) {
    if (!value || !std::isfinite(*value)) return {};
    const double margin = limit.bound == LimitBound::AtMost ? limit.value - *value : *value - limit.value;
    const double scale = limit.value == 0 ? 1.0 : std::fabs(limit.value);
    return {value, margin, margin / scale, margin >= 0};
}

std::vector<LimitMargin> LimitMargins(std::span<const Limit> limits, std::span<const RunColumn* const> columns,
                                      const RunResult& run) {
    std::vector<LimitMargin> margins;
    margins.reserve(limits.size());
    for (std::size_t i = 0; i < limits.size(); ++i)
        margins.push_back(MarginOf(limits[i], ColumnNumber(*columns[i], run)));
    return margins;
}

bool Feasible(RunOutcome outcome, WarningKinds raised, WarningKinds accepted, std::span<const LimitMargin> margins) {
    return outcome == RunOutcome::Complete && raised.Without(accepted).Empty() &&
           std::all_of(margins.begin(), margins.end(), [](const LimitMargin& margin) { return margin.holds; });
}

std::string UnacceptedWarningsText(WarningKinds raised, WarningKinds accepted) {
    const WarningKinds unaccepted = raised.Without(accepted);
    return unaccepted.Empty() ? std::string() : "warns of " + WarningKindsText(unaccepted);
}

namespace {

// The limits that fail, each as `named(limit, value)` gives it, joined by "; ".
template <class Named>
std::string FailedLimits(std::span<const Limit> limits, std::span<const LimitMargin> margins, Named named) {
    std::string text;
    for (std::size_t i = 0; i < limits.size(); ++i) {
        if (margins[i].holds) continue;
        text += (text.empty() ? "" : "; ") + named(limits[i], margins[i].value);
    }
    return text;
}

std::string Joined(const std::string& warns, const std::string& fails) {
    return warns + (warns.empty() || fails.empty() ? "" : "; ") + fails;
}

}  // namespace

std::string InfeasibleText(WarningKinds raised, WarningKinds accepted, std::span<const Limit> limits,
                           std::span<const LimitMargin> margins) {
    return Joined(UnacceptedWarningsText(raised, accepted), FailedLimitsText(limits, margins));
}

std::string AcceptanceText(WarningKinds accepted) {
    return accepted.Empty() ? std::string() : "accepting warnings of " + WarningKindsText(accepted);
}

std::vector<std::string> FoundWarningLines(const RunResult& run, WarningKinds accepted) {
    std::vector<std::string> lines;
    if (!accepted.Empty()) lines.push_back(AcceptanceText(accepted));
    for (const std::string& warning : run.warnings) lines.push_back("warning: " + warning);
    return lines;
}

std::string FailedLimitsText(std::span<const Limit> limits, std::span<const LimitMargin> margins) {
    return FailedLimits(limits, margins, [](const Limit& limit, std::optional<double> value) {
        return LimitText(limit) + " (" + (value ? FormatShortest(*value, '.') : std::string("not computed")) + ")";
    });
}

std::string InfeasibleCaption(WarningKinds raised, WarningKinds accepted, std::span<const Limit> limits,
                              std::span<const LimitMargin> margins, UnitSystem system, char decimalSeparator) {
    const std::string fails =
        FailedLimits(limits, margins, [&](const Limit& limit, std::optional<double> value) {
            const RunColumn* column = LimitColumn(limit.quantity);
            const std::string found = !value              ? std::string("not computed")
                                      : column == nullptr ? FormatShortest(*value, decimalSeparator)
                                                          : ValueTextIn(*value, column->quantity, system, decimalSeparator);
            return LimitCaption(limit, system, decimalSeparator) + " (" + found + ")";
        });
    return Joined(UnacceptedWarningsText(raised, accepted), fails);
}

std::string_view WarningKindMeaning(WarningKind kind) {
    switch (kind) {
        case WarningKind::SoundRange: return "an input outside its sound range";
        case WarningKind::UnmeltedFeed: return "the feed cannot melt completely";
        case WarningKind::NegativePressure: return "the pressure in a channel falls below zero";
        case WarningKind::NegativePower: return "the power comes out negative";
        case WarningKind::FittedRange: return "the viscosity law used outside the data it was fitted on";
    }
    return {};
}

}  // namespace vortane
