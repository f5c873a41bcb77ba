#pragma once

#include <string>
#include <vector>

#include "chart/chart.h"

namespace vortane {

// The ticks of a chart's axes, shared by its renderers.

// An axis range widened to whole steps of 1, 2 or 5 times a power of ten, about
// `targetTicks` of them; an empty range is widened around its value.
struct AxisScale {
    double low, high, step;
};
AxisScale NiceScale(double low, double high, int targetTicks = 6);

// The step of 1, 2 or 5 times a power of ten nearest above or below `raw`
// (which is positive): 0.013 gives 0.01, 0.04 gives 0.05.
double RoundStep(double raw);

// The round ticks NiceScale gives over [low, high] that lie within it, for an
// axis that spans exactly that range (the cells of a map).
std::vector<double> TicksWithin(double low, double high);

// A logarithmic axis over decimal logarithms from `low` to `high`: whole
// decades, a tick every decade, or every few when they are many.
AxisScale DecadeScale(double low, double high);

// The label of the decade 10^exponent: "0.01", "1", "1000", "1E6".
std::string DecadeLabel(double exponent);

// The tick values of a scale, from low to high.
std::vector<double> TickValues(const AxisScale& scale);

// The decimals a tick label of a linear axis shows: as many as its step needs.
int TickDecimals(double step);

// A tick value with those decimals.
std::string TickLabel(double value, double step);

// A value as an axis places it: itself, or on a log axis its decimal
// logarithm, NaN (a gap) where it has none.
double AxisValue(double value, Scale scale);

// The scale of the x axis over every finite x, and of a panel's left or right
// axis over the finite y of the series on it; a log axis in decades.
AxisScale XScale(const Chart& chart);
AxisScale YScale(const ChartPanel& panel, bool right);

}  // namespace vortane
