#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <variant>

#include "case/case_data.h"

namespace vortane {

// Every field of the case record by its name, in the order CaseData declares
// them: for front ends that hand the whole record on (a Python dict, say).
struct CaseField {
    std::string_view name;
    std::variant<double CaseData::*, std::int32_t CaseData::*, bool CaseData::*> member;
};

std::span<const CaseField> CaseFields();

}  // namespace vortane
