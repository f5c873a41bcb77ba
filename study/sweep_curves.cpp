#include "study/sweep_curves.h"

#include <limits>
#include <stdexcept>

#include "case/number_text.h"

namespace vortane {

namespace {

constexpr double Gap = std::numeric_limits<double>::quiet_NaN();

const ReportedValue& ResultValue(std::string_view name) {
    for (const ReportedValue& value : ResultValues())
        if (value.name == name) return value;
    throw std::logic_error("no reported value " + std::string(name));
}

// The swept values as the run reads them; the axis spans them all, so the
// points that stopped show as gaps.
std::vector<double> AxisValues(const SweepAxis& axis, char decimalSeparator) {
    std::vector<double> values;
    for (const std::string& text : axis.texts)
        values.push_back(ConvertReal(text, decimalSeparator).value_or(Gap));
    return values;
}

}  // namespace

const std::vector<ReportedValue>& MainSweepQuantities() {
    static const std::vector<ReportedValue> quantities{
        ResultValue("TotalPressureDrop"), ResultValue("PowerKW"), ResultValue("TemperatureRise")};
    return quantities;
}

SweepCurves::SweepCurves(const SweepPlan& plan, std::vector<ReportedValue> quantities)
    : plan_(plan),
      quantities_(std::move(quantities)),
      x_(AxisValues(plan.axes.front(), plan.decimalSeparator)),
      values_(quantities_.size(), std::vector<double>(PointCount(plan), Gap)),
      warned_(PointCount(plan), false) {}

void SweepCurves::Add(const PointResult& point) {
    if (point.run.outcome != RunOutcome::Complete) return;
    warned_[point.index] = !point.run.warnings.empty();
    for (std::size_t q = 0; q < quantities_.size(); ++q)
        values_[q][point.index] = point.run.data.*quantities_[q].field;
}

std::size_t SweepCurves::CurveCount() const {
    return plan_.axes.size() > 1 ? plan_.axes[1].texts.size() : 1;
}

SweepCurve SweepCurves::Curve(std::size_t quantity, std::size_t curve) const {
    const std::size_t curves = CurveCount();
    SweepCurve out;
    if (plan_.axes.size() > 1) out.label = SweptValueLabel(*plan_.axes[1].field, plan_.axes[1].texts[curve]);
    for (std::size_t i = 0; i < x_.size(); ++i) {
        out.x.push_back(x_[i]);
        out.y.push_back(values_[quantity][i * curves + curve]);
        out.warned.push_back(warned_[i * curves + curve]);
    }
    return out;
}

std::string_view QuantityName(std::string_view caption) {
    return caption.substr(0, caption.rfind(" ("));
}

std::string SweptValueLabel(const InputField& field, std::string_view text) {
    const std::string_view caption = ReportCaption(field);
    const std::size_t open = caption.rfind(" (");
    if (open == std::string_view::npos || caption.back() != ')')
        return std::string(caption) + " = " + std::string(text);
    const std::string_view unit = caption.substr(open + 2, caption.size() - open - 3);
    return std::string(caption.substr(0, open)) + " = " + std::string(text) +
           (unit == "-" ? "" : " " + std::string(unit));
}

}  // namespace vortane
