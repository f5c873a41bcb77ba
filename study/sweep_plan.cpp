#include "study/sweep_plan.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "case/excerpt.h"
#include "case/number_text.h"
#include "chart/chart_scale.h"
#include "run/calculation_run.h"

namespace vortane {

namespace {

using Wide = std::int64_t;

// mantissa · 10^exponent, exactly.
struct Decimal {
    Wide mantissa = 0;
    int exponent = 0;
    int digits = 0;  // significant digits of the mantissa
};

constexpr int MantissaDigitLimit = 18;
constexpr int AlignedDigitLimit = 18;  // within the range of a 64-bit integer
constexpr int ExponentLimit = 100'000;  // beyond any exponent a real can use

// The exact value of a text the input boxes read, when it has at most
// MantissaDigitLimit significant digits.
std::optional<Decimal> ExactDecimal(std::string_view text, char separator) {
    const std::optional<RealText> real = ParseRealText(text, separator);
    if (!real || !ConvertReal(text, separator)) return std::nullopt;
    Decimal value;
    for (const char c : std::string(real->whole) + std::string(real->fraction)) {
        if (value.digits == 0 && c == '0') continue;
        if (++value.digits > MantissaDigitLimit) return std::nullopt;
        value.mantissa = value.mantissa * 10 + (c - '0');
    }
    int exponent = 0;
    for (const char c : real->exponent) exponent = std::min(exponent * 10 + (c - '0'), ExponentLimit);
    value.exponent = (real->exponentNegative ? -exponent : exponent) -
                     static_cast<int>(real->fraction.size());
    if (real->negative) value.mantissa = -value.mantissa;
    return value;
}

// The mantissa of `value` at the smaller `exponent`.
std::optional<Wide> Aligned(const Decimal& value, int exponent) {
    const int shift = value.exponent - exponent;
    if (value.mantissa == 0) return Wide{0};
    if (value.digits + shift > AlignedDigitLimit) return std::nullopt;
    Wide mantissa = value.mantissa;
    for (int i = 0; i < shift; ++i) mantissa *= 10;
    return mantissa;
}

std::string DigitsOf(Wide magnitude) {
    std::string digits;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(magnitude % 10)));
        magnitude /= 10;
    } while (magnitude != 0);
    return digits;
}

// mantissa · 10^exponent in plain decimal notation.
std::string DecimalText(Wide mantissa, int exponent, char separator) {
    std::string digits = DigitsOf(mantissa < 0 ? -mantissa : mantissa);
    if (exponent >= 0) {
        if (mantissa != 0) digits.append(static_cast<std::size_t>(exponent), '0');
    } else {
        const std::size_t decimals = static_cast<std::size_t>(-exponent);
        if (digits.size() <= decimals) digits.insert(0, decimals + 1 - digits.size(), '0');
        digits.insert(digits.size() - decimals, 1, separator);
    }
    return (mantissa < 0 ? "-" : "") + digits;
}

}  // namespace

SweepAxis MakeSweepAxis(const InputField& field, std::string_view from, std::string_view to,
                        std::string_view step, char decimalSeparator) {
    const std::string_view parts[] = {from, to, step};
    Decimal values[3];
    for (int i = 0; i < 3; ++i) {
        const std::optional<Decimal> value = ExactDecimal(parts[i], decimalSeparator);
        if (!value)
            throw SweepError("'" + std::string(parts[i]) + "' is not a decimal number of at most " +
                       std::to_string(MantissaDigitLimit) + " digits");
        values[i] = *value;
    }

    const int exponent = std::min({values[0].exponent, values[1].exponent, values[2].exponent});
    const std::optional<Wide> first = Aligned(values[0], exponent);
    const std::optional<Wide> last = Aligned(values[1], exponent);
    const std::optional<Wide> stride = Aligned(values[2], exponent);
    if (!first || !last || !stride)
        throw SweepError("the range is too wide for the precision of its numbers");
    if (*stride == 0) throw SweepError("STEP must not be zero");
    const Wide span = *last - *first;
    if (span != 0 && (span < 0) != (*stride < 0)) throw SweepError("STEP leads away from TO");
    const Wide steps = span / *stride;
    if (steps + 1 > static_cast<Wide>(SweepPointLimit))
        throw SweepError("more than " + std::to_string(SweepPointLimit) + " values");

    SweepAxis axis{&field, {}};
    axis.texts.reserve(static_cast<std::size_t>(steps) + 1);
    for (Wide i = 0; i <= steps; ++i)
        axis.texts.push_back(DecimalText(*first + i * *stride, exponent, decimalSeparator));
    return axis;
}

