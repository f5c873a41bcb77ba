#pragma once

#include <optional>

namespace vortane {

// The data a viscosity law was fitted on: the temperatures (degC) and shear
// rates (1/s) its measurements span. Each is known or not on its own; a case
// without them says nothing about where its law holds.

struct ValueRange {
    double low = 0, high = 0;

    bool Holds(double value) const { return low <= value && value <= high; }
    friend bool operator==(const ValueRange&, const ValueRange&) = default;
};

struct FittedRanges {
    std::optional<ValueRange> temperature;  // degC
    std::optional<ValueRange> shearRate;    // 1/s

    bool Known() const { return temperature || shearRate; }
    friend bool operator==(const FittedRanges&, const FittedRanges&) = default;
};

}  // namespace vortane
