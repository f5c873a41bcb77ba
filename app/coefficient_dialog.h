#pragma once

#include <QDialog>

#include <array>
#include <functional>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;

namespace vortane {

// The six coefficients of the viscosity law in boxes wide enough for their
// whole texts, beside the law and its units. Each text is checked as a run
// reads it; Apply hands the texts on only when every one of them converts.
class CoefficientDialog final : public QDialog {
    Q_OBJECT

public:
    using Texts = std::array<std::string, 6>;  // A0, A1, A11, A2, A22, A12
    using ApplyTexts = std::function<void(const Texts&)>;

    CoefficientDialog(ApplyTexts apply, char decimalSeparator, QWidget* parent = nullptr);

    // Puts `texts` into the boxes.
    void SetTexts(const Texts& texts);

private:
    // Names the first text a run would reject; true when there is none.
    bool Check();
    void Apply();

    ApplyTexts apply_;
    const char decimalSeparator_;
    std::array<QLineEdit*, 6> boxes_;
    QLabel* problem_;
    QPushButton* applyButton_;
};

}  // namespace vortane
