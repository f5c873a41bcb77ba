#include "app/varied_inputs.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace vortane {

VariedInputRows::VariedInputRows(DesignContext context, QWidget* parent)
    : QWidget(parent), context_(std::move(context)) {
    layout_ = new QVBoxLayout(this);
    layout_->setContentsMargins(0, 0, 0, 0);
    add_ = new QPushButton(QStringLiteral("A&dd Input"));
    add_->setAccessibleName(QStringLiteral("Add an input varied"));
    connect(add_, &QPushButton::clicked, this, &VariedInputRows::AddInput);
    layout_->addWidget(add_, 0, Qt::AlignLeft);
}

void VariedInputRows::AddInput() {
    if (rows_.size() >= MaxVariedInputs) return;
    InputRow row{new QWidget, VariedInputCombo({}), NumberEdit({}), NumberEdit({})};
    auto* remove = new QPushButton(QStringLiteral("Remove"));
    // The input and its Remove button; its bounds on a line under them.
    auto* line = new QGridLayout(row.row);
    line->setContentsMargins(0, 0, 0, 0);
    // The first input not varied yet, so that a row added varies another.
    for (int item = 0; item < row.input->count(); ++item) {
        const int box = row.input->itemData(item).toInt();
        if (std::none_of(rows_.begin(), rows_.end(),
                         [box](const InputRow& r) { return r.input->currentData().toInt() == box; })) {
            row.input->setCurrentIndex(item);
            break;
        }
    }
    line->addWidget(row.input, 0, 0, 1, 2);
    line->addWidget(remove, 0, 2);
    line->addWidget(row.low, 1, 0);
    line->addWidget(row.high, 1, 1);
    connect(row.input, &QComboBox::currentIndexChanged, this,
            [this, row] { PrefillBounds(*row.input, *row.low, *row.high, context_); });
    connect(remove, &QPushButton::clicked, this, [this, widget = row.row] { RemoveInput(widget); });
    PrefillBounds(*row.input, *row.low, *row.high, context_);
    layout_->insertWidget(static_cast<int>(rows_.size()), row.row);
    rows_.push_back(row);
    ShowRowCount();
}

void VariedInputRows::Vary(std::size_t row, const InputField& field) {
    rows_.at(row).input->setCurrentIndex(rows_.at(row).input->findData(field.box));
}

void VariedInputRows::RemoveInput(QWidget* row) {
    if (rows_.size() <= 1) return;
    std::erase_if(rows_, [row](const InputRow& r) { return r.row == row; });
    row->deleteLater();
    ShowRowCount();
}

// Each row's controls named by its number; one row at least, six at most.
void VariedInputRows::ShowRowCount() {
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const QString number = QString::number(i + 1);
        rows_[i].input->setAccessibleName(QStringLiteral("Input varied ") + number);
        rows_[i].low->setAccessibleName(QStringLiteral("Low ") + number);
        rows_[i].low->setPlaceholderText(QStringLiteral("Low"));
        rows_[i].high->setAccessibleName(QStringLiteral("High ") + number);
        rows_[i].high->setPlaceholderText(QStringLiteral("High"));
        for (QPushButton* remove : rows_[i].row->findChildren<QPushButton*>()) {
            remove->setAccessibleName(QStringLiteral("Remove input varied ") + number);
            remove->setEnabled(rows_.size() > 1);
        }
    }
    add_->setEnabled(rows_.size() < MaxVariedInputs);
}

std::optional<std::vector<VariedInput>> VariedInputRows::Read(QString& message) const {
    const char separator = context_.decimalSeparator;
    std::vector<VariedInput> inputs;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const QString number = QString::number(i + 1);
        const auto low = ReadNumber(*rows_[i].low, separator, QStringLiteral("Low ") + number, message);
        const auto high = ReadNumber(*rows_[i].high, separator, QStringLiteral("High ") + number, message);
        const InputField* field = &ChosenInput(*rows_[i].input);
        if (message.isEmpty() && !(*low < *high))
            message = QStringLiteral("Input varied %1: Low must be less than High.").arg(number);
        if (message.isEmpty() && std::any_of(inputs.begin(), inputs.end(),
                                             [field](const VariedInput& v) { return v.field == field; }))
            message = QStringLiteral("Input varied %1: %2 is varied twice.").arg(number, rows_[i].input->currentText());
        if (!message.isEmpty()) return std::nullopt;
        inputs.push_back({field, *low, *high});
    }
    return inputs;
}

}  // namespace vortane
