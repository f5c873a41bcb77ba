#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "case/input_fields.h"
#include "report/report_layout.h"
#include "study/sweep_run.h"
#include "study/sweep_table.h"

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

// A sweep's results as charts: each quantity (a value of the report's channel
// or results block) against the first swept field, one curve per value of the
// second; read from a SweepTable as far as it has come.
class SweepCurves {
public:
    // Over a table of its own, filled by Add.
    SweepCurves(const SweepPlan& plan, std::vector<ReportedValue> quantities);
    // Over a table another fills, which outlives the curves.
    SweepCurves(const SweepTable& table, std::vector<ReportedValue> quantities);

    // The next point, into the curves' own table; a std::logic_error over a
    // table another fills.
    void Add(const PointResult& point);

    const std::vector<ReportedValue>& Quantities() const { return quantities_; }
    std::size_t CurveCount() const;
    SweepCurve Curve(std::size_t quantity, std::size_t curve) const;

private:
    void Prepare();

    std::unique_ptr<SweepTable> own_;
    const SweepTable& table_;
    std::vector<ReportedValue> quantities_;
    std::vector<std::size_t> columns_;  // per quantity, its column of RunColumns()
    std::vector<double> x_;             // the first field's values
};

// The caption of a value without its unit: "Total Pressure Drop".
std::string_view QuantityName(std::string_view caption);

// "Number of Revolution = 40 rpm" for the caption "Number of Revolution (rpm)".
std::string SweptValueLabel(const InputField& field, std::string_view text);

}  // namespace vortane
