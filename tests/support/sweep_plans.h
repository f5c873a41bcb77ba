#pragma once

#include <array>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "study/sweep_plan.h"

namespace vortane::testing {

// A plan over the default texts (point notation) of axes given as
// {field, FROM, TO, STEP}.
inline SweepPlan DefaultPlan(std::initializer_list<std::array<std::string_view, 4>> axes,
                             std::optional<std::string> reportPattern = {}) {
    std::vector<SweepAxis> built;
    for (const auto& [field, from, to, step] : axes)
        built.push_back(MakeSweepAxis(*FindInputField(field), from, to, step, '.'));
    return MakeSweepPlan(DefaultTexts('.'), std::move(built), '.', std::move(reportPattern));
}

}  // namespace vortane::testing
