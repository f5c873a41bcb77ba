#include "app/study_window.h"

#include <QBuffer>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QElapsedTimer>
#include <QListView>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <optional>

#include "app/chart_view.h"
#include "app/core_text.h"
#include "app/file_save.h"
#include "app/map_view.h"
#include "app/plain_text.h"
#include "app/screen_fit.h"
#include "app/stopped_model.h"
#include "app/sweep_row_model.h"
#include "app/unit_choice.h"
#include "case/number_text.h"
#include "document/svg_chart.h"
#include "report/report_layout.h"
#include "result/limit_check.h"
#include "study/sweep_charts.h"

namespace vortane {

namespace {

constexpr int DrainMilliseconds = 15;  // rows are taken from the workers this often
// The chart is redrawn at most this often while a sweep runs: each redraw
// holds the interface thread, which the workers share the cores with.
constexpr int RedrawMilliseconds = 1000;
constexpr int DrainBudgetMilliseconds = 20;  // the most one take may hold the interface
// Points the workers may be ahead of the interface; beyond, they wait.
constexpr std::size_t PendingLimit = 2048;
// Curves drawn at most while the sweep runs, so that a redraw holds the
// interface only briefly.
constexpr std::size_t RunningCurveLimit = 20;

// The map's shading items after "Categories only": a quantity each.
constexpr char ShadeBy[] = "Feasible cells by ";

}  // namespace

StudyWindow::StudyWindow(std::function<InputTexts()> boxTexts, std::function<FittedRanges()> viscosityRanges,
                         std::function<void(const InputTexts&)> loadTexts, char decimalSeparator,
                         QWidget* parent)
    : QWidget(parent, Qt::Window),
      boxTexts_(std::move(boxTexts)),
      viscosityRanges_(std::move(viscosityRanges)),
      loadTexts_(std::move(loadTexts)),
      decimalSeparator_(decimalSeparator) {
    setObjectName(QStringLiteral("StudyWindow"));
    setWindowTitle(QStringLiteral("Study — Vortane"));
    CreateControls();
    FitOnScreen(*this, {1000, 760});
    drain_ = new QTimer(this);
    drain_->setInterval(DrainMilliseconds);
    connect(drain_, &QTimer::timeout, this, &StudyWindow::Drain);
    redraw_ = new QTimer(this);
    redraw_->setInterval(RedrawMilliseconds);
    connect(redraw_, &QTimer::timeout, this, [this] {
        if (chartStale_) DrawChart();
    });
}

StudyWindow::~StudyWindow() {
    stop_.request_stop();
    if (worker_.joinable()) worker_.join();
}

StudyWindow::Axis StudyWindow::CreateAxis(const QString& name, bool optional) {
    Axis axis{new QComboBox, new QLineEdit, new QLineEdit, new QLineEdit};
    axis.field->setAccessibleName(name);
    if (optional) axis.field->addItem(QStringLiteral("(none)"));
    for (const InputField& field : InputFields())
        axis.field->addItem(FromUtf8(ReportCaption(field)), field.box);
    const QString suffix = optional ? QStringLiteral(" (second input)") : QString();
    axis.from->setAccessibleName(QStringLiteral("From") + suffix);
    axis.to->setAccessibleName(QStringLiteral("To") + suffix);
    axis.step->setAccessibleName(QStringLiteral("Step") + suffix);
    return axis;
}

void StudyWindow::SetExample(const Axis& axis, std::string_view field, const char* from, const char* to,
                             const char* step) const {
    axis.field->setCurrentIndex(axis.field->findData(FindInputField(field)->box));
    for (const auto& [edit, text] : {std::pair{axis.from, from}, {axis.to, to}, {axis.step, step}})
        edit->setText(QString::fromLatin1(text).replace(u'.', QChar::fromLatin1(decimalSeparator_)));
}

void StudyWindow::CreateControls() {
    first_ = CreateAxis(QStringLiteral("First input"), false);
    second_ = CreateAxis(QStringLiteral("Second input"), true);
    // A first study to start from: throughput against screw speed.
    SetExample(first_, "OutputRate", "100", "400", "10");
    SetExample(second_, "ScrewSpeed", "40", "120", "20");
    QWidget* inputs = CreateInputs();
    CreateButtons();
    LayOut(inputs, CreateViews());
    for (const Axis* axis : {&first_, &second_})
        connect(axis->field, &QComboBox::currentIndexChanged, this, [this, axis = *axis] {
            ResetRange(axis);
            ShowAxisChoice();
        });
    ShowAxisChoice();
}

// FROM, TO and STEP of a newly chosen input: the range the core suggests
// around the main window's number in it, else around its default.
void StudyWindow::ResetRange(const Axis& axis) const {
    const int box = axis.field->currentData().toInt();
    if (box == 0) return;  // no second input
    const InputField& field = InputFields()[static_cast<std::size_t>(box - 1)];
    const std::optional<double> value =
        ConvertReal(boxTexts_()[static_cast<std::size_t>(box - 1)], decimalSeparator_);
    const SweepRange range = value && std::isfinite(*value) ? SuggestedRange(field, *value, decimalSeparator_)
                                                            : SuggestedRange(field, decimalSeparator_);
    axis.from->setText(FromUtf8(range.from));
    axis.to->setText(FromUtf8(range.to));
    axis.step->setText(FromUtf8(range.step));
}

// The x axis offers the swept inputs: those of the study run, else those chosen.
void StudyWindow::ShowAxisChoice() {
    QStringList captions;
    if (plan_) {
        for (const SweepAxis& axis : plan_->axes) captions << FromUtf8(ReportCaption(*axis.field));
    } else {
        for (const Axis* axis : {&first_, &second_})
            if (axis->field->currentData().toInt() != 0) captions << axis->field->currentText();
    }
    const int chosen = std::min(std::max(along_->currentIndex(), 0), static_cast<int>(captions.size()) - 1);
    const QSignalBlocker quiet(along_);
    along_->clear();
    for (const QString& caption : captions) along_->addItem(QStringLiteral("Against ") + caption);
    along_->setCurrentIndex(chosen);
}

std::size_t StudyWindow::Along() const { return static_cast<std::size_t>(std::max(along_->currentIndex(), 0)); }

// The two axes under their heads From, To and Step.
QWidget* StudyWindow::CreateInputs() {
    auto* inputs = new QGroupBox(QStringLiteral("Swept inputs"));
    auto* grid = new QFormLayout(inputs);
    auto* heads = new QHBoxLayout;
    heads->addStretch(3);
    for (const char* head : {"From", "To", "Step"}) heads->addWidget(new QLabel(QString::fromLatin1(head)), 1);
    grid->addRow(QString(), heads);
    for (const Axis* axis : {&first_, &second_}) {
        auto* row = new QHBoxLayout;
        row->addWidget(axis->field, 3);
        for (QLineEdit* edit : {axis->from, axis->to, axis->step}) {
            edit->setPlaceholderText(edit->accessibleName().section(u' ', 0, 0).toUpper());
            row->addWidget(edit, 1);
        }
        grid->addRow(axis == &first_ ? QStringLiteral("First:") : QStringLiteral("Second:"), row);
    }
    return inputs;
}

// Run, Cancel, the progress, the quantity charted and the exports.
void StudyWindow::CreateButtons() {
    run_ = new QPushButton(QStringLiteral("Run"));
    cancel_ = new QPushButton(QStringLiteral("Cancel"));
    cancel_->setEnabled(false);
    run_->setAccessibleName(run_->text());
    cancel_->setAccessibleName(cancel_->text());
    progress_ = new QProgressBar;
    progress_->setAccessibleName(QStringLiteral("Progress"));
    quantity_ = new QComboBox;
    quantity_->setAccessibleName(QStringLiteral("Quantity"));
    ListQuantities(*quantity_, units_);
    along_ = new QComboBox;
    along_->setAccessibleName(QStringLiteral("X axis"));
    staleNote_ = new QLabel(QStringLiteral("Stale: the main window's inputs have changed since this study ran; "
                                           "run it again."));
    staleNote_->setAccessibleName(QStringLiteral("Stale study"));
    staleNote_->setStyleSheet(QStringLiteral("QLabel { color: #9c1f1f; font-weight: bold; }"));
    staleNote_->setWordWrap(true);
    staleNote_->hide();
    limitNote_ = PlainLabel();
    limitNote_->setAccessibleName(QStringLiteral("Limits"));
    limitNote_->setWordWrap(true);
    limitNote_->hide();
    exportCsv_ = new QPushButton(QStringLiteral("Export CSV..."));
    exportCsv_->setAccessibleName(QStringLiteral("Export CSV"));
    exportSvg_ = new QPushButton(QStringLiteral("Export SVG..."));
    exportSvg_->setAccessibleName(QStringLiteral("Export SVG"));
    exportPng_ = new QPushButton(QStringLiteral("Export PNG..."));
    exportPng_->setAccessibleName(QStringLiteral("Export PNG"));
    connect(run_, &QPushButton::clicked, this, &StudyWindow::Run);
    connect(cancel_, &QPushButton::clicked, this, &StudyWindow::Cancel);
    connect(quantity_, &QComboBox::currentIndexChanged, this, [this] {
        if (plan_ && curves_) ShowChart(*chart_, QuantityChart(DrawnLimits()));
    });
    connect(along_, &QComboBox::currentIndexChanged, this, [this] {
        if (results_) curves_ = std::make_unique<SweepCurves>(*results_, ChartableQuantities(), Along());
        DrawChart();
    });
    connect(exportCsv_, &QPushButton::clicked, this, [this] {
        const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Export CSV"), {},
                                                          QStringLiteral("CSV (*.csv)"));
        if (!path.isEmpty()) ExportCsv(path);
    });
    connect(exportSvg_, &QPushButton::clicked, this, [this] { ExportChart(true); });
    connect(exportPng_, &QPushButton::clicked, this, [this] { ExportChart(false); });
}

