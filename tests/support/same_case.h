#pragma once

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <variant>

#include "case/case_fields.h"

namespace vortane::testing {

// Every field of two cases equal, the reals bit for bit (0 and -0 differ).
inline void ExpectSameCase(const CaseData& a, const CaseData& b) {
    const auto bits = [](double value) { return std::bit_cast<std::uint64_t>(value); };
    for (const CaseField& field : CaseFields()) {
        if (const auto* real = std::get_if<double CaseData::*>(&field.member))
            EXPECT_EQ(bits(a.**real), bits(b.**real))
                << field.name << ": " << a.**real << " against " << b.**real;
        else
            std::visit([&](auto member) { EXPECT_EQ(a.*member, b.*member) << field.name; },
                       field.member);
    }
}

}  // namespace vortane::testing
