#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/profile_along_channels.h"
#include "study/run_table.h"
#include "study/sweep_run.h"

namespace vortane {

// A double as printf's "%.17g" writes it in the C locale: enough digits to
// read back the same double.
std::string CsvNumber(double value);

// A field of a CSV line, in double quotes (doubled inside) when it holds a
// comma, a quote or a line break.
std::string CsvField(std::string_view text);

// Appends "%.17g" of the value.
void AppendCsvNumber(std::string& line, double value);

// The sweep's CSV: Point, the swept fields as typed, then the columns of
// RunColumns.
std::string SweepHeader(const SweepPlan& plan);
std::string SweepRow(const SweepPlan& plan, const PointResult& point);

// Appends the CSV line of point `index` of `plan` whose cells of RunColumns
// are `text(c)` for a column that holds texts and `number(c)` for the others,
// empty where that is empty: the one layout of every sweep row, wherever its
// values are held.
template <class Number, class Text>
void AppendSweepRow(std::string& line, const SweepPlan& plan, std::size_t index, Number number, Text text) {
    line += std::to_string(index + 1);
    const std::vector<std::size_t> positions = AxisPositions(plan, index);
    for (std::size_t a = 0; a < plan.axes.size(); ++a) {
        line += ',';
        line += CsvField(plan.axes[a].texts[positions[a]]);
    }
    const std::vector<RunColumn>& columns = RunColumns();
    for (std::size_t c = 0; c < columns.size(); ++c) {
        line += ',';
        if (HoldsText(columns[c].kind))
            line += CsvField(text(c));
        else if (const std::optional<double> value = number(c))
            AppendCsvNumber(line, *value);
    }
    line += '\n';
}

// A single run's CSV: the sweep's columns without swept fields, one row.
std::string SingleRunCsv(const RunResult& run);

// The profile along the channels: z, y, 1 − y, p1, p2 and the two pressures
// in kgf/cm2, one line per point.
std::string ProfileCsv(const std::vector<ChannelPoint>& points);

}  // namespace vortane
