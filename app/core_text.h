#pragma once

#include <QColor>
#include <QString>

#include <string_view>

#include "chart/chart.h"

namespace vortane {

// A text of the core (UTF-8: captions, messages, values) as the window shows it.
inline QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A colour of the core as Qt paints it.
inline QColor ToQColor(Colour colour) { return {colour.red, colour.green, colour.blue}; }

}  // namespace vortane
