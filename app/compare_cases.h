#pragma once

#include <QStringList>

#include "case/units.h"

class QWidget;

namespace vortane {

// File > Compare Cases…: asks for two case files or more and shows them side
// by side.
void CompareCasesFromDialog(QWidget& parent, char decimalSeparator, UnitSystem system = UnitSystem::Metric);

// Runs each case file (without a report) and opens a window over `parent`
// showing them side by side in `system`, against the first, with their
// profiles overlaid;
// returns it. Fewer than two files, or a file that cannot be read, is named in
// a message over `parent` instead, and nothing opens: null.
QWidget* CompareCases(QWidget& parent, const QStringList& paths, char decimalSeparator,
                      UnitSystem system = UnitSystem::Metric);

}  // namespace vortane
