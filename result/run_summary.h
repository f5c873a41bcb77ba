#pragma once

#include <string>
#include <vector>

#include "case/units.h"
#include "model/profile_along_channels.h"
#include "run/calculation_run.h"

namespace vortane {

// One value of a run's summary: its name, the caption it is shown under
// (UTF-8, with its unit), its text in the user's notation, the number in that
// unit and what it measures.
struct SummaryValue {
    std::string name;
    std::string caption;
    std::string text;
    double value;
    Quantity quantity = Quantity::Dimensionless;
};

// What a run found, for a front end to show: the channel characteristics and
// the results as the report writes them, the absolute pressures at the channel
// ends, the passes, the design indicators and the profile along the
// channels; or, for a run that stopped, what stopped it, why, and the blocks its
// report holds; and the warnings either way.
struct RunSummary {
    std::vector<SummaryValue> channel;     // when the report holds the channel block
    std::vector<SummaryValue> results;     // when the run completed
    std::vector<SummaryValue> indicators;  // when the run completed
    std::vector<std::string> warnings;
    std::string stop;    // the message or fault that ended the run; empty when complete
    std::string detail;  // why it stopped, beyond that message
    std::string blocksHeld;             // "input, channel and results blocks", ...
    std::vector<ChannelPoint> profile;  // z = 0 ... 1 in 100 steps, when complete; technical metric
    std::string profileFault;
};

// In technical metric the values are as the report writes them; in another
// system those of a quantity with another unit are converted, their captions
// name that unit and their texts have seven significant digits.
RunSummary SummarizeRun(const RunResult& run, char decimalSeparator, UnitSystem system = UnitSystem::Metric);

}  // namespace vortane
