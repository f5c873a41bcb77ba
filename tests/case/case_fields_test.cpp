#include "case/case_fields.h"

#include <gtest/gtest.h>

#include <set>
#include <string_view>
#include <variant>

namespace vortane {
namespace {

// Converts to any member type, so that T{AnyMember{}, ...} counts an
// aggregate's members.
struct AnyMember {
    template <class T>
    operator T() const;  // never defined: only named in unevaluated operands
};

template <class T, class... Members>
constexpr std::size_t MemberCount() {
    if constexpr (requires { T{Members{}..., AnyMember{}}; })
        return MemberCount<T, Members..., AnyMember>();
    else
        return sizeof...(Members);
}

// The table names every member of the record once: as many entries as the
// record has members, each at its own place in it, each name once.
TEST(CaseFields, EveryMemberOnce) {
    EXPECT_EQ(CaseFields().size(), MemberCount<CaseData>());
    const CaseData data;
    std::set<const void*> places;
    std::set<std::string_view> names;
    for (const CaseField& field : CaseFields()) {
        places.insert(std::visit([&](auto member) -> const void* { return &(data.*member); },
                                 field.member));
        names.insert(field.name);
    }
    EXPECT_EQ(places.size(), CaseFields().size());
    EXPECT_EQ(names.size(), CaseFields().size());
}

}  // namespace
}  // namespace vortane
