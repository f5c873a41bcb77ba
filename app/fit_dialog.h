#pragma once

#include <QDialog>

#include <array>
#include <functional>
#include <optional>
#include <string>

#include "measurement/material_fit.h"

class QChartView;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vortane {

// The viscosity law fitted to a measurement file: the points and the fitted
// curves on log axes, the fit's figures and the six coefficient texts. Apply
// hands the texts, and the ranges of the data they were fitted on, to the
// main window; Save as Grade keeps them as a grade of the user's own.
class FitDialog final : public QDialog {
    Q_OBJECT

public:
    using ApplyLaw = std::function<void(const std::array<std::string, 6>&, const FittedRanges&)>;

    FitDialog(ApplyLaw apply, char decimalSeparator, QWidget* parent = nullptr);

    // Reads and fits the file in the chosen unit (or the one its header names);
    // what cannot be read or fitted is shown in the dialog, naming the file
    // and line. Returns whether the law was fitted.
    bool Open(const QString& path);
    // Names the temperatures in the unit of `system`; the viscosities stay in
    // the file's unit.
    void SetUnitSystem(UnitSystem system);

signals:
    // The fit is saved as a grade of the material library.
    void GradeSaved();

private:
    void CreateControls();
    void ChooseFile();
    void Refit();
    void ShowFit(const Measurements& measurements, const ViscosityFit& fit);
    void ShowFigures();
    void ShowRefusal(const QString& text);

    ApplyLaw apply_;
    const char decimalSeparator_;
    QString path_;
    std::optional<std::array<std::string, 6>> texts_;
    FittedRanges ranges_;  // of the fit shown
    std::optional<Measurements> measurements_;  // fitted, with the fit shown
    ViscosityFit fit_{};
    UnitSystem units_ = UnitSystem::Metric;

    QLabel* file_;
    QPushButton* open_;
    QComboBox* unit_;
    QChartView* chart_;
    QLabel* message_;
    std::array<QLabel*, 6> figures_;
    std::array<QLineEdit*, 6> coefficients_;
    QPushButton* applyButton_;
    QPushButton* saveGrade_;
    QPushButton* close_;
};

}  // namespace vortane
