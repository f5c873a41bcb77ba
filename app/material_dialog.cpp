#include "app/material_dialog.h"

#include <QChart>
#include <QChartView>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>

#include <utility>

#include "app/chart_view.h"
#include "app/core_text.h"
#include "app/plain_text.h"
#include "app/screen_fit.h"
#include "material/grade_view.h"

namespace vortane {

namespace {

constexpr int GradeRole = Qt::UserRole;  // the grade's index in the library

void SetColour(QLabel& label, const QColor& colour) {
    QPalette palette = label.palette();
    palette.setColor(QPalette::WindowText, colour);
    label.setPalette(palette);
}

// A value's text, wrapped and selectable, named for a screen reader.
QLabel* ValueLabel(const QString& text, const QString& name) {
    QLabel* label = PlainLabel(text);
    label->setAccessibleName(name);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

}  // namespace

MaterialDialog::MaterialDialog(TakeTexts texts, GiveGrade apply, char decimalSeparator, QWidget* parent)
    : QDialog(parent), texts_(std::move(texts)), apply_(std::move(apply)), decimalSeparator_(decimalSeparator) {
    setObjectName(QStringLiteral("MaterialDialog"));
    setWindowTitle(QStringLiteral("Choose Material — Vortane"));
    CreateControls();
    FitOnScreen(*this, {1060, 800});
    Reload();
}

void MaterialDialog::CreateControls() {
    search_ = new QLineEdit;
    search_->setObjectName(QStringLiteral("GradeSearch"));
    search_->setAccessibleName(QStringLiteral("Search grades"));
    search_->setPlaceholderText(QStringLiteral("name, family, description or source"));
    search_->setClearButtonEnabled(true);
    for (QToolButton* clear : search_->findChildren<QToolButton*>())
        clear->setAccessibleName(QStringLiteral("Clear the search"));
    connect(search_, &QLineEdit::textChanged, this, &MaterialDialog::Filter);
    auto* searchLabel = new QLabel(QStringLiteral("&Search:"));
    searchLabel->setBuddy(search_);

    list_ = new QListWidget;
    list_->setObjectName(QStringLiteral("Grades"));
    list_->setAccessibleName(QStringLiteral("Grades"));
    list_->setWordWrap(true);
    list_->setMinimumWidth(200);
    connect(list_, &QListWidget::currentRowChanged, this, &MaterialDialog::ShowGrade);
    connect(list_, &QListWidget::itemDoubleClicked, this, &MaterialDialog::Apply);
    auto* listLabel = new QLabel(QStringLiteral("&Grades:"));
    listLabel->setBuddy(list_);

    problems_ = PlainLabel();
    problems_->setObjectName(QStringLiteral("LibraryProblems"));
    problems_->setAccessibleName(QStringLiteral("Library problems"));
    problems_->setWordWrap(true);
    problems_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    SetColour(*problems_, QColor(0xb0, 0x1c, 0x1c));

    details_ = new QWidget;
    details_->setObjectName(QStringLiteral("GradeDetails"));
    detailForm_ = new QFormLayout(details_);
    detailForm_->setRowWrapPolicy(QFormLayout::DontWrapRows);
    detailForm_->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    auto* detailScroll = Scrolling(details_);
    detailScroll->setAccessibleName(QStringLiteral("Values of the grade"));

    chart_ = new QChartView(new QChart);
    chart_->setObjectName(QStringLiteral("GradeChart"));
    chart_->setAccessibleName(QStringLiteral("Viscosity curves of the grade"));
    chart_->setRenderHint(QPainter::Antialiasing);
    chart_->setMinimumSize(440, 260);

    message_ = PlainLabel();
    message_->setObjectName(QStringLiteral("MaterialMessage"));
    message_->setAccessibleName(QStringLiteral("Material message"));
    message_->setWordWrap(true);
    message_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    SetColour(*message_, QColor(0xb0, 0x1c, 0x1c));

    auto* buttons = new QDialogButtonBox;
    applyButton_ = buttons->addButton(QStringLiteral("&Apply"), QDialogButtonBox::AcceptRole);
    applyButton_->setObjectName(QStringLiteral("ApplyGrade"));
    applyButton_->setAccessibleName(QStringLiteral("Apply the grade"));
    applyButton_->setEnabled(false);
    QPushButton* close = buttons->addButton(QDialogButtonBox::Close);
    close->setAccessibleName(QStringLiteral("Close"));
    connect(applyButton_, &QPushButton::clicked, this, &MaterialDialog::Apply);
    connect(close, &QPushButton::clicked, this, &QDialog::close);

    auto* side = new QVBoxLayout;
    side->addWidget(searchLabel);
    side->addWidget(search_);
    side->addWidget(listLabel);
    side->addWidget(list_, 1);
    side->addWidget(problems_);
    auto* grade = new QVBoxLayout;
    grade->addWidget(detailScroll, 1);
    grade->addWidget(chart_, 1);
    auto* middle = new QHBoxLayout;
    middle->addLayout(side, 1);
    middle->addLayout(grade, 3);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(middle, 1);
    layout->addWidget(message_);
    layout->addWidget(buttons);
}

void MaterialDialog::Reload() {
    const QString selected = list_->currentItem() != nullptr ? list_->currentItem()->text() : QString();
    library_ = ReadMaterialLibrary(MaterialFolders(RunningProgram()));
    const QSignalBlocker quiet(list_);
    list_->clear();
    for (std::size_t i = 0; i < library_.grades.size(); ++i) {
        const Grade& grade = library_.grades[i];
        auto* item = new QListWidgetItem(FromUtf8(GradeListName(grade)), list_);
        item->setData(GradeRole, static_cast<int>(i));
        item->setToolTip(PlainToolTip(FromUtf8(grade.name + "\n" + grade.family)));
    }
    QStringList problems;
    for (const std::string& error : library_.errors) problems << FromUtf8(error);
    problems_->setText(problems.join(u'\n'));
    problems_->setVisible(!problems.isEmpty());
    Filter();
    if (!selected.isEmpty()) Select(selected);
    ShowGrade();
}

bool MaterialDialog::Select(const QString& name) {
    for (int row = 0; row < list_->count(); ++row) {
        if (list_->item(row)->text() == name && !list_->item(row)->isHidden()) {
            list_->setCurrentRow(row);
            return true;
        }
    }
    return false;
}

void MaterialDialog::SetUnitSystem(UnitSystem system) {
    units_ = system;
    ShowGrade();
}

// The grades the search finds stay listed; the selection moves to the first
// of them when its grade is no longer among them.
void MaterialDialog::Filter() {
    const std::string query = search_->text().toStdString();
    int first = -1;
    for (int row = 0; row < list_->count(); ++row) {
        QListWidgetItem* item = list_->item(row);
        const auto grade = static_cast<std::size_t>(item->data(GradeRole).toInt());
        const bool shown = GradeMatches(library_.grades[grade], query);
        item->setHidden(!shown);
        if (shown && first < 0) first = row;
    }
    if (list_->currentItem() == nullptr || list_->currentItem()->isHidden()) list_->setCurrentRow(first);
}

const Grade* MaterialDialog::Selected() const {
    const QListWidgetItem* item = list_->currentItem();
    if (item == nullptr || item->isHidden()) return nullptr;
    return &library_.grades[static_cast<std::size_t>(item->data(GradeRole).toInt())];
}

void MaterialDialog::AddDetail(const QString& caption, const QString& text, const QString& source) {
    auto* field = new QWidget;
    auto* column = new QVBoxLayout(field);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(1);
    column->addWidget(ValueLabel(text, caption));
    if (!source.isEmpty()) {
        QLabel* from = ValueLabel(QStringLiteral("Source: ") + source, QStringLiteral("Source of ") + caption);
        QFont small = from->font();
        small.setPointSizeF(small.pointSizeF() * 0.9);
        from->setFont(small);
        SetColour(*from, QColor(0x50, 0x50, 0x50));
        column->addWidget(from);
    }
    QLabel* label = PlainLabel(caption + u':');
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    detailForm_->addRow(label, field);
}

void MaterialDialog::ShowGrade() {
    while (detailForm_->rowCount() > 0) detailForm_->removeRow(0);
    message_->clear();
    const Grade* grade = Selected();
    applyButton_->setEnabled(grade != nullptr);
    if (grade == nullptr) {
        ShowChart(*chart_, {});
        return;
    }
    for (const GradeDetail& detail : GradeDetails(*grade))
        AddDetail(FromUtf8(detail.caption), FromUtf8(detail.text), FromUtf8(detail.source));
    if (const std::string missing = MissingValuesText(*grade); !missing.empty()) {
        QLabel* note = ValueLabel(FromUtf8(missing), QStringLiteral("Values the grade does not give"));
        note->setObjectName(QStringLiteral("MissingValues"));
        detailForm_->addRow(note);
    }
    ShowChart(*chart_, GradeChart(*grade, decimalSeparator_, units_));
}

// A grade that cannot be put into the case is named here, and nothing changes.
void MaterialDialog::Apply() {
    const Grade* grade = Selected();
    if (grade == nullptr) return;
    try {
        apply_(ApplyGrade(*grade, texts_(), decimalSeparator_));
    } catch (const Error& error) {
        message_->setText(FromUtf8(error.what()));
        return;
    }
    close();
}

}  // namespace vortane