SweepAxis ParseSweepAxis(std::string_view notation, char decimalSeparator) {
    const std::size_t equals = notation.find('=');
    if (equals == std::string_view::npos) throw SweepError("expected FIELD=FROM:TO:STEP");
    const std::string_view name = notation.substr(0, equals);
    const InputField* field = &InputFieldNamed(name);
    if (decimalSeparator == ':')
        throw SweepError("a colon cannot be both decimal separator and range mark");

    const std::string_view range = notation.substr(equals + 1);
    const std::size_t first = range.find(':');
    const std::size_t second = first == std::string_view::npos ? first : range.find(':', first + 1);
    if (second == std::string_view::npos || range.find(':', second + 1) != std::string_view::npos)
        throw SweepError("expected FIELD=FROM:TO:STEP");
    return MakeSweepAxis(*field, range.substr(0, first), range.substr(first + 1, second - first - 1),
                         range.substr(second + 1), decimalSeparator);
}

SweepPlan MakeSweepPlan(InputTexts base, std::vector<SweepAxis> axes, char decimalSeparator,
                        std::optional<std::string> reportPattern) {
    if (axes.size() > SweepAxisLimit) throw SweepError("at most two swept fields");
    SweepPlan plan{std::move(base), {}, decimalSeparator, std::move(reportPattern)};
    for (SweepAxis& axis : axes) {
        for (const SweepAxis& earlier : plan.axes) {
            if (earlier.field == axis.field)
                throw SweepError(std::string(axis.field->name) + " is swept twice");
        }
        if (PointCount(plan) * axis.texts.size() > SweepPointLimit)
            throw SweepError("the grid has more than " + std::to_string(SweepPointLimit) +
                             " points");
        plan.axes.push_back(std::move(axis));
    }
    // The last point's report has the longest name.
    if (plan.reportPattern) CheckResultFileName(ReportName(*plan.reportPattern, PointCount(plan)));
    return plan;
}

std::size_t PointCount(const SweepPlan& plan) {
    std::size_t count = 1;
    for (const SweepAxis& axis : plan.axes) count *= axis.texts.size();
    return count;
}

std::vector<std::size_t> AxisPositions(const SweepPlan& plan, std::size_t index) {
    std::vector<std::size_t> positions(plan.axes.size());
    for (std::size_t a = plan.axes.size(); a-- > 0;) {
        positions[a] = index % plan.axes[a].texts.size();
        index /= plan.axes[a].texts.size();
    }
    return positions;
}

InputTexts PointTexts(const SweepPlan& plan, std::size_t index) {
    InputTexts texts = plan.base;
    const std::vector<std::size_t> positions = AxisPositions(plan, index);
    for (std::size_t a = 0; a < plan.axes.size(); ++a)
        texts[plan.axes[a].field->box - 1] = plan.axes[a].texts[positions[a]];
    return texts;
}

std::string ReportName(std::string_view pattern, std::size_t number) {
    std::string name;
    const std::string digits = std::to_string(number);
    for (std::size_t at = 0; at < pattern.size();) {
        if (pattern.substr(at, 3) == "{n}") {
            name += digits;
            at += 3;
        } else {
            name += pattern[at++];
        }
    }
    return name;
}

RunRequest PointRequest(const SweepPlan& plan, std::size_t index) {
    const bool reported = plan.reportPattern.has_value();
    return {PointTexts(plan, index), reported ? ReportName(*plan.reportPattern, index + 1) : "",
            plan.decimalSeparator, reported ? ReportTarget::File : ReportTarget::None, plan.viscosityRanges};
}

SweepRange SuggestedRange(const InputField& field, char decimalSeparator) {
    return SuggestedRange(field, ConvertReal(field.defaultText, '.').value_or(0), decimalSeparator);
}

SweepRange SuggestedRange(const InputField& field, double value, char decimalSeparator) {
    constexpr int Steps = 20;
    const double span = value == 0 ? 1 : std::fabs(value) / 2;
    double step = RoundStep(2 * span / Steps);
    if (field.conversion == InputField::Conversion::Integer) step = std::max(1.0, std::round(step));
    double from = std::ceil((value - span) / step - 1e-9) * step;
    const double to = std::floor((value + span) / step + 1e-9) * step;
    if (value > 0 && from <= 0) from = step;
    const auto text = [&](double v) {
        std::string written = TickLabel(v, step);
        std::replace(written.begin(), written.end(), '.', decimalSeparator);
        return written;
    };
    return {text(from), text(to), text(step)};
}

}  // namespace vortane
