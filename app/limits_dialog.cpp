#include "app/limits_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <utility>

#include "app/core_text.h"
#include "app/plain_text.h"
#include "app/screen_fit.h"
#include "app/unit_choice.h"
#include "case/number_text.h"
#include "result/limit_check.h"
#include "result/run_table.h"
#include "result/unit_caption.h"
#include "study/sweep_curves.h"

namespace vortane {

namespace {

enum Column { QuantityColumn, BoundColumn, ValueColumn, UnitColumn };

// What a limit's bound measures: its column's quantity, a temperature with its
// offset.
Quantity BoundQuantity(const std::string& name) {
    const RunColumn* column = LimitColumn(name);
    return column != nullptr ? column->quantity : Quantity::Dimensionless;
}

QString UnitText(Quantity quantity, UnitSystem system) {
    return quantity == Quantity::Dimensionless ? QString() : FromUtf8(UnitIn(quantity, system).symbol);
}

// The quantities a limit may name, by their captions in `system` as the Results
// window shows them; each item's data is the name a limit takes.
QComboBox* QuantityChoice(UnitSystem system) {
    auto* combo = new QComboBox;
    ListQuantities(*combo, system);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    return combo;
}

}  // namespace

LimitsDialog::LimitsDialog(const std::vector<Limit>& limits, WarningKinds accepted, UnitSystem system,
                           char decimalSeparator, Apply apply, QWidget* parent)
    : QDialog(parent), system_(system), decimalSeparator_(decimalSeparator), apply_(std::move(apply)) {
    setObjectName(QStringLiteral("LimitsDialog"));
    setWindowTitle(QStringLiteral("Limits — Vortane"));

    auto* intro = PlainLabel(QStringLiteral("A feasible design meets every limit. Bounds are typed in the "
                                            "units View > Units chose."));
    intro->setWordWrap(true);
    table_ = new QTableWidget(0, 4);
    table_->setObjectName(QStringLiteral("LimitTable"));
    table_->setAccessibleName(QStringLiteral("Limits"));
    table_->setHorizontalHeaderLabels(
        {QStringLiteral("Quantity"), QStringLiteral("Bound"), QStringLiteral("Value"), QStringLiteral("Unit")});
    table_->verticalHeader()->setVisible(false);
    // Remove Limit takes the row of the control in focus: no cell is marked.
    table_->setSelectionMode(QAbstractItemView::NoSelection);
    table_->horizontalHeader()->setSectionResizeMode(QuantityColumn, QHeaderView::Stretch);
    for (const Column column : {BoundColumn, ValueColumn, UnitColumn})
        table_->horizontalHeader()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    for (const Limit& limit : limits) AddRow(limit);

    add_ = new QPushButton(QStringLiteral("&Add Limit"));
    add_->setAccessibleName(QStringLiteral("Add a limit"));
    remove_ = new QPushButton(QStringLiteral("&Remove Limit"));
    remove_->setAccessibleName(QStringLiteral("Remove the chosen limit"));
    connect(add_, &QPushButton::clicked, this, &LimitsDialog::AddLimit);
    connect(remove_, &QPushButton::clicked, this, &LimitsDialog::RemoveLimit);
    auto* edit = new QHBoxLayout;
    edit->addWidget(add_);
    edit->addWidget(remove_);
    edit->addStretch(1);

    auto* warnings = new QGroupBox(QStringLiteral("Accepted warnings: a design raising them may still be feasible"));
    warnings->setAccessibleName(QStringLiteral("Accepted warnings"));
    auto* kinds = new QVBoxLayout(warnings);
    for (const WarningKind kind : AllWarningKinds) {
        const QString name = FromUtf8(WarningKindName(kind));
        auto* box = new QCheckBox(name + QStringLiteral(": ") + FromUtf8(WarningKindMeaning(kind)));
        box->setObjectName(QStringLiteral("Accept ") + name);
        box->setAccessibleName(QStringLiteral("Accept warnings of ") + name);
        box->setChecked(accepted.Has(kind));
        kinds->addWidget(box);
        accepted_.emplace_back(kind, box);
    }

    problem_ = PlainLabel();
    problem_->setObjectName(QStringLiteral("LimitProblem"));
    problem_->setAccessibleName(QStringLiteral("Problem"));
    problem_->setWordWrap(true);
    problem_->setStyleSheet(QStringLiteral("QLabel { color: #9c1f1f; }"));
    problem_->hide();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setAccessibleName(QStringLiteral("Apply the limits to the case"));
    buttons->button(QDialogButtonBox::Cancel)->setAccessibleName(QStringLiteral("Discard the changes"));
    connect(buttons, &QDialogButtonBox::accepted, this, &LimitsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &LimitsDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(table_, 1);
    layout->addLayout(edit);
    layout->addWidget(warnings);
    layout->addWidget(problem_);
    layout->addWidget(buttons);
    NameRows();
    FitOnScreen(*this, {720, 460});
}

void LimitsDialog::AddLimit() {
    AddRow(std::nullopt);
    NameRows();
    table_->setCurrentCell(LimitCount() - 1, QuantityColumn);
    rows_.back().quantity->setFocus(Qt::OtherFocusReason);
}

void LimitsDialog::RemoveLimit() {
    if (rows_.empty()) return;
    int chosen = table_->currentRow();
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const Row& row = rows_[i];
        for (const QWidget* cell : {static_cast<QWidget*>(row.quantity), static_cast<QWidget*>(row.bound),
                                    static_cast<QWidget*>(row.value)})
            if (cell->hasFocus()) chosen = static_cast<int>(i);
    }
    if (chosen < 0 || chosen >= LimitCount()) chosen = LimitCount() - 1;
    table_->removeRow(chosen);
    rows_.erase(rows_.begin() + chosen);
    NameRows();
}

void LimitsDialog::AddRow(const std::optional<Limit>& limit) {
    Row row{QuantityChoice(system_), new QComboBox, new QLineEdit, PlainLabel(), limit, {}};
    row.bound->addItems({QStringLiteral("at most"), QStringLiteral("at least")});
    if (limit) {
        int item = row.quantity->findData(FromUtf8(limit->quantity));
        // A quantity of no run's column stays, by its name, for the row's message.
        if (item < 0) {
            row.quantity->addItem(FromUtf8(limit->quantity), FromUtf8(limit->quantity));
            item = row.quantity->count() - 1;
        }
        row.quantity->setCurrentIndex(item);
        row.bound->setCurrentIndex(limit->bound == LimitBound::AtLeast ? 1 : 0);
        row.shownText =
            FromUtf8(FormatShortest(InSystem(limit->value, BoundQuantity(limit->quantity), system_), decimalSeparator_));
        row.value->setText(row.shownText);
    }
    // A bound as the dialog writes it, converted to the units chosen: its
    // shortest round-trip text.
    row.value->setMinimumWidth(WidthToShow(*row.value, WidestRoundTrip));
    row.unit->setContentsMargins(4, 0, 4, 0);
    ShowUnit(row);
    connect(row.quantity, &QComboBox::currentIndexChanged, this, [this, unit = row.unit] {
        for (const Row& r : rows_)
            if (r.unit == unit) ShowUnit(r);
    });
    const int at = table_->rowCount();
    table_->insertRow(at);
    table_->setCellWidget(at, QuantityColumn, row.quantity);
    table_->setCellWidget(at, BoundColumn, row.bound);
    table_->setCellWidget(at, ValueColumn, row.value);
    table_->setCellWidget(at, UnitColumn, row.unit);
    rows_.push_back(row);
}

void LimitsDialog::ShowUnit(const Row& row) const {
    const QString unit = UnitText(BoundQuantity(row.quantity->currentData().toString().toStdString()), system_);
    row.unit->setText(unit);
    row.unit->setAccessibleDescription(unit.isEmpty() ? QStringLiteral("no unit") : unit);
}

// Each row's controls named by its number.
void LimitsDialog::NameRows() {
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const QString number = QString::number(i + 1);
        rows_[i].quantity->setAccessibleName(QStringLiteral("Quantity of limit ") + number);
        rows_[i].bound->setAccessibleName(QStringLiteral("At most or at least, limit ") + number);
        rows_[i].value->setAccessibleName(QStringLiteral("Bound of limit ") + number);
        rows_[i].value->setPlaceholderText(QStringLiteral("Bound"));
        rows_[i].unit->setAccessibleName(QStringLiteral("Unit of limit ") + number);
    }
    remove_->setEnabled(!rows_.empty());
}

