#include "study/sweep_charts.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <optional>
#include <stdexcept>
#include <string>

#include "result/limit_check.h"
#include "result/run_table.h"
#include "case/number_format.h"
#include "case/number_text.h"
#include "result/unit_caption.h"

namespace vortane {

namespace {

// A technical metric caption ("Total Pressure Drop (kgf/cm2)") as its quantity
// and its unit in `system`.
ChartAxis AxisOfCaption(std::string_view metricCaption, Quantity measured, UnitSystem system) {
    const std::string caption = CaptionIn(metricCaption, measured, system);
    const std::string_view quantity = QuantityName(caption);
    if (quantity.size() == caption.size() || caption.back() != ')') return {std::string(caption), {}};
    return {std::string(quantity), std::string(caption.substr(quantity.size() + 2, caption.size() - quantity.size() - 3))};
}

// The curves shown of `count`: all up to `limit`, else every stride-th and the last.
std::vector<std::size_t> ShownCurves(std::size_t count, std::size_t limit) {
    const std::size_t stride = count > limit && limit > 0 ? (count + limit - 1) / limit : 1;
    std::vector<std::size_t> shown;
    for (std::size_t c = 0; c < count; ++c)
        if (c % stride == 0 || c + 1 == count) shown.push_back(c);
    return shown;
}

// The values in technical metric expressed in `system`.
std::vector<double> ValuesIn(std::vector<double> values, Quantity quantity, UnitSystem system) {
    std::transform(values.begin(), values.end(), values.begin(),
                   [&](double value) { return InSystem(value, quantity, system); });
    return values;
}

// "Number of Revolution" of a swept field.
std::string FieldName(const SweepAxis& axis) { return std::string(QuantityName(ReportCaption(*axis.field))); }

// A dashed line at the bound of each limit on `quantity` across the x range,
// named by its caption in `system`, and the points of `curve` that fail one
// marked on it.
void AddLimits(ChartPanel& panel, const SweepQuantity& quantity, std::span<const Limit> limits, UnitSystem system,
               char decimalSeparator) {
    std::vector<double> xs;
    for (const ChartSeries& series : panel.series)
        for (const double x : series.x)
            if (std::isfinite(x)) xs.push_back(x);
    if (xs.empty()) return;
    const auto [low, high] = std::minmax_element(xs.begin(), xs.end());
    for (const Limit& limit : limits) {
        if (limit.quantity != quantity.name) continue;
        for (ChartSeries& series : panel.series) {
            series.failed.resize(series.y.size());
            for (std::size_t i = 0; i < series.y.size(); ++i)
                if (std::isfinite(series.y[i]) && !MarginOf(limit, series.y[i]).holds) series.failed[i] = true;
        }
        ChartSeries line{LimitCaption(limit, system, decimalSeparator), {*low, *high}, {limit.value, limit.value}, LimitColour};
        line.dashed = line.limit = true;
        panel.series.push_back(std::move(line));
    }
}

Chart QuantitiesChart(const SweepPlan& plan, const SweepCurves& curves, const std::vector<std::size_t>& quantities,
                      std::size_t curveLimit, std::span<const Limit> limits, UnitSystem system) {
    const SweepAxis& along = plan.axes[curves.Along()];
    const SweepAxis* across = plan.axes.size() > 1 ? &plan.axes[1 - curves.Along()] : nullptr;
    const std::size_t count = curves.CurveCount();
    const std::vector<std::size_t> shown = ShownCurves(count, curveLimit);

    Chart chart;
    chart.title = (quantities.size() == 1 ? std::string(QuantityName(curves.Quantities()[quantities[0]].caption))
                                          : std::string("Mixing section")) +
                  " against " + FieldName(along);
    if (across) chart.title += ", one curve per " + FieldName(*across);
    if (shown.size() < count)
        chart.title += " (" + std::to_string(shown.size()) + " of " + std::to_string(count) + " curves)";
    chart.x = AxisOfCaption(ReportCaption(*along.field), along.field->quantity, system);
    for (const std::size_t q : quantities) {
        const SweepQuantity& quantity = curves.Quantities()[q];
        const Quantity measured = RunColumns()[quantity.column].quantity;
        ChartPanel panel{AxisOfCaption(quantity.caption, measured, system), {}, {}};
        for (const std::size_t c : shown) {
            SweepCurve curve = curves.Curve(q, c);
            ChartSeries series;
            series.label = across ? std::move(curve.label) : std::string(QuantityName(quantity.caption));
            series.colour = across ? CurveColour(c, count) : PaletteColour(q);
            series.markers = along.texts.size() <= 40;
            series.x = std::move(curve.x);
            series.y = std::move(curve.y);
            series.warned = std::move(curve.warned);
            panel.series.push_back(std::move(series));
        }
        AddLimits(panel, quantity, limits, system, plan.decimalSeparator);
        for (ChartSeries& series : panel.series) {
            series.x = ValuesIn(std::move(series.x), along.field->quantity, system);
            series.y = ValuesIn(std::move(series.y), measured, system);
        }
        chart.panels.push_back(std::move(panel));
    }
    return chart;
}

// The categories of a map's cells: feasible, stopped, not run, complete but
// raising a warning not accepted, each limit failed alone, several failed.
constexpr std::size_t StoppedCategory = 1, NotRunCategory = 2, WarnedCategory = 3, FirstLimitCategory = 4;

std::vector<MapCategory> MapCategories(std::span<const Limit> limits, WarningKinds accepted, UnitSystem system,
                                       char decimalSeparator) {
    static constexpr std::array<Colour, 6> LimitColours{{{0xf4, 0xa5, 0x82},
                                                          {0xfd, 0xd8, 0x6a},
                                                          {0xb8, 0xa9, 0xe0},
                                                          {0x8d, 0xc8, 0xe8},
                                                          {0xf2, 0xb6, 0xd0},
                                                          {0xd9, 0xc3, 0x9a}}};
    std::string feasible = limits.empty() ? "complete" : "meets every limit";
    if (!accepted.Empty()) feasible += ", " + AcceptanceText(accepted);
    std::vector<MapCategory> categories{{feasible, {0x7f, 0xc9, 0x7f}},
                                        {"stopped", {0x9e, 0x9e, 0x9e}},
                                        {"not run yet", {0xf4, 0xf4, 0xf4}},
                                        {"runs, but with a warning", {0x5b, 0x6e, 0x8c}}};
    for (std::size_t l = 0; l < limits.size(); ++l)
        categories.push_back({"fails " + LimitCaption(limits[l], system, decimalSeparator), LimitColours[l % LimitColours.size()]});
    categories.push_back({"fails several limits", {0xd6, 0x4f, 0x4f}});
    return categories;
}

std::size_t CellCategory(const SweepTable& table, std::size_t point, std::span<const Limit> limits,
                         WarningKinds accepted, std::span<const RunColumn* const> columns) {
    if (point >= table.Size()) return NotRunCategory;
    const RunOutcome outcome = table.Outcome(point);
    if (outcome != RunOutcome::Complete) return StoppedCategory;
    const WarningKinds warnings = table.Warnings(point);
    if (!warnings.Without(accepted).Empty()) return WarnedCategory;
    const RunColumn* const first = RunColumns().data();
    std::vector<LimitMargin> margins;
    for (std::size_t l = 0; l < limits.size(); ++l)
        margins.push_back(MarginOf(limits[l], table.Number(point, static_cast<std::size_t>(columns[l] - first))));
    if (Feasible(outcome, warnings, accepted, margins)) return FeasibleCategory;
    std::size_t failed = 0, which = 0;
    for (std::size_t l = 0; l < margins.size(); ++l)
        if (!margins[l].holds) {
            ++failed;
            which = l;
        }
    return failed == 1 ? FirstLimitCategory + which : FirstLimitCategory + limits.size();
}

// The edges between a feasible cell and an infeasible one that has run.
std::vector<MapSegment> Boundary(const ChartMap& map) {
    const std::vector<double> xe = CellEdges(map.xValues), ye = CellEdges(map.yValues);
    const std::size_t nx = map.xValues.size(), ny = map.yValues.size();
    const auto at = [&](std::size_t i, std::size_t j) { return map.cells[i * ny + j]; };
    const auto differ = [](std::size_t a, std::size_t b) {
        return (a == FeasibleCategory) != (b == FeasibleCategory) && a != NotRunCategory && b != NotRunCategory;
    };
    std::vector<MapSegment> boundary;
    for (std::size_t i = 0; i < nx; ++i)
        for (std::size_t j = 0; j < ny; ++j) {
            if (i + 1 < nx && differ(at(i, j), at(i + 1, j)))
                boundary.push_back({xe[i + 1], ye[j], xe[i + 1], ye[j + 1]});
            if (j + 1 < ny && differ(at(i, j), at(i, j + 1)))
                boundary.push_back({xe[i], ye[j + 1], xe[i + 1], ye[j + 1]});
        }
    return boundary;
}

}  // namespace

Chart SweepChart(const SweepPlan& plan, const SweepCurves& curves, std::size_t curveLimit,
                 std::span<const Limit> limits, UnitSystem system) {
    std::vector<std::size_t> quantities;
    for (std::size_t q = 0; q < curves.Quantities().size(); ++q) quantities.push_back(q);
    return QuantitiesChart(plan, curves, quantities, curveLimit, limits, system);
}

Chart SweepQuantityChart(const SweepPlan& plan, const SweepCurves& curves, std::size_t quantity,
                         std::size_t curveLimit, std::span<const Limit> limits, UnitSystem system) {
    return QuantitiesChart(plan, curves, {quantity}, curveLimit, limits, system);
}

namespace {

// A swept field's values as a person reads them in `system`: as typed where
// its unit stays, else in the fewest digits of the converted value.
std::vector<std::string> ShownTexts(const SweepAxis& axis, char decimalSeparator, UnitSystem system) {
    if (KeepsMetricUnit(axis.field->quantity, system)) return axis.texts;
    std::vector<std::string> texts;
    for (const std::string& text : axis.texts) {
        const std::optional<double> value = ConvertReal(text, decimalSeparator);
        texts.push_back(value ? TypedValueTextIn(*value, axis.field->quantity, system, decimalSeparator) : text);
    }
    return texts;
}

}  // namespace

ChartMap FeasibleMap(const SweepTable& table, std::size_t along, std::span<const Limit> limits,
                     WarningKinds accepted, UnitSystem system) {
    const SweepPlan& plan = table.Plan();
    if (plan.axes.size() != 2 || along > 1) throw std::logic_error("a map needs two swept fields");
    const std::vector<const RunColumn*> columns = LimitColumns(limits);
    const SweepAxis &across = plan.axes[along], &up = plan.axes[1 - along];
    ChartMap map;
    map.title = (limits.empty() ? "Complete runs over " : "Where the limits hold over ") + FieldName(across) +
                " and " + FieldName(up);
    map.y = AxisOfCaption(ReportCaption(*up.field), up.field->quantity, system);
    map.xValues = ValuesIn(AxisValues(across, plan.decimalSeparator), across.field->quantity, system);
    map.yValues = ValuesIn(AxisValues(up, plan.decimalSeparator), up.field->quantity, system);
    map.xTexts = ShownTexts(across, plan.decimalSeparator, system);
    map.yTexts = ShownTexts(up, plan.decimalSeparator, system);
    map.categories = MapCategories(limits, accepted, system, plan.decimalSeparator);
    const std::size_t nx = across.texts.size(), ny = up.texts.size();
    for (std::size_t i = 0; i < nx; ++i)
        for (std::size_t j = 0; j < ny; ++j) {
            // The first field varies slowest.
            const std::size_t point = along == 0 ? i * ny + j : j * nx + i;
            map.points.push_back(point);
            map.cells.push_back(CellCategory(table, point, limits, accepted, columns));
        }
    map.boundary = Boundary(map);
    return map;
}

namespace {

// The chartable quantity named `name`.
const SweepQuantity& ChartableQuantity(const std::string& name) {
    static const std::vector<SweepQuantity> quantities = ChartableQuantities();
    const auto found = std::find_if(quantities.begin(), quantities.end(),
                                    [&](const SweepQuantity& quantity) { return quantity.name == name; });
    if (found == quantities.end()) throw std::logic_error("no chartable quantity " + name);
    return *found;
}

// A number as a hovered cell shows it.
std::string CellNumber(double value) { return SignificantText(value, 5); }

}  // namespace

void ShadeFeasible(ChartMap& map, const SweepTable& table, const SweepQuantity& quantity, UnitSystem system) {
    const Quantity measured = RunColumns()[quantity.column].quantity;
    ChartMap::Shade shade{AxisOfCaption(quantity.caption, measured, system), {}, 0, 0};
    shade.values.assign(map.cells.size(), std::numeric_limits<double>::quiet_NaN());
    double low = std::numeric_limits<double>::infinity(), high = -low;
    for (std::size_t cell = 0; cell < map.cells.size(); ++cell) {
        if (map.cells[cell] != FeasibleCategory) continue;
        const std::optional<double> value = table.Number(map.points[cell], quantity.column);
        if (!value || !std::isfinite(*value)) continue;
        const double shown = InSystem(*value, measured, system);
        shade.values[cell] = shown;
        low = std::min(low, shown);
        high = std::max(high, shown);
    }
    if (low > high) low = high = 0;  // nothing feasible to shade
    shade.low = low;
    shade.high = high;
    map.shade = std::move(shade);
}

const std::vector<std::string>& MapCellQuantities() {
    static const std::vector<std::string> names{"TemperatureRise", "Barrier1ShearStress", "TotalPressureDrop"};
    return names;
}

std::vector<std::string> MapCellLines(const SweepTable& table, const ChartMap& map, const ChartAxis& x,
                                      std::size_t cell, std::span<const Limit> limits, UnitSystem system) {
    const std::size_t ny = map.yValues.size(), point = map.points[cell];
    std::vector<std::string> lines{"Point " + std::to_string(point + 1) + ": " +
                                   MapCellText(map, x, cell / ny, cell % ny)};
    if (point >= table.Size()) return lines;
    for (const std::string& name : MapCellQuantities()) {
        const SweepQuantity& quantity = ChartableQuantity(name);
        const Quantity measured = RunColumns()[quantity.column].quantity;
        const std::optional<double> value = table.Number(point, quantity.column);
        lines.push_back(CaptionIn(quantity.caption, measured, system) + ": " +
                        (value ? CellNumber(InSystem(*value, measured, system)) : std::string()));
    }
    const std::vector<const RunColumn*> columns = LimitColumns(limits);
    for (std::size_t l = 0; l < limits.size(); ++l) {
        const LimitMargin margin = MarginOf(limits[l], table.Number(point, ColumnIndex(*columns[l])));
        lines.push_back(LimitCaption(limits[l], system, table.Plan().decimalSeparator) + ": " +
                        (margin.margin ? "margin " + CellNumber(InSystem(*margin.margin, MarginQuantity(*columns[l]), system))
                                       : std::string("not computed")));
    }
    return lines;
}

Chart StudyChart(const SweepTable& table, const SweepCurves& curves, UnitSystem system) {
    const SweepPlan& plan = table.Plan();
    Chart chart = SweepChart(plan, curves, SweepCurveLimit, plan.limits, system);
    if (plan.axes.size() == 2) chart.map = FeasibleMap(table, 0, plan.limits, plan.acceptedWarnings, system);
    return chart;
}

}  // namespace vortane
