#include "app/coefficient_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <utility>

#include "app/core_text.h"
#include "app/grade_save_dialog.h"
#include "app/plain_text.h"
#include "app/pictures.h"
#include "case/number_text.h"
#include "measurement/material_fit.h"

namespace vortane {

namespace {

// Room for a signed mantissa of seventeen digits and a three-digit exponent.
constexpr int BoxCharacters = 28;
// A rejected text is quoted up to this many characters.
constexpr qsizetype QuotedLimit = 40;

// The law as the coefficient page draws it, and in words for a screen reader.
const QString Law = QStringLiteral(
    "ln \u03b7 = A0 + A1 ln \u03b3\u0307 + A11 (ln \u03b3\u0307)\u00b2 + A2 T + A22 T\u00b2 + A12 T ln \u03b3\u0307");
const QString Units = QStringLiteral(
    "\u03b7: viscosity in gf\u00b7s/cm\u00b2    T: temperature in \u2103    \u03b3\u0307: shear rate in 1/s");

}  // namespace

CoefficientDialog::CoefficientDialog(ApplyTexts apply, RangesOfTexts ranges, char decimalSeparator, QWidget* parent)
    : QDialog(parent), apply_(std::move(apply)), ranges_(std::move(ranges)), decimalSeparator_(decimalSeparator) {
    setObjectName(QStringLiteral("CoefficientDialog"));
    setWindowTitle(QStringLiteral("Coefficients of Viscosity — Vortane"));

    auto* law = new QLabel;
    law->setPixmap(QPixmap::fromImage(FormulaPicture(devicePixelRatioF())));
    law->setObjectName(QStringLiteral("Law"));
    law->setAccessibleName(QStringLiteral("Viscosity law"));
    law->setAccessibleDescription(Law);
    law->setToolTip(Law);
    auto* units = new QLabel(Units);
    units->setObjectName(QStringLiteral("Units"));
    units->setAccessibleName(QStringLiteral("Units of the law"));

    auto* form = new QFormLayout;
    const auto fields = ViscosityCoefficientFields();
    for (std::size_t j = 0; j < fields.size(); ++j) {
        const QString name = FromUtf8(fields[j]->caption);
        auto* box = new QLineEdit;
        box->setObjectName(name);
        box->setAccessibleName(QStringLiteral("Coefficient ") + name);
        box->setMinimumWidth(box->fontMetrics().averageCharWidth() * BoxCharacters);
        connect(box, &QLineEdit::textChanged, this, &CoefficientDialog::Check);
        form->addRow(name, box);
        boxes_[j] = box;
    }

    problem_ = PlainLabel();
    problem_->setObjectName(QStringLiteral("Problem"));
    problem_->setAccessibleName(QStringLiteral("Problem"));
    problem_->setWordWrap(true);
    problem_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Apply | QDialogButtonBox::Close);
    applyButton_ = buttons->button(QDialogButtonBox::Apply);
    applyButton_->setAccessibleName(QStringLiteral("Apply the coefficients"));
    connect(applyButton_, &QPushButton::clicked, this, &CoefficientDialog::Apply);
    saveGrade_ = buttons->addButton(QStringLiteral("Save as &Grade\u2026"), QDialogButtonBox::ActionRole);
    saveGrade_->setObjectName(QStringLiteral("SaveAsGrade"));
    saveGrade_->setAccessibleName(QStringLiteral("Save the coefficients as a grade"));
    connect(saveGrade_, &QPushButton::clicked, this, &CoefficientDialog::SaveAsGrade);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(law);
    layout->addWidget(units);
    layout->addLayout(form);
    layout->addWidget(problem_);
    layout->addWidget(buttons);
}

void CoefficientDialog::SetTexts(const Texts& texts) {
    for (std::size_t j = 0; j < boxes_.size(); ++j) {
        boxes_[j]->setText(FromUtf8(texts[j]));
        boxes_[j]->setCursorPosition(0);
    }
    Check();
}

bool CoefficientDialog::Check() {
    for (QLineEdit* box : boxes_) {
        if (!ConvertReal(box->text().toStdString(), decimalSeparator_)) {
            const QString text = box->text().size() > QuotedLimit ? box->text().left(QuotedLimit) + u'\u2026'
                                                                  : box->text();
            problem_->setText(QStringLiteral("%1: \"%2\" is not a number a run can read.")
                                  .arg(box->objectName(), text));
            problem_->setToolTip(PlainToolTip(box->text()));
            applyButton_->setEnabled(false);
            saveGrade_->setEnabled(false);
            return false;
        }
    }
    problem_->clear();
    problem_->setToolTip({});
    applyButton_->setEnabled(true);
    saveGrade_->setEnabled(true);
    return true;
}

CoefficientDialog::Texts CoefficientDialog::BoxTexts() const {
    Texts texts;
    for (std::size_t j = 0; j < boxes_.size(); ++j) texts[j] = boxes_[j]->text().toStdString();
    return texts;
}

void CoefficientDialog::Apply() {
    if (Check()) apply_(BoxTexts());
}

// The ranges go with the texts only while they are the law they were fitted for.
void CoefficientDialog::SaveAsGrade() {
    if (!Check()) return;
    const Texts texts = BoxTexts();
    connect(AskToSaveGrade(*this, texts, decimalSeparator_, ranges_(texts)), &GradeSaveDialog::Saved, this,
            &CoefficientDialog::GradeSaved);
}

}  // namespace vortane
