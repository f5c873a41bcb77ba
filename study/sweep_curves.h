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

// A numeric column of the table of runs as a sweep's chart shows it: its
// name ("TemperatureRise", as limits name it), its caption with the unit, and
// its place in RunColumns().
struct SweepQuantity {
    std::string name;
    std::string caption;
    std::size_t column;
};

// The quantity of a value of the report's channel or results block.
SweepQuantity QuantityOf(const ReportedValue& value);

// Every numeric column a sweep can chart: the three main ones first, then the
// other values of the report's channel and results blocks, then the design
// indicators under their captions.
std::vector<SweepQuantity> ChartableQuantities();

// One curve of a quantity against a swept field: its x are the values
// of that field as the run reads them, its y NaN where a point stopped; warned
// marks the points whose run has warnings.
struct SweepCurve {
    std::string label;  // the second field's value ("Number of Revolution = 40 rpm"); empty without
    std::vector<double> x, y;
    std::vector<bool> warned;
    std::vector<std::size_t> points;  // the sweep's point of each x
};

// A sweep's results as charts: each quantity against one swept field (`along`,
// the first unless told), one curve per value of the other; read from a
// SweepTable as far as it has come.
class SweepCurves {
public:
    // Over a table of its own, filled by Add.
    SweepCurves(const SweepPlan& plan, const std::vector<ReportedValue>& quantities);
    // Over a table another fills, which outlives the curves.
    SweepCurves(const SweepTable& table, const std::vector<ReportedValue>& quantities);
    // Any numeric columns, against swept field `along` (0 or 1; a second
    // only with two fields, else a std::logic_error).
    SweepCurves(const SweepTable& table, std::vector<SweepQuantity> quantities, std::size_t along);

    // The next point, into the curves' own table; a std::logic_error over a
    // table another fills.
    void Add(const PointResult& point);

    const std::vector<SweepQuantity>& Quantities() const { return quantities_; }
    const SweepTable& Table() const { return table_; }
    std::size_t Along() const { return along_; }
    std::size_t CurveCount() const;
    SweepCurve Curve(std::size_t quantity, std::size_t curve) const;

private:
    void Prepare();

    std::unique_ptr<SweepTable> own_;
    const SweepTable& table_;
    std::vector<SweepQuantity> quantities_;
    std::size_t along_ = 0;
    std::vector<double> x_;  // the values of field `along`
};

// The caption of a value without its unit: "Total Pressure Drop".
std::string_view QuantityName(std::string_view caption);

// The values of a swept field as the run reads them, NaN where it cannot.
std::vector<double> AxisValues(const SweepAxis& axis, char decimalSeparator);

// "Number of Revolution = 40 rpm" for the caption "Number of Revolution (rpm)".
std::string SweptValueLabel(const InputField& field, std::string_view text);

}  // namespace vortane
