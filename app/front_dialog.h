#pragma once

#include <optional>
#include <vector>

#include "app/design_dialog.h"
#include "design/pareto_front.h"

class QCheckBox;
class QLabel;
class QTableWidget;

namespace vortane {

class VariedInputRows;

// Design > Trade-offs: the Pareto front of two or three quantities of the
// run, each minimised or maximised, over up to six real boxes within bounds,
// subject to the case's limits. The front is charted (each pair of
// objectives when there are three, the knee ringed) and tabled, a row per
// design, the knee's marked; a row chosen or a point clicked selects its
// design, which Apply puts into the boxes. The front exports as the
// command line writes it: its table as CSV, its charts as SVG.
class FrontDialog final : public DesignDialog {
    Q_OBJECT

public:
    FrontDialog(DesignContext context, QWidget* parent);
    ~FrontDialog() override { StopSearch(); }

    // Shows the case's limits, which Run takes.
    void FollowCaseLimits();

    // The request of the search last run, and its front once it has ended
    // complete; a cancelled or failed search leaves none.
    const FrontRequest& Request() const { return request_; }
    const std::optional<FrontResult>& Result() const { return shown_; }
    // The design selected in the table, if any.
    std::optional<std::size_t> Selected() const;
    void Select(std::size_t design);

    // The front's table as CSV, its charts as SVG, written whole at `path`;
    // false after a message saying why not (or when there is no front).
    bool ExportCsv(const QString& path);
    bool ExportSvg(const QString& path);

private:
    struct Aim {
        QComboBox* direction;
        QComboBox* quantity;
    };

    QWidget* CreateInputs();
    QWidget* CreateResults();
    std::optional<Prepared> Prepare() override;
    Chart HistoryChart(const std::vector<Evaluation>& history) const override;
    QString Outcome() const override;
    // The front's optimisations share their runs: fewer are made than asked.
    std::size_t RunsMade() const override;
    std::vector<FoundText> Found() const override;
    void ShowFront();
    void FollowPoints(QChartView& view);
    QString DesignText(std::size_t design) const;
    std::optional<std::size_t> NearestDesign(const QChartView& view, QPointF at) const;

    VariedInputRows* rows_;
    std::vector<Aim> aims_;
    QCheckBox* third_;
    QLabel* limits_;
    QTableWidget* table_;
    QChartView* second_;  // the third objective against the second
    QPushButton *exportCsv_, *exportSvg_;
    FrontRequest request_;
    std::optional<FrontResult> result_;  // written by the search
    std::optional<FrontResult> shown_;   // a complete front, as tabled
};

}  // namespace vortane
