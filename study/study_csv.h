#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/profile_along_channels.h"
#include "study/sweep_run.h"

namespace vortane {

// A double as printf's "%.17g" writes it in the C locale: enough digits to
// read back the same double.
std::string CsvNumber(double value);

// A field of a CSV line, in double quotes (doubled inside) when it holds a
// comma, a quote or a line break.
std::string CsvField(std::string_view text);

// "complete", or the stage that stopped the run: "input", "file", "channel",
// "pressure", "nonconvergent", "fault".
std::string_view OutcomeName(RunOutcome outcome);

// The sweep's CSV: Point, the swept fields, Outcome, Passes, Message, the
// values of the report's channel and results blocks, the design indicators
// (their units in the header) and Warnings, joined by "; ". A row carries the
// values its run's report would hold: the channel block's from the pressure
// step on, the results block's and the indicators when complete; the others
// are empty.
std::string SweepHeader(const SweepPlan& plan);
std::string SweepRow(const SweepPlan& plan, const PointResult& point);

// A single run's CSV: the sweep's columns without swept fields, one row.
std::string SingleRunCsv(const RunResult& run);

// The profile along the channels: z, y, 1 − y, p1, p2 and the two pressures
// in kgf/cm2, one line per point.
std::string ProfileCsv(const std::vector<ChannelPoint>& points);

}  // namespace vortane
