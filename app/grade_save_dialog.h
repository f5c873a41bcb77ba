#pragma once

#include <QDialog>

#include <array>
#include <string>

#include "case/fitted_ranges.h"

class QLineEdit;
class QPushButton;

namespace vortane {

// A viscosity law saved as a grade of the user's own: the dialog asks its
// name, notes and the date of the measurements, and writes it into the
// user's folder of the material library, each value's source "own
// measurements, DATE". A name the library has, or a file that cannot be
// written, is named in a message; the dialog stays with what was typed.
class GradeSaveDialog final : public QDialog {
    Q_OBJECT

public:
    // The six texts of the law (A0 first) in the notation of
    // `decimalSeparator`, and the ranges it was fitted on.
    GradeSaveDialog(std::array<std::string, 6> texts, char decimalSeparator, const FittedRanges& ranges,
                    QWidget* parent);

signals:
    // The grade is written at `path`.
    void Saved(const QString& path);

private:
    void Save();

    const std::array<std::string, 6> texts_;
    const char decimalSeparator_;
    const FittedRanges ranges_;
    QLineEdit* name_;
    QLineEdit* notes_;
    QLineEdit* date_;
    QPushButton* save_;
};

// Opens the dialog over `parent`, modal to it and deleted once closed.
GradeSaveDialog* AskToSaveGrade(QWidget& parent, const std::array<std::string, 6>& texts, char decimalSeparator,
                                const FittedRanges& ranges);

}  // namespace vortane
