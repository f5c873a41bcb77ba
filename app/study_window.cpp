#include "app/study_window.h"

#include <QAbstractTableModel>
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
#include <QMessageBox>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QSaveFile>
#include <QSplitter>
#include <QSvgGenerator>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

#include "app/chart_view.h"
#include "app/core_text.h"
#include "report/report_layout.h"
#include "study/study_charts.h"
#include "study/study_csv.h"

namespace vortane {

namespace {

constexpr int DrainMilliseconds = 40;    // rows are taken from the workers this often
constexpr int RedrawMilliseconds = 200;  // and the chart redrawn at most this often
constexpr int DrainBudgetMilliseconds = 20;  // the most one take may hold the interface
// Curves drawn at most while the sweep runs, so that a redraw holds the
// interface only briefly.
constexpr std::size_t RunningCurveLimit = 20;

// The fields of one CSV line (without its line end); "" quotes a quote.
QStringList CsvFields(std::string_view line) {
    QStringList fields;
    std::string field;
    bool quoted = false;
    for (std::size_t at = 0; at < line.size(); ++at) {
        const char c = line[at];
        if (quoted && c == '"' && at + 1 < line.size() && line[at + 1] == '"') {
            field += '"';
            ++at;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (c == ',' && !quoted) {
            fields << QString::fromStdString(field);
            field.clear();
        } else if (c != '\n') {
            field += c;
        }
    }
    fields << QString::fromStdString(field);
    return fields;
}

// The values a sweep can chart: the three main ones first, then the other
// values of the report's channel and results blocks.
std::vector<ReportedValue> ChartableQuantities() {
    std::vector<ReportedValue> quantities = MainSweepQuantities();
    for (const auto* block : {&ChannelValues(), &ResultValues()})
        for (const ReportedValue& value : *block)
            if (std::none_of(quantities.begin(), quantities.end(),
                             [&](const ReportedValue& q) { return q.field == value.field; }))
                quantities.push_back(value);
    return quantities;
}

}  // namespace

// The points that stopped: their number, swept values, outcome and message.
class StoppedModel final : public QAbstractListModel {
public:
    StoppedModel(const std::vector<std::string>& rows, std::size_t axes) : rows_(rows), axes_(axes) {}

    void Reset(std::size_t axes) {
        beginResetModel();
        axes_ = axes;
        indices_.clear();
        endResetModel();
    }
    void Add(const std::vector<std::size_t>& rows) {
        if (rows.empty()) return;
        const int first = static_cast<int>(indices_.size());
        beginInsertRows({}, first, first + static_cast<int>(rows.size()) - 1);
        indices_.insert(indices_.end(), rows.begin(), rows.end());
        endInsertRows();
    }

    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : static_cast<int>(indices_.size());
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole) return {};
        const QStringList fields = CsvFields(rows_[indices_[static_cast<std::size_t>(index.row())]]);
        const int axes = static_cast<int>(axes_);
        return QStringLiteral("Point %1 (%2): %3 — %4")
            .arg(fields.value(0), fields.mid(1, axes).join(QStringLiteral(", ")), fields.value(axes + 1),
                 fields.value(axes + 3));
    }

private:
    const std::vector<std::string>& rows_;
    std::size_t axes_;
    std::vector<std::size_t> indices_;
};

// The rows of the sweep, with the CSV's columns.
class SweepRowModel final : public QAbstractTableModel {
public:
    explicit SweepRowModel(const std::vector<std::string>& rows) : rows_(rows) {}

    void Reset(const QStringList& header) {
        beginResetModel();
        header_ = header;
        shown_ = 0;
        endResetModel();
    }
    void ShowAll() {
        const int count = static_cast<int>(rows_.size());
        if (count == shown_) return;
        beginInsertRows({}, shown_, count - 1);
        shown_ = count;
        endInsertRows();
    }

    int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : shown_; }
    int columnCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : static_cast<int>(header_.size());
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole) return {};
        const QStringList fields = CsvFields(rows_[static_cast<std::size_t>(index.row())]);
        return index.column() < fields.size() ? fields[index.column()] : QString();
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
        return header_.value(section);
    }

private:
    const std::vector<std::string>& rows_;
    QStringList header_;
    int shown_ = 0;
};

