#pragma once

#include <QWidget>

#include "comparison/comparison.h"

class QLabel;
class QTableWidget;

namespace vortane {

// Designs side by side as the core compares them: a row per quantity; for
// each design its value, and for each after the first the difference and the
// percentage against the first; each limit met or failed; then the warnings
// of each design. Every cell is text a screen reader reads.
class ComparisonView final : public QWidget {
    Q_OBJECT

public:
    explicit ComparisonView(QWidget* parent = nullptr);

    void ShowComparison(const Comparison& comparison, char decimalSeparator);

private:
    QTableWidget* table_;
    QLabel* warnings_;
};

}  // namespace vortane
