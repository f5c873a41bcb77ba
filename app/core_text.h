#pragma once

#include <QString>

#include <string_view>

namespace vortane {

// A text of the core (UTF-8: captions, messages, values) as the window shows it.
inline QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace vortane
