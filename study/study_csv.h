#pragma once

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

// The sweep's CSV: Point, the swept fields as typed, then the columns of
// RunColumns.
std::string SweepHeader(const SweepPlan& plan);
std::string SweepRow(const SweepPlan& plan, const PointResult& point);

// A single run's CSV: the sweep's columns without swept fields, one row.
std::string SingleRunCsv(const RunResult& run);

// The profile along the channels: z, y, 1 − y, p1, p2 and the two pressures
// in kgf/cm2, one line per point.
std::string ProfileCsv(const std::vector<ChannelPoint>& points);

}  // namespace vortane
