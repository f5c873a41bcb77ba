#pragma once

#include <QWidget>

#include <optional>
#include <vector>

#include "case/limit.h"
#include "case/units.h"
#include "comparison/comparison.h"
#include "document/report_document.h"
#include "model/profile_along_channels.h"
#include "run/calculation_run.h"

class QChartView;
class QFormLayout;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace vortane {

class ComparisonView;

// What the last run found, beside the main window: the case it belongs to, the
// channel characteristics and results with their units, the design
// indicators, the warnings, the pressures and flow along the channels, the
// report blocks the run wrote and where they lie. It follows every run; every
// value and warning is also given to assistive technology as text, and no
// text, however long, widens the window. Pin as Baseline keeps the shown
// result: later runs are then shown beside it, with their differences, the
// limits met or failed in each and both profiles overlaid, until Unpin.
class ResultsWindow final : public QWidget {
    Q_OBJECT

public:
    explicit ResultsWindow(QWidget* parent = nullptr);

    // Shows `result`, whose report is `reportPath`.
    void ShowRun(const RunResult& result, const QString& reportPath, char decimalSeparator);
    // Shows the values, their captions and the chart in the units of
    // `system`; the report text stays as the run wrote it.
    void SetUnitSystem(UnitSystem system);
    // Names the case the shown run belongs to in the title and header,
    // marked when the run's inputs differ from that case's file.
    void ShowCase(const QString& caseName, bool differsFromFile);
    // Shows the window with the warnings in view and focused.
    void ShowWarnings();
    // The case's limits and the kinds of warning it accepts: the shown run
    // and a pinned baseline are judged by them, and so are the runs that follow.
    void SetLimits(std::vector<Limit> limits, WarningKinds accepted);
    // With a baseline pinned, `document` (the shown run's) gains the
    // comparison shown: the table against the baseline and both profiles.
    void AddPinnedComparison(ReportDocument& document) const;

private:
    void OpenReportFolder();
    void TogglePin();
    void ShowPinned();
    Comparison PinnedComparison() const;
    Chart PinnedProfiles() const;
    void ShowValues();

    std::optional<RunResult> run_;  // the run shown
    char decimalSeparator_ = '.';
    UnitSystem units_ = UnitSystem::Metric;

    QLabel* caseName_;
    QLabel* stop_;
    QFormLayout* values_;
    QFormLayout* indicators_;
    QLabel* warnings_;
    QChartView* chart_;
    QPlainTextEdit* report_;
    QLabel* reportPath_;
    QPushButton* openFolder_;

    // Pin as Baseline.
    QPushButton* pin_;
    QWidget* single_;  // the values of the shown run alone
    ComparisonView* comparison_;
    std::vector<Limit> limits_;
    WarningKinds accepted_;
    std::optional<ComparedDesign> current_, baseline_;
    std::vector<ChannelPoint> currentProfile_, baselineProfile_;
};

}  // namespace vortane
