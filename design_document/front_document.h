#pragma once

#include <cstddef>
#include <optional>

#include "case/units.h"
#include "design/pareto_front.h"
#include "document/report_document.h"

namespace vortane {

// The design of `front` whose boxes are `texts`; none when the case is on no
// design of it.
std::optional<std::size_t> FrontDesignOf(const FrontResult& front, const InputTexts& texts);

// "Designs of the front": Point, the varied inputs as typed and each
// objective's value in `system`, then a column marking the knee ("Knee") and
// the design `chosen` ("This case").
DocumentSection FrontDesignsSection(const FrontRequest& request, const FrontResult& front,
                                    std::optional<std::size_t> chosen, char decimalSeparator,
                                    UnitSystem system = UnitSystem::Metric);

// A case's document carrying the front it was chosen from, after its own
// sections:
// - "Trade-off front": the objectives, the varied inputs and their bounds,
//   the limits, the designs and runs, the knee and which design this case is;
// - "Designs of the front": Point, the varied inputs as typed and each
//   objective's value in `system`, the knee and this case marked;
// - the front's charts (FrontCharts), in the quantities' technical metric units.
void AppendFront(ReportDocument& document, const FrontRequest& request, const FrontResult& front,
                 std::optional<std::size_t> chosen, char decimalSeparator, UnitSystem system = UnitSystem::Metric);

}  // namespace vortane
