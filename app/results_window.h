#pragma once

#include <QWidget>

#include "run/calculation_run.h"

class QChartView;
class QFormLayout;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace vortane {

// What the last run found, beside the main window: the case, the channel
// characteristics and results with their units, the design indicators, the
// warnings, the pressures and flow along the channels, the report's text and
// where it lies. It follows every run.
class ResultsWindow final : public QWidget {
    Q_OBJECT

public:
    explicit ResultsWindow(QWidget* parent = nullptr);

    // Shows `result` of the case `caseName`, whose report is `reportPath`.
    void ShowRun(const RunResult& result, const QString& caseName, const QString& reportPath,
                 char decimalSeparator);

private:
    void OpenReportFolder();

    QLabel* caseName_;
    QLabel* stop_;
    QFormLayout* values_;
    QFormLayout* indicators_;
    QLabel* warnings_;
    QChartView* chart_;
    QPlainTextEdit* report_;
    QLabel* reportPath_;
    QPushButton* openFolder_;
};

}  // namespace vortane
