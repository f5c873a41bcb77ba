#include "app/grade_save_dialog.h"

#include <QDate>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <utility>

#include "app/core_text.h"
#include "app/file_save.h"
#include "app/plain_text.h"
#include "material/material_library.h"

namespace vortane {

namespace {

const QString Title = QStringLiteral("Vortane");

}  // namespace

GradeSaveDialog::GradeSaveDialog(std::array<std::string, 6> texts, char decimalSeparator, const FittedRanges& ranges,
                                 QWidget* parent)
    : QDialog(parent), texts_(std::move(texts)), decimalSeparator_(decimalSeparator), ranges_(ranges) {
    setObjectName(QStringLiteral("GradeSaveDialog"));
    setWindowTitle(QStringLiteral("Save as Grade — Vortane"));

    name_ = new QLineEdit;
    name_->setObjectName(QStringLiteral("GradeName"));
    name_->setAccessibleName(QStringLiteral("Grade name"));
    name_->setMinimumWidth(name_->fontMetrics().averageCharWidth() * 40);
    notes_ = new QLineEdit;
    notes_->setObjectName(QStringLiteral("GradeNotes"));
    notes_->setAccessibleName(QStringLiteral("Notes"));
    date_ = new QLineEdit(QDate::currentDate().toString(Qt::ISODate));
    date_->setObjectName(QStringLiteral("MeasurementDate"));
    date_->setAccessibleName(QStringLiteral("Date of the measurements"));

    auto* form = new QFormLayout;
    const auto row = [form](const QString& caption, QLineEdit* box) {
        auto* label = new QLabel(caption);
        label->setBuddy(box);
        form->addRow(label, box);
    };
    row(QStringLiteral("&Name:"), name_);
    row(QStringLiteral("N&otes:"), notes_);
    row(QStringLiteral("&Date of the measurements:"), date_);

    auto* folder = PlainLabel(FromUtf8(UserMaterialFolder().string()));
    folder->setObjectName(QStringLiteral("GradeFolder"));
    folder->setAccessibleName(QStringLiteral("Folder of your grades"));
    folder->setTextInteractionFlags(Qt::TextSelectableByMouse);
    folder->setWordWrap(true);
    form->addRow(QStringLiteral("Saved in:"), folder);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Save | QDialogButtonBox::Cancel);
    save_ = buttons->button(QDialogButtonBox::Save);
    save_->setAccessibleName(QStringLiteral("Save the grade"));
    save_->setEnabled(false);
    buttons->button(QDialogButtonBox::Cancel)->setAccessibleName(QStringLiteral("Cancel"));
    connect(name_, &QLineEdit::textChanged, this,
            [this](const QString& name) { save_->setEnabled(!name.trimmed().isEmpty()); });
    connect(save_, &QPushButton::clicked, this, &GradeSaveDialog::Save);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

// The library is read anew, so that a grade saved meanwhile counts.
void GradeSaveDialog::Save() {
    try {
        const UserGrade grade = UserGradeOfLaw(name_->text().toStdString(), notes_->text().toStdString(),
                                               date_->text().toStdString(), texts_, decimalSeparator_, ranges_);
        const MaterialLibrary library = ReadMaterialLibrary(MaterialFolders(RunningProgram()));
        const std::filesystem::path path = SaveNewUserGrade(grade, UserMaterialFolder(), library);
        emit Saved(FromUtf8(path.string()));
        ShowPlainMessage(this, QMessageBox::Information, Title, FromUtf8(SavedGradeText(grade, path)));
        accept();
    } catch (const FileWriteError& error) {
        ShowWriteFailure(this, Title, error);
    } catch (const Error& error) {
        WarnPlain(this, Title, FromUtf8(error.what()));
    }
}

GradeSaveDialog* AskToSaveGrade(QWidget& parent, const std::array<std::string, 6>& texts, char decimalSeparator,
                                const FittedRanges& ranges) {
    auto* dialog = new GradeSaveDialog(texts, decimalSeparator, ranges, &parent);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
    return dialog;
}

}  // namespace vortane
