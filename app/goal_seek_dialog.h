#pragma once

#include <optional>

#include "app/design_dialog.h"
#include "design/goal_seek.h"

namespace vortane {

// Design > Goal Seek: one real box varied between its bounds until a quantity
// of the run reaches its target within the tolerance. Every other box keeps
// the main window's text when Run is pressed.
class GoalSeekDialog final : public DesignDialog {
    Q_OBJECT

public:
    GoalSeekDialog(DesignContext context, QWidget* parent);
    ~GoalSeekDialog() override { StopSearch(); }

    const std::optional<GoalSeekResult>& Result() const { return result_; }

private:
    QWidget* CreateInputs();
    std::optional<Prepared> Prepare() override;
    Chart HistoryChart(const std::vector<Evaluation>& history) const override;
    QString Outcome() const override;
    std::vector<FoundText> Found() const override;

    QComboBox* input_;
    QLineEdit *low_, *high_;
    QComboBox* quantity_;
    QLineEdit *target_, *tolerance_;
    // Of the search last run: its request, and its result once it has ended.
    GoalSeekRequest request_;
    std::optional<GoalSeekResult> result_;
};

}  // namespace vortane
