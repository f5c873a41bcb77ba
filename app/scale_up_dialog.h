#pragma once

#include <optional>
#include <vector>

#include "app/design_dialog.h"
#include "design/scale_up.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QTableWidget;

namespace vortane {

class VariedInputRows;

// Design > Scale Up: the case carried to another barrel diameter. Asked: the
// new diameter, the Kept design's output, the columns it keeps (ticked) and,
// when chosen, the inputs it may move within bounds (else the core's), under
// the case's limits. The table has a row per design (Reference, each rule,
// Kept): each kept or watched column's value and its deviation from the
// reference, whether it is feasible, and the inputs that differ between them. A
// row selected, Apply puts its 28 texts into the boxes as one change; the
// table exports as vortane-calc --scale-to --csv writes it.
class ScaleUpDialog final : public DesignDialog {
    Q_OBJECT

public:
    ScaleUpDialog(DesignContext context, QWidget* parent);
    ~ScaleUpDialog() override { StopSearch(); }

    // Shows the case's limits, which Run takes, and its diameter and output
    // as the starting texts while no scale-up has been asked.
    void FollowCase();

    // The request of the search last run, and its table once it has ended;
    // a cancelled or failed search leaves none.
    const ScaleUpRequest& Request() const { return request_; }
    const std::optional<ScaleUpResult>& Result() const { return shown_; }
    std::optional<std::size_t> Selected() const;
    void Select(std::size_t row);

    // The table as CSV written whole at `path`; false after a message saying
    // why not (or when there is no table).
    bool ExportCsv(const QString& path);

private:
    QWidget* CreateInputs();
    QWidget* CreateResults();
    std::optional<Prepared> Prepare() override;
    Chart HistoryChart(const std::vector<Evaluation>& history) const override;
    QString Outcome() const override;
    std::size_t RunsMade() const override;
    std::vector<FoundText> Found() const override;
    void ShowTable();

    QLineEdit *diameter_, *output_;
    QListWidget* keep_;
    QCheckBox* ownBounds_;
    VariedInputRows* rows_;
    QLabel* limits_;
    QTableWidget* table_;
    QPushButton* exportCsv_;
    bool asked_ = false;  // a scale-up has been run: the texts typed stay
    ScaleUpRequest request_;
    std::optional<ScaleUpResult> result_;  // written by the search
    std::optional<ScaleUpResult> shown_;   // an ended search's table
};

}  // namespace vortane
