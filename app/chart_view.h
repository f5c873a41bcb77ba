#pragma once

class QChartView;

namespace vortane {

struct Chart;

// Shows `chart` in `view` with Qt Charts, in place of what it showed: a line
// per unbroken run of points, open circles for markers alone, red rings at
// warned points, log axes in decades, the legend at the right; hovering a
// point shows its curve and values. Several panels share the chart, each
// with an axis of its own. The title is the view's accessible description.
void ShowChart(QChartView& view, const Chart& chart);

}  // namespace vortane
