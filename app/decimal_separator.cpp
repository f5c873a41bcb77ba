#include "app/decimal_separator.h"

#include "case/number_text.h"

namespace vortane {

char DecimalSeparatorOf(const QLocale& locale) {
    const QString point = locale.decimalPoint();
    if (point.size() != 1 || point[0].unicode() >= 0x80) return '.';
    const char separator = static_cast<char>(point[0].unicode());
    return IsUsableDecimalSeparator(separator) ? separator : '.';
}

}  // namespace vortane
