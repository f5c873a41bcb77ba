#include "case/warning_kind.h"

#include "case/blanks.h"
#include "case/excerpt.h"

namespace vortane {

std::string_view WarningKindName(WarningKind kind) {
    switch (kind) {
        case WarningKind::SoundRange: return "sound-range";
        case WarningKind::UnmeltedFeed: return "unmelted-feed";
        case WarningKind::NegativePressure: return "negative-pressure";
        case WarningKind::NegativePower: return "negative-power";
        case WarningKind::FittedRange: return "fitted-range";
    }
    return {};
}

WarningKind ParseWarningKind(std::string_view name) {
    const std::string_view trimmed = Trimmed(name);
    std::string kinds;
    for (const WarningKind kind : AllWarningKinds) {
        if (WarningKindName(kind) == trimmed) return kind;
        kinds += (kinds.empty() ? "" : ", ") + std::string(WarningKindName(kind));
    }
    throw WarningKindError("\"" + Excerpt(trimmed) + "\" is no kind of warning; the kinds are " + kinds);
}

std::string WarningKindsText(WarningKinds kinds) {
    std::string text;
    for (const WarningKind kind : AllWarningKinds)
        if (kinds.Has(kind)) text += (text.empty() ? "" : ", ") + std::string(WarningKindName(kind));
    return text;
}

}  // namespace vortane