StudyWindow::StudyWindow(std::function<InputTexts()> boxTexts,
                         std::function<void(const InputTexts&)> loadTexts, char decimalSeparator,
                         QWidget* parent)
    : QWidget(parent, Qt::Window),
      boxTexts_(std::move(boxTexts)),
      loadTexts_(std::move(loadTexts)),
      decimalSeparator_(decimalSeparator) {
    setObjectName(QStringLiteral("StudyWindow"));
    setWindowTitle(QStringLiteral("Study — Vortane"));
    resize(1000, 760);
    CreateControls();
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

void StudyWindow::CreateControls() {
    first_ = CreateAxis(QStringLiteral("First input"), false);
    second_ = CreateAxis(QStringLiteral("Second input"), true);
    // A first study to start from: throughput against screw speed.
    const auto example = [this](const Axis& axis, std::string_view name, const char* from, const char* to,
                                const char* step) {
        axis.field->setCurrentIndex(axis.field->findData(FindInputField(name)->box));
        for (const auto& [edit, text] : {std::pair{axis.from, from}, {axis.to, to}, {axis.step, step}})
            edit->setText(QString::fromLatin1(text).replace(u'.', QChar::fromLatin1(decimalSeparator_)));
    };
    example(first_, "OutputRate", "100", "400", "10");
    example(second_, "ScrewSpeed", "40", "120", "20");
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

    run_ = new QPushButton(QStringLiteral("Run"));
    cancel_ = new QPushButton(QStringLiteral("Cancel"));
    cancel_->setEnabled(false);
    run_->setAccessibleName(run_->text());
    cancel_->setAccessibleName(cancel_->text());
    progress_ = new QProgressBar;
    progress_->setAccessibleName(QStringLiteral("Progress"));
    quantity_ = new QComboBox;
    quantity_->setAccessibleName(QStringLiteral("Quantity"));
    for (const ReportedValue& value : ChartableQuantities())
        quantity_->addItem(FromUtf8(value.caption), QString::fromUtf8(value.name.data(), static_cast<qsizetype>(value.name.size())));
    exportCsv_ = new QPushButton(QStringLiteral("Export CSV..."));
    exportCsv_->setAccessibleName(QStringLiteral("Export CSV"));
    exportSvg_ = new QPushButton(QStringLiteral("Export SVG..."));
    exportSvg_->setAccessibleName(QStringLiteral("Export SVG"));
    exportPng_ = new QPushButton(QStringLiteral("Export PNG..."));
    exportPng_->setAccessibleName(QStringLiteral("Export PNG"));
    connect(run_, &QPushButton::clicked, this, &StudyWindow::Run);
    connect(cancel_, &QPushButton::clicked, this, &StudyWindow::Cancel);
    connect(quantity_, &QComboBox::currentIndexChanged, this, &StudyWindow::DrawChart);
    connect(exportCsv_, &QPushButton::clicked, this, [this] {
        const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Export CSV"), {},
                                                          QStringLiteral("CSV (*.csv)"));
        if (!path.isEmpty()) ExportCsv(path);
    });
    connect(exportSvg_, &QPushButton::clicked, this, [this] { ExportChart(true); });
    connect(exportPng_, &QPushButton::clicked, this, [this] { ExportChart(false); });

    chart_ = new QChartView(new QChart);
    chart_->setAccessibleName(QStringLiteral("Chart"));
    chart_->setRenderHint(QPainter::Antialiasing);
    model_ = std::make_unique<SweepRowModel>(rows_);
    table_ = new QTableView;
    table_->setAccessibleName(QStringLiteral("Rows"));
    table_->setModel(model_.get());
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->verticalHeader()->setDefaultSectionSize(20);
    table_->horizontalHeader()->setDefaultSectionSize(150);  // a %.17g number whole
    connect(table_, &QTableView::doubleClicked, this, [this](const QModelIndex& index) { LoadRow(index.row()); });
    stoppedModel_ = std::make_unique<StoppedModel>(rows_, 1);
    stopped_ = new QListView;
    stopped_->setAccessibleName(QStringLiteral("Stopped points"));
    stopped_->setModel(stoppedModel_.get());
    stopped_->setUniformItemSizes(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(run_);
    buttons->addWidget(cancel_);
    buttons->addWidget(progress_, 1);
    auto* chartBar = new QHBoxLayout;
    chartBar->addWidget(quantity_, 1);
    chartBar->addWidget(exportSvg_);
    chartBar->addWidget(exportPng_);
    chartBar->addWidget(exportCsv_);
    auto* split = new QSplitter(Qt::Vertical);
    split->addWidget(chart_);
    split->addWidget(table_);
    split->addWidget(stopped_);
    chart_->setMinimumHeight(300);
    split->setSizes({420, 180, 80});
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(inputs);
    layout->addLayout(buttons);
    layout->addLayout(chartBar);
    layout->addWidget(split, 1);
}

void StudyWindow::Run() {
    if (Running()) return;
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
        plan_ = std::make_unique<SweepPlan>(MakeSweepPlan(boxTexts_(), std::move(axes), decimalSeparator_, {}));
    } catch (const SweepError& error) {
        QMessageBox::warning(this, QStringLiteral("Vortane"), FromUtf8(error.what()));
        return;
    }

    std::vector<ReportedValue> quantities = ChartableQuantities();
    curves_ = std::make_unique<SweepCurves>(*plan_, std::move(quantities));
    rows_.clear();
    rows_.reserve(PointCount(*plan_));
    model_->Reset(CsvFields(SweepHeader(*plan_)));
    stoppedModel_->Reset(plan_->axes.size());
    progress_->setRange(0, static_cast<int>(PointCount(*plan_)));
    progress_->setValue(0);
    run_->setEnabled(false);
    cancel_->setEnabled(true);
    workerDone_ = false;
    stop_ = std::stop_source();
    DrawChart();

    worker_ = std::jthread([this, stop = stop_.get_token()] {
        RunSweep(*plan_, {0, {}, stop}, [this](const PointResult& point) {
            const std::lock_guard lock(mutex_);
            pending_.push_back(point);
        });
        {
            const std::lock_guard lock(mutex_);
            workerDone_ = true;
        }
        QMetaObject::invokeMethod(this, &StudyWindow::Drain, Qt::QueuedConnection);
    });
    drain_->start();
    redraw_->start();
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
    QElapsedTimer budget;
    budget.start();
    std::vector<std::size_t> stopped;
    std::size_t used = 0;
    for (; used < taken.size() && !(used % 256 == 0 && budget.elapsed() > DrainBudgetMilliseconds); ++used) {
        const PointResult& point = taken[used];
        rows_.push_back(SweepRow(*plan_, point));
        curves_->Add(point);
        if (point.run.outcome != RunOutcome::Complete) stopped.push_back(rows_.size() - 1);
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
        progress_->setValue(static_cast<int>(rows_.size()));
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

// The chosen quantity against the first swept input, one curve per value of
// the second; a point that stopped (or is still to come) breaks its curve.
void StudyWindow::DrawChart() {
    chartStale_ = false;
    if (!plan_ || !curves_) {
        ShowChart(*chart_, {});
        return;
    }
    const auto quantity = static_cast<std::size_t>(std::max(quantity_->currentIndex(), 0));
    ShowChart(*chart_, SweepQuantityChart(*plan_, *curves_, quantity, Running() ? RunningCurveLimit : SweepCurveLimit));
}

void StudyWindow::LoadRow(int row) {
    if (!plan_ || row < 0 || static_cast<std::size_t>(row) >= rows_.size()) return;
    loadTexts_(PointTexts(*plan_, static_cast<std::size_t>(row)));
}

std::string StudyWindow::CsvText() const {
    if (!plan_) return {};
    std::string csv = SweepHeader(*plan_);
    for (const std::string& row : rows_) csv += row;
    return csv;
}

bool StudyWindow::ExportCsv(const QString& path) {
    QSaveFile file(path);
    const std::string csv = CsvText();
    if (file.open(QIODevice::WriteOnly) &&
        file.write(csv.data(), static_cast<qint64>(csv.size())) == static_cast<qint64>(csv.size()) && file.commit())
        return true;
    QMessageBox::warning(this, QStringLiteral("Vortane"),
                         QStringLiteral("Cannot write %1: %2").arg(path, file.errorString()));
    return false;
}

void StudyWindow::ExportChart(bool svg) {
    const QString path = QFileDialog::getSaveFileName(this, svg ? QStringLiteral("Export SVG") : QStringLiteral("Export PNG"), {},
                                                      svg ? QStringLiteral("SVG (*.svg)") : QStringLiteral("PNG (*.png)"));
    if (path.isEmpty()) return;
    bool written;
    if (svg) {
        QSvgGenerator generator;
        generator.setFileName(path);
        generator.setSize(chart_->size());
        generator.setViewBox(chart_->rect());
        generator.setTitle(chart_->chart()->title());
        QPainter painter(&generator);
        chart_->render(&painter);
        written = painter.end();
    } else {
        written = chart_->grab().save(path, "PNG");
    }
    if (!written) QMessageBox::warning(this, QStringLiteral("Vortane"), QStringLiteral("Cannot write %1").arg(path));
}

}  // namespace vortane
