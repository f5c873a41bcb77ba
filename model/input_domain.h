#pragma once

#include <string_view>
#include <vector>

#include "case/case_data.h"

namespace vortane {

// An input outside the range in which the model means something, though the
// formulas may still compute. The range may refer to another input: then
// limitField names it and limit is its value.
struct DomainBreach {
    std::string_view field;
    double value;
    std::string_view soundRange;  // "above 0", "0 or more", "0 to 1", "below", ...
    std::string_view limitField;  // empty, or the input the range refers to
    double limit = 0;
};

// The sound range of a temperature: from absolute zero up, in ℃.
inline constexpr std::string_view AbsoluteZeroRange = "-273.15 or more (absolute zero)";

// Every breach of the inputs of `data`, in box order:
//   quantities the formulas divide by, or take the logarithm of through a
//   shear rate, at or below zero: the diameter, screw speed, throughput,
//   channel length, barrier widths (leakage conductance δ³/(η e)), barrier
//   clearances and channel depth (shear rate π D N / (60 δ)), inlet pressure
//   (relative pressures), melt density (volume flow) and melt specific heat
//   (temperature rise);
//   a corner radius, solid specific heat or heat of fusion below zero (the
//   geometry and the energy balance turn over);
//   channel counts below 1, and more effective channels than channels;
//   a barrier clearance not smaller than the channel depth (the flight would
//   stand no higher than the channel floor);
//   a channel angle at or beyond ±90° (the channel no longer runs along the
//   screw);
//   a solid fed above the melting point, or a melt below it;
//   a temperature below absolute zero;
//   SolidRatio outside 0 to 1.
std::vector<DomainBreach> InputDomainBreaches(const CaseData& data);

}  // namespace vortane
