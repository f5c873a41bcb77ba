#include "material/source_law.h"

#include <array>

#include "material/law_families.h"

namespace vortane {

namespace {

constexpr std::array<const LawFamily*, 7> Families{
    &laws::PowerLaw,     &laws::PowerLawArrhenius,  &laws::CarreauWLF,      &laws::CrossWLF,
    &laws::MuenstedtWLF, &laws::MuenstedtArrhenius, &laws::SixCoefficients,
};

}  // namespace

std::span<const LawFamily* const> LawFamilies() { return Families; }

const LawFamily* FindLawFamily(std::string_view name, std::string_view shift) {
    for (const LawFamily* family : Families)
        if (family->name == name && family->shift == shift) return family;
    return nullptr;
}

std::vector<std::string_view> ShiftsOf(std::string_view name) {
    std::vector<std::string_view> shifts;
    for (const LawFamily* family : Families)
        if (family->name == name && !family->shift.empty()) shifts.push_back(family->shift);
    return shifts;
}

}  // namespace vortane
