#pragma once

#include <QDialog>

#include <functional>

#include "case/input_fields.h"
#include "case/units.h"
#include "material/grade_apply.h"
#include "material/material_library.h"

class QChartView;
class QFormLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace vortane {

// Material > Choose Material…: the grades of the material library, shipped
// and the user's, narrowed by a search; for the grade selected its values,
// each with its source, and its viscosity curves on log axes. Files of the
// library that cannot be read are named with their lines beside the list.
// Apply puts the grade into the main window's texts and closes the dialog.
class MaterialDialog final : public QDialog {
    Q_OBJECT

public:
    using TakeTexts = std::function<InputTexts()>;
    using GiveGrade = std::function<void(const AppliedGrade&)>;

    MaterialDialog(TakeTexts texts, GiveGrade apply, char decimalSeparator, QWidget* parent = nullptr);

    // Reads the library again from its folders, keeping the grade selected
    // where it is still there.
    void Reload();
    // Selects the grade `name` lists as; false when no grade shown does.
    bool Select(const QString& name);
    // Names the curves' temperatures in the unit of `system`.
    void SetUnitSystem(UnitSystem system);

private:
    void CreateControls();
    void Filter();
    void ShowGrade();
    void AddDetail(const QString& caption, const QString& text, const QString& source);
    void Apply();
    const Grade* Selected() const;

    const TakeTexts texts_;
    const GiveGrade apply_;
    const char decimalSeparator_;
    UnitSystem units_ = UnitSystem::Metric;
    MaterialLibrary library_;

    QLineEdit* search_;
    QListWidget* list_;
    QLabel* problems_;
    QWidget* details_;
    QFormLayout* detailForm_;
    QChartView* chart_;
    QLabel* message_;
    QPushButton* applyButton_;
};

}  // namespace vortane
