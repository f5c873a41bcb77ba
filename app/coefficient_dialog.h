#pragma once

#include <QDialog>

#include <array>
#include <functional>
#include <string>

#include "case/fitted_ranges.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace vortane {

// The six coefficients of the viscosity law in boxes wide enough for their
// whole texts, beside the law and its units. Each text is checked as a run
// reads it; Apply hands the texts on, and Save as Grade keeps them as a grade
// of the user's own, only when every one of them converts.
class CoefficientDialog final : public QDialog {
    Q_OBJECT

public:
    using Texts = std::array<std::string, 6>;  // A0, A1, A11, A2, A22, A12
    using ApplyTexts = std::function<void(const Texts&)>;
    // The ranges the law of the texts is known to hold over; none where unknown.
    using RangesOfTexts = std::function<FittedRanges(const Texts&)>;

    CoefficientDialog(ApplyTexts apply, RangesOfTexts ranges, char decimalSeparator, QWidget* parent = nullptr);

    // Puts `texts` into the boxes.
    void SetTexts(const Texts& texts);

signals:
    // The texts are saved as a grade of the material library.
    void GradeSaved();

private:
    // Names the first text a run would reject; true when there is none.
    bool Check();
    void Apply();
    void SaveAsGrade();
    Texts BoxTexts() const;

    ApplyTexts apply_;
    RangesOfTexts ranges_;
    const char decimalSeparator_;
    std::array<QLineEdit*, 6> boxes_;
    QLabel* problem_;
    QPushButton* applyButton_;
    QPushButton* saveGrade_;
};

}  // namespace vortane