// The chart, the rows and the stopped points, one above the other.
QWidget* StudyWindow::CreateViews() {
    chart_ = new QChartView(new QChart);
    chart_->setAccessibleName(QStringLiteral("Chart"));
    chart_->setRenderHint(QPainter::Antialiasing);
    model_ = std::make_unique<SweepRowModel>();
    table_ = new QTableView;
    table_->setAccessibleName(QStringLiteral("Rows"));
    table_->setModel(model_.get());
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->verticalHeader()->setDefaultSectionSize(20);
    // A value's shortest round-trip text whole.
    table_->horizontalHeader()->setDefaultSectionSize(table_->fontMetrics().horizontalAdvance(WidestRoundTrip) +
                                                     2 * table_->fontMetrics().averageCharWidth());
    connect(table_, &QTableView::doubleClicked, this, [this](const QModelIndex& index) { LoadRow(index.row()); });
    stoppedModel_ = std::make_unique<StoppedModel>();
    stopped_ = new QListView;
    stopped_->setAccessibleName(QStringLiteral("Stopped points"));
    stopped_->setModel(stoppedModel_.get());
    stopped_->setUniformItemSizes(true);
    map_ = new MapView;
    mapPoint_ = PlainLabel();
    mapPoint_->setAccessibleName(QStringLiteral("Map point"));
    mapPoint_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    const QString mapHint = QStringLiteral("Hover a cell to see its point; double-click it to load the point.");
    mapPoint_->setText(mapHint);
    connect(map_, &MapView::CellHovered, mapPoint_, [this, mapHint](const QString& text) {
        mapPoint_->setText(text.isEmpty() ? mapHint : text.section(u'\n', 0, 0));  // the tooltip tells the rest
    });
    connect(map_, &MapView::PointChosen, this, &StudyWindow::LoadPoint);
    // What shades the feasible cells: nothing but their category, or a
    // quantity of their runs as an objective.
    shade_ = new QComboBox;
    shade_->setAccessibleName(QStringLiteral("Map shading"));
    shade_->addItem(QStringLiteral("Categories only"));
    ListQuantities(*shade_, units_, QString::fromLatin1(ShadeBy), 1);
    connect(shade_, &QComboBox::currentIndexChanged, this, [this] {
        mapStale_ = true;
        if (tabs_->currentIndex() == 1) DrawMap();
    });
    auto* shadeBar = new QHBoxLayout;
    auto* shadeLabel = new QLabel(QStringLiteral("Shade:"));
    shadeLabel->setBuddy(shade_);
    shadeBar->addWidget(shadeLabel);
    shadeBar->addWidget(shade_, 1);
    auto* mapPage = new QWidget;
    auto* mapLayout = new QVBoxLayout(mapPage);
    mapLayout->setContentsMargins(0, 0, 0, 0);
    mapLayout->addLayout(shadeBar);
    mapLayout->addWidget(map_, 1);
    mapLayout->addWidget(mapPoint_);
    tabs_ = new QTabWidget;
    tabs_->setAccessibleName(QStringLiteral("Views"));
    tabs_->addTab(chart_, QStringLiteral("Chart"));
    tabs_->addTab(mapPage, QStringLiteral("Feasible map"));
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int tab) {
        if (tab == 1 && mapStale_) DrawMap();
    });
    auto* split = new QSplitter(Qt::Vertical);
    split->addWidget(tabs_);
    split->addWidget(table_);
    split->addWidget(stopped_);
    chart_->setMinimumHeight(300);
    split->setSizes({420, 180, 80});
    return split;
}

