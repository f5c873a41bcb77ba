#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "case/input_fields.h"
#include "report/report_layout.h"
#include "study/sweep_run.h"

namespace vortane {

// The results a sweep's chart offers first: the total pressure drop, the power
// and the temperature rise.
const std::vector<ReportedValue>& MainSweepQuantities();

// One curve of a quantity against the first swept field: its x are the values
// of that field as the run reads them, its y NaN where a point stopped; warned
// marks the points whose run has warnings.
struct SweepCurve {
    std::string label;  // the second field's value ("Number of Revolution = 40 rpm"); empty without
    std::vector<double> x, y;
    std::vector<bool> warned;
};

// Collects a sweep's results point by point for charts: each quantity against
// the first swept field, one curve per value of the second.
class SweepCurves {
public:
    SweepCurves(const SweepPlan& plan, std::vector<ReportedValue> quantities);
    void Add(const PointResult& point);

    const std::vector<ReportedValue>& Quantities() const { return quantities_; }
    std::size_t CurveCount() const;
    SweepCurve Curve(std::size_t quantity, std::size_t curve) const;

private:
    const SweepPlan& plan_;
    std::vector<ReportedValue> quantities_;
    std::vector<double> x_;                    // the first field's values
    std::vector<std::vector<double>> values_;  // per quantity, per point
    std::vector<bool> warned_;                 // per point
};

// The caption of a value without its unit: "Total Pressure Drop".
std::string_view QuantityName(std::string_view caption);

// "Number of Revolution = 40 rpm" for the caption "Number of Revolution (rpm)".
std::string SweptValueLabel(const InputField& field, std::string_view text);

}  // namespace vortane
