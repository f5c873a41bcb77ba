#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "case/error.h"
#include "case/input_fields.h"
#include "case/limit.h"
#include "run/calculation_run.h"

namespace vortane {

// A sweep that cannot be planned; the text says why.
class SweepError : public Refusal {
public:
    using Refusal::Refusal;
};

// One swept input and the box texts it takes, in order.
struct SweepAxis {
    const InputField* field;
    std::vector<std::string> texts;
};

// The most fields one sweep varies, and the most grid points it may have.
inline constexpr std::size_t SweepAxisLimit = 2;
inline constexpr std::size_t SweepPointLimit = 1'000'000;

// The values FROM, FROM + STEP, ... up to TO of one input. FROM, TO and STEP
// are real texts as the input boxes read them, of at most 18 significant
// digits. The values are formed exactly in decimal, so the last one is TO
// whenever the steps reach it; each is written with the decimals of the finest
// of the three. A zero STEP, a STEP leading away from TO or more than
// SweepPointLimit values is a SweepError.
SweepAxis MakeSweepAxis(const InputField& field, std::string_view from, std::string_view to,
                        std::string_view step, char decimalSeparator);

// The same from the notation FIELD=FROM:TO:STEP, FIELD a field or box name
// ("OutputRate=30:300:10"); a text not of that form, an unknown field or a
// colon as decimal separator is a SweepError.
SweepAxis ParseSweepAxis(std::string_view notation, char decimalSeparator);

// FROM, TO and STEP texts of a sweep of one input.
struct SweepRange {
    std::string from, to, step;
};

// The range a sweep of `field` starts from: its default ± 50 % in about 20
// round steps (1, 2 or 5 times a power of ten), the bounds at whole steps;
// an integer input keeps whole numbers, an input whose default is above 0
// stays above 0, and a default of 0 spans ±1. Written with
// `decimalSeparator`.
SweepRange SuggestedRange(const InputField& field, char decimalSeparator);
// The same around `value`, the case's number in that input: the sweep starts
// where the design stands.
SweepRange SuggestedRange(const InputField& field, double value, char decimalSeparator);

// A study over the grid of one or two axes (the first varies slowest); every
// other box keeps its text from `base`.
struct SweepPlan {
    InputTexts base;
    std::vector<SweepAxis> axes;
    char decimalSeparator = '.';
    std::optional<std::string> reportPattern;  // a report per point; "{n}" is its number
    FittedRanges viscosityRanges = {};         // of the case every point varies
    // The limits every point is judged by; with any, the table gains Feasible
    // and a margin per limit. Their quantities are columns of RunColumns.
    std::vector<Limit> limits = {};
    WarningKinds acceptedWarnings = {};  // the kinds a feasible point may raise
};

// The plan of `axes` over `base`. More than SweepAxisLimit axes, a field swept
// twice or a grid of more than SweepPointLimit points is a SweepError; a report
// pattern whose names a run would cut is a ResultFileNameError.
SweepPlan MakeSweepPlan(InputTexts base, std::vector<SweepAxis> axes, char decimalSeparator,
                        std::optional<std::string> reportPattern);

std::size_t PointCount(const SweepPlan& plan);

// The position of point `index` (0-based) on each axis.
std::vector<std::size_t> AxisPositions(const SweepPlan& plan, std::size_t index);

InputTexts PointTexts(const SweepPlan& plan, std::size_t index);

// `pattern` with every "{n}" replaced by `number`.
std::string ReportName(std::string_view pattern, std::size_t number);

// The run of point `index`: its texts, and its report as the plan says or none.
RunRequest PointRequest(const SweepPlan& plan, std::size_t index);

}  // namespace vortane
