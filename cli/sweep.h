#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "run/calculation_run.h"
#include "run/input_fields.h"

namespace vortane::cli {

// One swept input and the box texts it takes, in order.
struct SweepAxis {
    const InputField* field;
    std::vector<std::string> texts;
};

// The most grid points one sweep may have.
inline constexpr std::size_t SweepPointLimit = 1'000'000;

// FIELD=FROM:TO:STEP with FROM, TO and STEP decimal numbers in the user's
// notation. The values FROM + i STEP are formed exactly in decimal, so the last
// one is TO whenever the steps reach it; each is written with the decimals of
// the finest of the three. Anything else is a UsageError.
SweepAxis ParseSweepAxis(std::string_view argument, char decimalSeparator);

// A study over the grid of one or two axes (the first varies slowest); every
// other box keeps its text from `base`.
struct SweepPlan {
    InputTexts base;
    std::vector<SweepAxis> axes;
    char decimalSeparator = '.';
    std::optional<std::string> reportPattern;  // a report per point; "{n}" is its number
};

// The plan of the --sweep arguments over `base`. A field swept twice, or a grid of
// more than SweepPointLimit points, is a UsageError.
SweepPlan MakeSweepPlan(InputTexts base, const std::vector<std::string>& arguments,
                        char decimalSeparator, std::optional<std::string> reportPattern);

std::size_t PointCount(const SweepPlan& plan);

// The position of point `index` (0-based) on each axis.
std::vector<std::size_t> AxisPositions(const SweepPlan& plan, std::size_t index);

InputTexts PointTexts(const SweepPlan& plan, std::size_t index);

// `pattern` with every "{n}" replaced by `number`.
std::string ReportName(std::string_view pattern, std::size_t number);

struct PointResult {
    std::size_t index;  // 0-based; the point's number is index + 1
    RunResult run;
    std::vector<std::string> messages;  // what the run showed, faults included, in order
};

// One grid point, exactly as a run of its box texts: its report as the plan
// says, or none.
PointResult RunPoint(const SweepPlan& plan, std::size_t index);

// Runs every point of the plan on `threads` threads and hands each result to
// `consume` on the calling thread, in point order. An exception from a run or
// from `consume` stops the sweep and is rethrown.
void RunSweep(const SweepPlan& plan, unsigned threads,
              const std::function<void(const PointResult&)>& consume);

}  // namespace vortane::cli
