#include "cli/study_plots.h"

#include <cmath>
#include <limits>
#include <stdexcept>

#include "report/report_layout.h"
#include "run/input_reading.h"

namespace vortane::cli {

namespace {

constexpr double Gap = std::numeric_limits<double>::quiet_NaN();
constexpr std::string_view SweptQuantities[] = {"TotalPressureDrop", "PowerKW", "TemperatureRise"};

const ReportedValue& ResultValue(std::string_view name) {
    for (const ReportedValue& value : ResultValues())
        if (value.name == name) return value;
    throw std::logic_error("no reported value " + std::string(name));
}

// A window caption without the note's asterisk and trailing blanks.
std::string_view Caption(const InputField& field) {
    std::string_view caption = field.caption;
    if (caption.substr(0, 2) == "* ") caption.remove_prefix(2);
    while (!caption.empty() && caption.back() == ' ') caption.remove_suffix(1);
    return caption;
}

// "Number of Revolution = 40 rpm" for the caption "Number of Revolution (rpm)".
std::string ValueLabel(const InputField& field, std::string_view text) {
    const std::string_view caption = Caption(field);
    const std::size_t open = caption.rfind(" (");
    if (open == std::string_view::npos || caption.back() != ')')
        return std::string(caption) + " = " + std::string(text);
    const std::string_view unit = caption.substr(open + 2, caption.size() - open - 3);
    return std::string(caption.substr(0, open)) + " = " + std::string(text) +
           (unit == "-" ? "" : " " + std::string(unit));
}

// The caption of a reported value without its unit.
std::string_view QuantityName(std::string_view caption) {
    return caption.substr(0, caption.rfind(" ("));
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

Chart ProfileChart(const std::vector<ChannelPoint>& points) {
    Panel panel{"Pressure (kgf/cm2)", "Inlet flow fraction y (-)", {}};
    Series inlet{"Inlet channel pressure p1", {}, {}, PaletteColour(0)};
    Series outlet{"Outlet channel pressure p2", {}, {}, PaletteColour(1)};
    Series fraction{"Inlet flow fraction y", {}, {}, PaletteColour(2), true, true};
    for (const ChannelPoint& p : points) {
        for (Series* s : {&inlet, &outlet, &fraction}) s->x.push_back(p.z);
        inlet.y.push_back(p.pressureInlet);
        outlet.y.push_back(p.pressureOutlet);
        fraction.y.push_back(p.inletFraction);
    }
    panel.series = {inlet, outlet, fraction};
    return {"Pressures and flow along the channels",
            "Relative position along the channels z (-)",
            {panel}};
}

SweepChartData::SweepChartData(const SweepPlan& plan)
    : plan_(plan),
      x_(AxisValues(plan.axes.front(), plan.decimalSeparator)),
      values_(std::size(SweptQuantities), std::vector<double>(PointCount(plan), Gap)) {}

void SweepChartData::Add(const PointResult& point) {
    if (point.run.outcome != RunOutcome::Complete) return;
    for (std::size_t q = 0; q < std::size(SweptQuantities); ++q)
        values_[q][point.index] = point.run.data.*ResultValue(SweptQuantities[q]).field;
}

Chart SweepChartData::Build() const {
    const SweepAxis& along = plan_.axes.front();
    const SweepAxis* across = plan_.axes.size() > 1 ? &plan_.axes[1] : nullptr;
    const std::size_t curves = across ? across->texts.size() : 1;
    const std::size_t length = along.texts.size();

    Chart chart;
    chart.title = "Mixing section against " + std::string(Caption(*along.field));
    if (across)
        chart.title += ", one curve per " + std::string(QuantityName(Caption(*across->field)));
    chart.xLabel = std::string(Caption(*along.field));
    for (std::size_t q = 0; q < std::size(SweptQuantities); ++q) {
        const ReportedValue& quantity = ResultValue(SweptQuantities[q]);
        Panel panel{std::string(quantity.caption), "", {}};
        for (std::size_t c = 0; c < curves; ++c) {
            Series series;
            if (across) {
                series.label = ValueLabel(*across->field, across->texts[c]);
                series.colour =
                    curves <= 6
                        ? PaletteColour(c)
                        : RampColour(static_cast<double>(c) / static_cast<double>(curves - 1));
            } else {
                series.label = std::string(QuantityName(quantity.caption));
                series.colour = PaletteColour(q);
            }
            series.markers = length <= 40;
            for (std::size_t i = 0; i < length; ++i) {
                const std::size_t point = i * curves + c;
                series.x.push_back(x_[i]);
                series.y.push_back(values_[q][point]);
            }
            panel.series.push_back(std::move(series));
        }
        chart.panels.push_back(std::move(panel));
    }
    return chart;
}

}  // namespace vortane::cli
