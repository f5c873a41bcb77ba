#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "case/error.h"

namespace vortane {

// The kinds of warning a run raises. Each says the run's numbers may not hold
// physically, so a design whose run raises one is not feasible unless the
// user has accepted that kind by name.
enum class WarningKind : std::uint8_t {
    SoundRange,        // "sound-range": an input outside its sound range
    UnmeltedFeed,      // "unmelted-feed": the feed cannot melt completely
    NegativePressure,  // "negative-pressure": a channel's pressure below zero
    NegativePower,     // "negative-power": the section gives energy back
    FittedRange,       // "fitted-range": the viscosity law outside its fitted data
};

inline constexpr WarningKind AllWarningKinds[] = {WarningKind::SoundRange, WarningKind::UnmeltedFeed,
                                                  WarningKind::NegativePressure, WarningKind::NegativePower,
                                                  WarningKind::FittedRange};

// The kind's name, as case files, --accept-warning and Python give it.
std::string_view WarningKindName(WarningKind kind);

// A set of warning kinds.
class WarningKinds {
public:
    constexpr WarningKinds() = default;
    constexpr WarningKinds(WarningKind kind) : bits_(Bit(kind)) {}  // NOLINT(google-explicit-constructor)

    constexpr bool Has(WarningKind kind) const { return (bits_ & Bit(kind)) != 0; }
    constexpr bool Empty() const { return bits_ == 0; }
    constexpr void Add(WarningKind kind) { bits_ |= Bit(kind); }
    constexpr void Remove(WarningKind kind) { bits_ &= static_cast<std::uint8_t>(~Bit(kind)); }
    // The kinds of this set that `accepted` does not hold.
    constexpr WarningKinds Without(WarningKinds accepted) const { return FromBits(bits_ & ~accepted.bits_); }

    constexpr std::uint8_t Bits() const { return bits_; }
    static constexpr WarningKinds FromBits(std::uint8_t bits) {
        WarningKinds kinds;
        kinds.bits_ = bits;
        return kinds;
    }
    friend constexpr bool operator==(WarningKinds, WarningKinds) = default;

private:
    static constexpr std::uint8_t Bit(WarningKind kind) {
        return static_cast<std::uint8_t>(1U << static_cast<unsigned>(kind));
    }
    std::uint8_t bits_ = 0;
};

// A name that is no warning kind; the text names it and the kinds there are.
class WarningKindError : public Refusal {
public:
    using Refusal::Refusal;
};

// The kind a name gives, blanks around it allowed.
WarningKind ParseWarningKind(std::string_view name);

// The kinds' names in kind order, joined by ", "; empty for none.
std::string WarningKindsText(WarningKinds kinds);

}  // namespace vortane
