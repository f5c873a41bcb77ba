#pragma once

#include <QLocale>

namespace vortane {

// The decimal separator a run reads and writes: the locale's, or a point where
// that is not one usable ASCII character (Arabic's U+066B, for one).
char DecimalSeparatorOf(const QLocale& locale);

}  // namespace vortane
