#pragma once

#include <QDialog>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

#include "case/limit.h"
#include "case/units.h"
#include "case/warning_kind.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace vortane {

// Design > Limits: the case's limits, one a row (the quantity by its caption
// and unit as the Results window shows them, at most or at least, the bound
// typed in the window's units), and the kinds of warning the case accepts.
// OK reads every row and gives the limits, in technical metric, and the kinds
// to `apply`; a row that does not read is named in the dialog, which stays
// open with every text as typed. Cancel gives nothing.
class LimitsDialog final : public QDialog {
    Q_OBJECT

public:
    using Apply = std::function<void(std::vector<Limit>, WarningKinds)>;

    LimitsDialog(const std::vector<Limit>& limits, WarningKinds accepted, UnitSystem system, char decimalSeparator,
                 Apply apply, QWidget* parent);

    // A row for one more limit: the first quantity, at most, no bound yet.
    void AddLimit();
    // Removes the current row, or the last when none is current.
    void RemoveLimit();
    int LimitCount() const { return static_cast<int>(rows_.size()); }

    // The limits of the rows in technical metric; none after naming the row
    // at fault (`faultRow`, from 0), and what is wrong with it, in `message`.
    // A row whose quantity and text are as the dialog showed them keeps its
    // bound exactly.
    std::optional<std::vector<Limit>> ReadLimits(QString& message, int& faultRow) const;
    WarningKinds AcceptedWarnings() const;

    void accept() override;

private:
    struct Row {
        QComboBox* quantity;
        QComboBox* bound;
        QLineEdit* value;
        QLabel* unit;
        std::optional<Limit> shown;  // the case's limit the row was opened with
        QString shownText;
    };

    void AddRow(const std::optional<Limit>& limit);
    void ShowUnit(const Row& row) const;
    void NameRows();

    const UnitSystem system_;
    const char decimalSeparator_;
    const Apply apply_;
    QTableWidget* table_;
    std::vector<Row> rows_;
    QPushButton *add_, *remove_;
    std::vector<std::pair<WarningKind, QCheckBox*>> accepted_;
    QLabel* problem_;
};

}  // namespace vortane
