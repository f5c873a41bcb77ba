#pragma once

#include <QWidget>

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <stop_token>
#include <string_view>
#include <thread>
#include <vector>

#include "case/fitted_ranges.h"
#include "case/limit.h"
#include "chart/chart.h"
#include "study/sweep_curves.h"
#include "study/sweep_run.h"
#include "study/sweep_table.h"

class QChartView;
class QComboBox;
class QLineEdit;
class QListView;
class QLabel;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QTableView;
class QTimer;

namespace vortane {

class MapView;
class StoppedModel;
class SweepRowModel;

// Studies beside the main window: one or two inputs swept over a grid on worker
// threads, the chosen column of the runs charted against either input, one
// curve per value of the other, with the case's limits drawn; with two inputs
// a map of where the limits hold; and the rows in a table with vortane-calc's
// CSV columns. Every other input is the main window's text when Run is
// pressed; a study is marked stale while the main window's texts differ.
class StudyWindow final : public QWidget {
    Q_OBJECT

public:
    // `boxTexts` gives the main window's texts and `viscosityRanges` the data
    // their law was fitted on; `loadTexts` puts a point's texts into its boxes.
    StudyWindow(std::function<InputTexts()> boxTexts, std::function<FittedRanges()> viscosityRanges,
                std::function<void(const InputTexts&)> loadTexts, char decimalSeparator,
                QWidget* parent = nullptr);
    ~StudyWindow() override;

    bool Running() const { return worker_.joinable(); }

    // Shows the chart and the table in the units of `system`.
    void SetUnitSystem(UnitSystem system);

    // Where the case's limits come from; read whenever the chart is drawn.
    void SetLimits(std::function<std::vector<Limit>()> limits);
    // Where the kinds of warning the case accepts come from, likewise.
    void SetAcceptedWarnings(std::function<WarningKinds()> accepted);

    // Draws the chart and the map anew with the case's limits as they now
    // stand (another case opened, its limits changed).
    void ShowLimits();

    // Whether the study's results no longer hold for the main window's texts:
    // a box the study does not sweep differs from the text it ran with.
    bool Stale() const { return stale_; }

    // Marks the study stale, or no longer stale, as the main window's texts
    // now stand.
    void CheckStale();

    // Writes the sweep's CSV so far, exactly as vortane-calc writes it; says
    // in a message box when it cannot.
    bool ExportCsv(const QString& path);
    // Writes the chart as the core's SVG, or as a PNG of the view; says in a
    // message box when it cannot.
    bool ExportChartTo(const QString& path, bool svg);

signals:
    void SweepEnded();

private:
    struct Axis {
        QComboBox* field;
        QLineEdit *from, *to, *step;
    };

    void CreateControls();
    Axis CreateAxis(const QString& name, bool optional);
    void SetExample(const Axis& axis, std::string_view field, const char* from, const char* to,
                    const char* step) const;
    QWidget* CreateInputs();
    void CreateButtons();
    QWidget* CreateViews();
    void LayOut(QWidget* inputs, QWidget* views);
    std::unique_ptr<SweepPlan> PlanFromControls();
    void Run();
    void Consume(const PointResult& point, const std::stop_token& stop);
    void Cancel();
    void Drain();
    void Finish();
    void DrawChart();
    void DrawMap();
    Chart CurrentChart();
    Chart QuantityChart(const std::vector<Limit>& limits);
    std::optional<ChartMap> CurrentMap(const std::vector<Limit>& limits);
    void LoadRow(int row);
    void LoadPoint(std::size_t point);
    void ResetRange(const Axis& axis) const;
    void ShowAxisChoice();
    std::size_t Along() const;
    std::vector<Limit> DrawnLimits();
    void ExportChart(bool svg);

    std::function<InputTexts()> boxTexts_;
    std::function<FittedRanges()> viscosityRanges_;
    std::function<void(const InputTexts&)> loadTexts_;
    std::function<std::vector<Limit>()> limits_;
    std::function<WarningKinds()> accepted_;
    const char decimalSeparator_;

    std::unique_ptr<SweepPlan> plan_;
    std::unique_ptr<SweepTable> results_;  // the points taken, in order
    std::unique_ptr<SweepCurves> curves_;  // over results_

    // Handed over by the worker, taken by the user-interface thread; the
    // worker waits while the interface is behind by more than a bound.
    std::mutex mutex_;
    std::condition_variable_any room_;
    std::vector<PointResult> pending_;
    bool workerDone_ = false;
    std::stop_source stop_;
    std::jthread worker_;

    bool chartStale_ = false;
    bool mapStale_ = false;  // the map has not followed the last change yet
    ChartAxis mapX_;         // the map's first input, as the chart's x axis
    UnitSystem units_ = UnitSystem::Metric;
    bool stale_ = false;
    Axis first_, second_;
    QPushButton *run_, *cancel_, *exportCsv_, *exportSvg_, *exportPng_;
    QProgressBar* progress_;
    QComboBox* quantity_;
    QComboBox* along_;
    QComboBox* shade_;
    QLabel* staleNote_;
    QLabel* limitNote_;
    QTabWidget* tabs_;
    QChartView* chart_;
    MapView* map_;
    QLabel* mapPoint_;
    QTableView* table_;
    QListView* stopped_;
    // Views of results_, released before it.
    std::unique_ptr<SweepRowModel> model_;
    std::unique_ptr<StoppedModel> stoppedModel_;
    QTimer* drain_;
    QTimer* redraw_;
};

}  // namespace vortane
