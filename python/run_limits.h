#pragma once

#include <pybind11/pybind11.h>

#include <optional>
#include <vector>

#include "case/limit.h"
#include "result/limit_check.h"

namespace vortane::python {

// The limits of a `limits` argument: None for none, else a sequence of texts
// such as "TemperatureRise<=30" (ComposeCase checks their quantities). A text
// that is no limit is a LimitError naming it; anything but a sequence of str
// is an InputError.
std::vector<Limit> LimitsOf(pybind11::handle limits);

// One member of each limit's margin by the limit's text, NaN where the run
// left the value uncomputed.
pybind11::dict MarginDict(const std::vector<Limit>& limits, const std::vector<LimitMargin>& margins,
                          std::optional<double> LimitMargin::*member);

// The kinds of an `accept_warnings` argument: None for none, else a sequence
// of kind names; a name of no kind is a vortane.Error.
WarningKinds AcceptanceOf(pybind11::handle accept);

// The kinds' names, in kind order.
pybind11::list KindNames(WarningKinds kinds);

// The limits' texts, as LimitText writes them.
pybind11::list LimitTexts(const std::vector<Limit>& limits);

// The texts of the limits that do not hold, in order.
pybind11::list FailedLimits(const std::vector<Limit>& limits, const std::vector<LimitMargin>& margins);

}  // namespace vortane::python
