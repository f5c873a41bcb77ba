#pragma once

#include <QFrame>

#include <functional>
#include <string>
#include <vector>

namespace vortane {

class ElidedLabel;

// A strip under the input pages that shows a run's warnings: their count and
// the first one, cut to the strip's width with the whole text in its tooltip
// and accessible description, and a button that opens them all. Hidden after a
// run without warnings.
class WarningStrip final : public QFrame {
    Q_OBJECT

public:
    WarningStrip(std::function<void()> showAll, QWidget* parent);

    void ShowWarnings(const std::vector<std::string>& warnings);

private:
    ElidedLabel* text_;
};

}  // namespace vortane
