#pragma once

#include <optional>
#include <vector>

#include "app/design_dialog.h"
#include "design/optimisation.h"

class QPlainTextEdit;
class QSpinBox;

namespace vortane {

class VariedInputRows;

// Design > Optimise: up to six real boxes varied between their bounds, one
// quantity of the run minimised or maximised subject to limits, one per line
// as "TemperatureRise<=30", an empty box saying "(no limits)": the case's
// limits, one list; the runs allowed and the tolerance. Every other box
// keeps the main window's text when Run is pressed.
class OptimiseDialog final : public DesignDialog {
    Q_OBJECT

public:
    OptimiseDialog(DesignContext context, QWidget* parent);
    ~OptimiseDialog() override { StopSearch(); }

    // Puts the case's limits into the limits' box, in place of its text.
    void TakeCaseLimits();
    // The box holds the case's limits: a change of them made elsewhere (the
    // Limits dialog, a case opened) replaces its text; lines typed that read as
    // limits of a run set the case's.
    void FollowCaseLimits();
    // Adds a row for one more input varied; none beyond six.
    void AddInput();

    const std::optional<OptimisationResult>& Result() const { return result_; }

private:
    QWidget* CreateInputs();
    std::optional<std::vector<Limit>> ReadLimits(QString& message) const;
    void GiveCaseLimits();
    std::optional<Prepared> Prepare() override;
    Chart HistoryChart(const std::vector<Evaluation>& history) const override;
    QString Outcome() const override;
    std::vector<FoundText> Found() const override;

    VariedInputRows* rows_;
    QComboBox *objective_, *direction_;
    QPlainTextEdit* limits_;
    std::vector<Limit> boxLimits_;  // the case's limits the box last took or gave
    bool takingLimits_ = false;
    QSpinBox* runLimit_;
    QLineEdit* tolerance_;
    // Of the search last run: its request, and its result once it has ended.
    OptimisationRequest request_;
    std::optional<OptimisationResult> result_;
};

}  // namespace vortane
