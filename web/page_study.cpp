#include "web/page_study.h"

#include <stdexcept>
#include <utility>

#include "design/design_point.h"
#include "document/svg_chart.h"
#include "study/study_csv.h"
#include "study/sweep_charts.h"
#include "study/sweep_curves.h"

namespace vortane::web {

PageStudy::PageStudy(SweepPlan plan, UnitSystem csvSystem)
    : plan_(std::make_unique<const SweepPlan>(std::move(plan))),
      table_(*plan_),
      cursor_(*plan_),
      csvSystem_(csvSystem),
      csv_(SweepHeader(*plan_, csvSystem)) {}

std::size_t PageStudy::Step(std::size_t points) {
    for (std::size_t i = 0; i < points && !cursor_.Done(); ++i) {
        const PointResult point = cursor_.Next();
        csv_ += SweepRow(*plan_, point, csvSystem_);
        table_.Add(point);
        if (point.run.outcome != RunOutcome::Complete)
            stops_.push_back("Point " + std::to_string(point.index + 1) + ": " + StopMessage(point.run));
    }
    return Done();
}

std::string PageStudy::Chart(std::size_t quantity, UnitSystem system) const {
    const std::vector<SweepQuantity> quantities = ChartableQuantities();
    if (quantity >= quantities.size()) throw std::out_of_range("no chartable quantity " + std::to_string(quantity));
    const SweepCurves curves(table_, {quantities[quantity]}, 0);
    vortane::Chart chart = SweepQuantityChart(*plan_, curves, 0, SweepCurveLimit, plan_->limits, system);
    if (plan_->axes.size() == 2)
        chart.map = FeasibleMap(table_, 0, plan_->limits, plan_->acceptedWarnings, system);
    return SvgElement(chart);
}

std::vector<std::string> PageStudy::Stops() const { return stops_; }

}  // namespace vortane::web