std::optional<std::vector<Limit>> LimitsDialog::ReadLimits(QString& message, int& faultRow) const {
    std::vector<Limit> limits;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const Row& row = rows_[i];
        const QString number = QString::number(i + 1);
        Limit limit{row.quantity->currentData().toString().toStdString(),
                    row.bound->currentIndex() == 1 ? LimitBound::AtLeast : LimitBound::AtMost, 0};
        const RunColumn* column = LimitColumn(limit.quantity);
        const QString text = row.value->text().trimmed();
        if (column == nullptr) {
            message = QStringLiteral("Limit %1: %2 is no quantity of a run; choose one.")
                          .arg(number, row.quantity->currentText());
        } else if (text.isEmpty()) {
            message = QStringLiteral("Limit %1 (%2): the bound is empty; type a number.")
                          .arg(number, row.quantity->currentText());
        } else if (row.shown && row.shown->quantity == limit.quantity && row.value->text() == row.shownText) {
            limit.value = row.shown->value;
        } else if (const std::optional<double> value = ConvertReal(text.toStdString(), decimalSeparator_);
                   !value || !std::isfinite(*value)) {
            message = QStringLiteral("Limit %1 (%2): \"%3\" is not a number.")
                          .arg(number, row.quantity->currentText(), text);
        } else {
            limit.value = FromSystem(*value, column->quantity, system_);
        }
        if (!message.isEmpty()) {
            faultRow = static_cast<int>(i);
            return std::nullopt;
        }
        limits.push_back(limit);
    }
    return limits;
}

WarningKinds LimitsDialog::AcceptedWarnings() const {
    WarningKinds kinds;
    for (const auto& [kind, box] : accepted_)
        if (box->isChecked()) kinds.Add(kind);
    return kinds;
}

void LimitsDialog::accept() {
    QString message;
    int faultRow = 0;
    std::optional<std::vector<Limit>> limits = ReadLimits(message, faultRow);
    if (!limits) {
        problem_->setText(message);
        problem_->setAccessibleDescription(message);
        problem_->show();
        table_->setCurrentCell(faultRow, ValueColumn);
        rows_[static_cast<std::size_t>(faultRow)].value->setFocus(Qt::OtherFocusReason);
        return;
    }
    apply_(std::move(*limits), AcceptedWarnings());
    QDialog::accept();
}

}  // namespace vortane
