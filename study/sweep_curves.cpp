#include "study/sweep_curves.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

#include "case/number_text.h"
#include "result/indicator_table.h"
#include "result/run_table.h"

namespace vortane {

namespace {

constexpr double Gap = std::numeric_limits<double>::quiet_NaN();

const ReportedValue& ResultValue(std::string_view name) {
    for (const ReportedValue& value : ResultValues())
        if (value.name == name) return value;
    throw std::logic_error("no reported value " + std::string(name));
}

std::vector<SweepQuantity> QuantitiesOf(const std::vector<ReportedValue>& values) {
    std::vector<SweepQuantity> quantities;
    quantities.reserve(values.size());
    for (const ReportedValue& value : values) quantities.push_back(QuantityOf(value));
    return quantities;
}

// The column of RunColumns() that holds a value of the report's channel or
// results block.
std::size_t RunColumnOf(const ReportedValue& value) {
    const std::vector<RunColumn>& columns = RunColumns();
    for (std::size_t c = 0; c < columns.size(); ++c)
        if ((columns[c].kind == RunColumn::Kind::Channel || columns[c].kind == RunColumn::Kind::Results) &&
            columns[c].field == value.field)
            return c;
    throw std::logic_error("no run column for " + std::string(value.name));
}

}  // namespace

// The axis spans every value, so the points that stopped show as gaps.
std::vector<double> AxisValues(const SweepAxis& axis, char decimalSeparator) {
    std::vector<double> values;
    for (const std::string& text : axis.texts)
        values.push_back(ConvertReal(text, decimalSeparator).value_or(Gap));
    return values;
}

SweepQuantity QuantityOf(const ReportedValue& value) {
    return {std::string(value.name), std::string(value.caption), RunColumnOf(value)};
}

std::vector<SweepQuantity> ChartableQuantities() {
    std::vector<SweepQuantity> quantities = QuantitiesOf(MainSweepQuantities());
    for (const auto* block : {&ChannelValues(), &ResultValues()})
        for (const ReportedValue& value : *block)
            if (std::none_of(quantities.begin(), quantities.end(),
                             [&](const SweepQuantity& q) { return q.name == value.name; }))
                quantities.push_back(QuantityOf(value));
    const std::vector<RunColumn>& columns = RunColumns();
    std::size_t indicator = 0;
    for (std::size_t c = 0; c < columns.size(); ++c)
        if (columns[c].kind == RunColumn::Kind::Indicator) {
            const IndicatorColumn& shown = IndicatorColumns()[indicator++];
            quantities.push_back({std::string(shown.name), std::string(shown.caption), c});
        }
    return quantities;
}

const std::vector<ReportedValue>& MainSweepQuantities() {
    static const std::vector<ReportedValue> quantities{
        ResultValue("TotalPressureDrop"), ResultValue("PowerKW"), ResultValue("TemperatureRise")};
    return quantities;
}

SweepCurves::SweepCurves(const SweepPlan& plan, const std::vector<ReportedValue>& quantities)
    : own_(std::make_unique<SweepTable>(plan)), table_(*own_), quantities_(QuantitiesOf(quantities)) {
    Prepare();
}

SweepCurves::SweepCurves(const SweepTable& table, const std::vector<ReportedValue>& quantities)
    : table_(table), quantities_(QuantitiesOf(quantities)) {
    Prepare();
}

SweepCurves::SweepCurves(const SweepTable& table, std::vector<SweepQuantity> quantities, std::size_t along)
    : table_(table), quantities_(std::move(quantities)), along_(along) {
    if (along_ >= table_.Plan().axes.size()) throw std::logic_error("no swept field to chart against");
    Prepare();
}

void SweepCurves::Prepare() {
    x_ = AxisValues(table_.Plan().axes[along_], table_.Plan().decimalSeparator);
}

void SweepCurves::Add(const PointResult& point) {
    if (!own_) throw std::logic_error("these sweep curves read a table filled elsewhere");
    own_->Add(point);
}

std::size_t SweepCurves::CurveCount() const {
    const SweepPlan& plan = table_.Plan();
    return plan.axes.size() > 1 ? plan.axes[1 - along_].texts.size() : 1;
}

// A point not yet run, or one that stopped, is a gap; a point is warned when it
// completed with warnings.
SweepCurve SweepCurves::Curve(std::size_t quantity, std::size_t curve) const {
    const SweepPlan& plan = table_.Plan();
    const std::size_t curves = CurveCount();
    SweepCurve out;
    if (plan.axes.size() > 1) {
        const SweepAxis& across = plan.axes[1 - along_];
        out.label = SweptValueLabel(*across.field, across.texts[curve]);
    }
    out.x = x_;
    out.y.assign(x_.size(), Gap);
    out.warned.assign(x_.size(), false);
    for (std::size_t i = 0; i < x_.size(); ++i) {
        // The first field varies slowest.
        const std::size_t point = along_ == 0 ? i * curves + curve : curve * x_.size() + i;
        out.points.push_back(point);
        if (point >= table_.Size() || table_.Outcome(point) != RunOutcome::Complete) continue;
        out.y[i] = table_.Number(point, quantities_[quantity].column).value_or(Gap);
        out.warned[i] = table_.HasWarnings(point);
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