void StudyWindow::LayOut(QWidget* inputs, QWidget* views) {
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(run_);
    buttons->addWidget(cancel_);
    buttons->addWidget(progress_, 1);
    auto* chartBar = new QHBoxLayout;
    chartBar->addWidget(quantity_, 2);
    chartBar->addWidget(along_, 1);
    chartBar->addWidget(exportSvg_);
    chartBar->addWidget(exportPng_);
    chartBar->addWidget(exportCsv_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(inputs);
    layout->addLayout(buttons);
    layout->addLayout(chartBar);
    layout->addWidget(staleNote_);
    layout->addWidget(limitNote_);
    layout->addWidget(views, 1);
}

// The plan of the swept inputs over the main window's texts; none, after a
// message naming the input at fault, when the bounds do not make one.
std::unique_ptr<SweepPlan> StudyWindow::PlanFromControls() {
    std::vector<SweepAxis> axes;
    try {
        for (const Axis* axis : {&first_, &second_}) {
            const int box = axis->field->currentData().toInt();
            if (box == 0) continue;  // no second input
            const InputField& field = InputFields()[static_cast<std::size_t>(box - 1)];
            try {
                axes.push_back(MakeSweepAxis(field, axis->from->text().toStdString(),
                                             axis->to->text().toStdString(),
                                             axis->step->text().toStdString(), decimalSeparator_));
            } catch (const SweepError& error) {
                throw SweepError((axis == &first_ ? "First input: " : "Second input: ") +
                                 std::string(error.what()));
            }
        }
        auto plan = std::make_unique<SweepPlan>(MakeSweepPlan(boxTexts_(), std::move(axes), decimalSeparator_, {}));
        plan->viscosityRanges = viscosityRanges_();
        return plan;
    } catch (const SweepError& error) {
        WarnPlain(this, QStringLiteral("Vortane"), FromUtf8(error.what()));
        return nullptr;
    }
}

void StudyWindow::Run() {
    if (Running()) return;
    std::unique_ptr<SweepPlan> plan = PlanFromControls();
    if (!plan) return;
    // The views leave the last sweep's results before they go.
    auto results = std::make_unique<SweepTable>(*plan);
    model_->Reset(results.get());
    stoppedModel_->Reset(results.get());
    results_ = std::move(results);
    plan_ = std::move(plan);
    ShowAxisChoice();
    curves_ = std::make_unique<SweepCurves>(*results_, ChartableQuantities(), Along());
    CheckStale();

    progress_->setRange(0, static_cast<int>(PointCount(*plan_)));
    progress_->setValue(0);
    run_->setEnabled(false);
    cancel_->setEnabled(true);
    pending_.clear();
    workerDone_ = false;
    stop_ = std::stop_source();
    DrawChart();

    worker_ = std::jthread([this, stop = stop_.get_token()] {
        RunSweep(*plan_, {0, {}, stop}, [this, &stop](const PointResult& point) { Consume(point, stop); });
        {
            const std::lock_guard lock(mutex_);
            workerDone_ = true;
        }
        QMetaObject::invokeMethod(this, &StudyWindow::Drain, Qt::QueuedConnection);
    });
    drain_->start();
    redraw_->start();
}

// On the sweep's thread: hands a point over, first waiting while the interface
// has PendingLimit points still to take; a stop request ends the wait and the
// point is dropped, as the sweep stops.
void StudyWindow::Consume(const PointResult& point, const std::stop_token& stop) {
    std::unique_lock lock(mutex_);
    if (room_.wait(lock, stop, [this] { return pending_.size() < PendingLimit; })) pending_.push_back(point);
}

// The workers stop after the points under way; the rows not yet taken are
// dropped, so the table keeps the first points, in order.
void StudyWindow::Cancel() { stop_.request_stop(); }

// Takes the rows the workers have handed over: the table, the curves, the
// stopped points and the progress follow.
void StudyWindow::Drain() {
    if (!worker_.joinable()) return;
    const bool cancelled = stop_.stop_requested();
    std::vector<PointResult> taken;
    bool done;
    {
        const std::lock_guard lock(mutex_);
        if (cancelled) pending_.clear();
        taken.swap(pending_);
        done = workerDone_;
    }
    room_.notify_all();
    QElapsedTimer budget;
    budget.start();
    std::vector<std::size_t> stopped;
    std::size_t used = 0;
    for (; used < taken.size() && !(used % 256 == 0 && budget.elapsed() > DrainBudgetMilliseconds); ++used) {
        const PointResult& point = taken[used];
        results_->Add(point);
        if (point.run.outcome != RunOutcome::Complete) stopped.push_back(point.index);
    }
    if (used < taken.size()) {  // the rest in the next take, ahead of newer rows
        const std::lock_guard lock(mutex_);
        pending_.insert(pending_.begin(), std::make_move_iterator(taken.begin() + static_cast<std::ptrdiff_t>(used)),
                        std::make_move_iterator(taken.end()));
        done = false;
    }
    if (used > 0) {
        model_->ShowAll();
        stoppedModel_->Add(stopped);
        progress_->setValue(static_cast<int>(results_->Size()));
        chartStale_ = true;
    }
    if (done) Finish();
}

void StudyWindow::Finish() {
    drain_->stop();
    redraw_->stop();
    worker_.join();
    DrawChart();  // with all the curves it may show
    run_->setEnabled(true);
    cancel_->setEnabled(false);
    emit SweepEnded();
}

// The chosen quantity against the chosen input, one curve per value of the
// other; a point that stopped (or is still to come) breaks its curve. With two
// inputs, the map beside it: drawn now when it shows or the sweep has ended,
// else when its tab is chosen, for a large map takes a while to judge.
void StudyWindow::DrawChart() {
    chartStale_ = false;
    const Chart chart = QuantityChart(DrawnLimits());
    ShowChart(*chart_, chart);
    mapX_ = chart.x;
    const bool mapped = plan_ && plan_->axes.size() == 2;
    tabs_->setTabEnabled(1, mapped);
    mapStale_ = true;
    if (!mapped || !Running() || tabs_->currentIndex() == 1) DrawMap();
}

// The map of where the limits hold, shaded as chosen; a hovered cell tells
// its point as the core describes it.
void StudyWindow::DrawMap() {
    mapStale_ = false;
    const std::vector<Limit> limits = DrawnLimits();
    std::optional<ChartMap> map = CurrentMap(limits);
    MapView::Describe describe;
    if (map)
        describe = [this, limits, units = units_, x = mapX_](const ChartMap& shown, std::size_t cell) {
            QStringList lines;
            for (const std::string& line : MapCellLines(*results_, shown, x, cell, limits, units))
                lines << FromUtf8(line);
            return lines.join(u'\n');
        };
    map_->Show(mapX_, std::move(map), std::move(describe));
}

// The case's limits, when every one names a column; else none, and a note
// saying why.
std::vector<Limit> StudyWindow::DrawnLimits() {
    std::vector<Limit> limits = limits_ ? limits_() : std::vector<Limit>{};
    try {
        LimitColumns(limits);
        limitNote_->hide();
        return limits;
    } catch (const LimitError& error) {
        limitNote_->setText(QStringLiteral("Limits not drawn: ") + FromUtf8(error.what()));
        limitNote_->show();
        return {};
    }
}

// The chosen quantity against the chosen input and, with two inputs, the map
// of where the limits hold, as the core describes them.
Chart StudyWindow::CurrentChart() {
    const std::vector<Limit> limits = DrawnLimits();
    Chart chart = QuantityChart(limits);
    chart.map = CurrentMap(limits);
    return chart;
}

Chart StudyWindow::QuantityChart(const std::vector<Limit>& limits) {
    if (!plan_ || !curves_) return {};
    const auto quantity = static_cast<std::size_t>(std::max(quantity_->currentIndex(), 0));
    return SweepQuantityChart(*plan_, *curves_, quantity, Running() ? RunningCurveLimit : SweepCurveLimit, limits,
                              units_);
}

std::optional<ChartMap> StudyWindow::CurrentMap(const std::vector<Limit>& limits) {
    if (!plan_ || !curves_ || plan_->axes.size() != 2) return std::nullopt;
    ChartMap map = FeasibleMap(*results_, curves_->Along(), limits, accepted_ ? accepted_() : WarningKinds{}, units_);
    if (const int shade = shade_->currentIndex(); shade > 0)
        ShadeFeasible(map, *results_, ChartableQuantities()[static_cast<std::size_t>(shade - 1)], units_);
    return map;
}

void StudyWindow::SetUnitSystem(UnitSystem system) {
    units_ = system;
    model_->SetUnitSystem(system);
    ListQuantities(*quantity_, system);
    ListQuantities(*shade_, system, QString::fromLatin1(ShadeBy), 1);
    DrawChart();
}

void StudyWindow::LoadRow(int row) {
    if (row >= 0) LoadPoint(static_cast<std::size_t>(row));
}

void StudyWindow::LoadPoint(std::size_t point) {
    if (!plan_ || point >= results_->Size()) return;
    loadTexts_(PointTexts(*plan_, point));
}

void StudyWindow::SetLimits(std::function<std::vector<Limit>()> limits) {
    limits_ = std::move(limits);
    DrawChart();
}

void StudyWindow::SetAcceptedWarnings(std::function<WarningKinds()> accepted) {
    accepted_ = std::move(accepted);
    DrawChart();
}

void StudyWindow::ShowLimits() {
    if (plan_ && !Running()) DrawChart();
}

void StudyWindow::CheckStale() {
    bool stale = false;
    if (plan_) {
        const InputTexts now = boxTexts_();
        for (std::size_t box = 0; box < now.size() && !stale; ++box) {
            const bool swept = std::any_of(plan_->axes.begin(), plan_->axes.end(), [box](const SweepAxis& axis) {
                return static_cast<std::size_t>(axis.field->box) == box + 1;
            });
            stale = !swept && now[box] != plan_->base[box];
        }
    }
    stale_ = stale;
    staleNote_->setVisible(stale);
    setWindowTitle(stale ? QStringLiteral("Study (stale) — Vortane") : QStringLiteral("Study — Vortane"));
}

bool StudyWindow::ExportCsv(const QString& path) {
    try {
        FileWriter file(SystemFileName(path));
        if (results_) WriteSweepCsv(*results_, [&file](std::string_view piece) {
            file.Write(piece);
            return true;
        });
        file.Commit();
        return true;
    } catch (const FileWriteError& error) {
        ShowWriteFailure(this, QStringLiteral("Vortane"), error);
        return false;
    }
}

void StudyWindow::ExportChart(bool svg) {
    const QString path = QFileDialog::getSaveFileName(this, svg ? QStringLiteral("Export SVG") : QStringLiteral("Export PNG"), {},
                                                      svg ? QStringLiteral("SVG (*.svg)") : QStringLiteral("PNG (*.png)"));
    if (!path.isEmpty()) ExportChartTo(path, svg);
}

bool StudyWindow::ExportChartTo(const QString& path, bool svg) {
    if (svg)  // the core's SVG of the chart, as vortane-calc --plot writes it
        return SaveFile(this, QStringLiteral("Vortane"), path, SvgDocument(CurrentChart()));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!chart_->grab().save(&buffer, "PNG")) {  // no picture is no file
        ShowWriteFailure(this, QStringLiteral("Vortane"),
                         FileWriteError("cannot write " + SystemFileName(path) + ": the picture cannot be encoded"));
        return false;
    }
    return SaveFile(this, QStringLiteral("Vortane"), path, {png.constData(), static_cast<std::size_t>(png.size())});
}

}  // namespace vortane
