#include "app/front_dialog.h"

#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QToolTip>
#include <QVBoxLayout>
#include <QXYSeries>

#include <algorithm>
#include <cmath>
#include <limits>

#include "app/chart_view.h"
#include "app/core_text.h"
#include "app/file_save.h"
#include "app/plain_text.h"
#include "app/varied_inputs.h"
#include "design/end_text.h"
#include "design/front_chart.h"
#include "document/svg_chart.h"
#include "report/report_layout.h"
#include "result/limit_check.h"
#include "design_document/front_table.h"
#include "study/design_rows.h"

namespace vortane {

namespace {

// The table's columns: the design's number, its inputs, its objectives, the knee's mark.
constexpr int PointColumn = 0;

}  // namespace

FrontDialog::FrontDialog(DesignContext context, QWidget* parent)
    : DesignDialog(QStringLiteral("Trade-offs"), std::move(context), parent) {
    setObjectName(QStringLiteral("FrontDialog"));
    ChartView().setAccessibleName(QStringLiteral("Pareto front"));
    QWidget* inputs = CreateInputs();
    LayOut(inputs, {1300, 900}, CreateResults());
    connect(this, &DesignDialog::SearchEnded, this, &FrontDialog::ShowFront);
}

// The inputs varied, as Optimise takes them, beside the objectives (a
// direction and a quantity each, the third optional) and the case's limits.
QWidget* FrontDialog::CreateInputs() {
    auto* inputs = new QGroupBox(QStringLiteral("Trade-offs"));
    auto* columns = new QHBoxLayout(inputs);
    auto* varied = new QFormLayout;
    varied->setRowWrapPolicy(QFormLayout::WrapAllRows);
    varied->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    rows_ = new VariedInputRows(Context());
    varied->addRow(QStringLiteral("Inputs varied (low, high):"), rows_);
    rows_->AddInput();
    rows_->AddInput();
    rows_->Vary(0, *FindInputField("BarrierClearance1"));
    rows_->Vary(1, *FindInputField("ScrewSpeed"));
    columns->addLayout(varied, 1);

    auto* aims = new QFormLayout;
    aims->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    const char* firsts[] = {"TotalPressureDrop", "Barrier1ShearStress", "TemperatureRise"};
    for (std::size_t k = 0; k < MaxFrontObjectives; ++k) {
        const QString number = QString::number(k + 1);
        Aim aim{new QComboBox, QuantityCombo(QStringLiteral("Objective ") + number)};
        aim.direction->setAccessibleName(QStringLiteral("Minimise or maximise objective ") + number);
        aim.direction->addItems({QStringLiteral("Minimise"), QStringLiteral("Maximise")});
        aim.direction->setCurrentIndex(k == 1 ? 1 : 0);
        aim.quantity->setCurrentIndex(aim.quantity->findData(QString::fromLatin1(firsts[k])));
        auto* line = new QHBoxLayout;
        line->addWidget(aim.direction);
        line->addWidget(aim.quantity, 1);
        if (k + 1 < MaxFrontObjectives) {
            aims->addRow(QStringLiteral("Objective %1:").arg(number), line);
        } else {
            third_ = new QCheckBox(QStringLiteral("T&hird:"));
            third_->setAccessibleName(QStringLiteral("Third objective"));
            const auto follow = [aim, this] {
                aim.direction->setEnabled(third_->isChecked());
                aim.quantity->setEnabled(third_->isChecked());
            };
            connect(third_, &QCheckBox::toggled, this, follow);
            follow();
            aims->addRow(third_, line);
        }
        aims_.push_back(aim);
    }

    limits_ = CaseLimitsLabel();
    FollowCaseLimits();
    aims->addRow(QStringLiteral("Limits:"), limits_);
    auto* right = new QVBoxLayout;
    right->addLayout(aims);
    right->addStretch(1);
    columns->addLayout(right, 1);
    return inputs;
}

// The charts of the front beside its table of designs and the exports.
QWidget* FrontDialog::CreateResults() {
    auto* results = new QWidget;
    auto* layout = new QHBoxLayout(results);
    layout->setContentsMargins(0, 0, 0, 0);
    second_ = new QChartView;
    second_->setAccessibleName(QStringLiteral("Pareto front, third objective against the second"));
    second_->setMinimumSize(ChartView().minimumSize());
    second_->setVisible(false);
    table_ = DesignsTable(QStringLiteral("Designs of the front"));
    connect(table_, &QTableWidget::itemSelectionChanged, this, &FrontDialog::OfferApply);
    exportCsv_ = new QPushButton(QStringLiteral("Export &CSV\u2026"));
    exportCsv_->setAccessibleName(QStringLiteral("Export the designs as CSV"));
    exportSvg_ = new QPushButton(QStringLiteral("Export &SVG\u2026"));
    exportSvg_->setAccessibleName(QStringLiteral("Export the front's charts as SVG"));
    for (QPushButton* button : {exportCsv_, exportSvg_}) button->setEnabled(false);
    connect(exportCsv_, &QPushButton::clicked, this, [this] {
        const QString path =
            QFileDialog::getSaveFileName(this, QStringLiteral("Export CSV"), {}, QStringLiteral("CSV (*.csv)"));
        if (!path.isEmpty()) ExportCsv(path);
    });
    connect(exportSvg_, &QPushButton::clicked, this, [this] {
        const QString path =
            QFileDialog::getSaveFileName(this, QStringLiteral("Export SVG"), {}, QStringLiteral("SVG (*.svg)"));
        if (!path.isEmpty()) ExportSvg(path);
    });
    auto* charts = new QVBoxLayout;
    charts->addWidget(&ChartView(), 1);
    charts->addWidget(second_, 1);
    auto* exports = new QHBoxLayout;
    exports->addWidget(exportCsv_);
    exports->addWidget(exportSvg_);
    exports->addStretch(1);
    auto* designs = new QVBoxLayout;
    designs->addWidget(table_, 1);
    designs->addLayout(exports);
    layout->addLayout(charts, 1);
    layout->addLayout(designs, 1);
    return results;
}

void FrontDialog::FollowCaseLimits() {
    limits_->setText(CaseLimitsText(Context().limits()));
}

std::optional<DesignDialog::Prepared> FrontDialog::Prepare() {
    const char separator = Context().decimalSeparator;
    QString message;
    FrontRequest request;
    if (std::optional<std::vector<VariedInput>> inputs = rows_->Read(message)) request.inputs = std::move(*inputs);
    if (!message.isEmpty()) {
        Refuse(message);
        return std::nullopt;
    }
    request.base = {Context().boxTexts(), {}, separator, ReportTarget::None, Context().viscosityRanges()};
    for (std::size_t k = 0; k < aims_.size(); ++k) {
        if (k + 1 == MaxFrontObjectives && !third_->isChecked()) break;
        request.objectives.push_back(
            {aims_[k].quantity->currentData().toString().toStdString(), aims_[k].direction->currentIndex() == 1});
    }
    FollowCaseLimits();
    request.limits = Context().limits();
    request.acceptedWarnings = Context().acceptedWarnings();
    request_ = request;
    result_.reset();
    shown_.reset();
    ShowFront();
    return Prepared{[this, request](const std::atomic<bool>& cancel, const auto& progress) {
                        result_ = ParetoFront(request, &cancel, progress);
                    },
                    0};
}

// While the search runs, the front is not known yet: its chart comes at the end.
Chart FrontDialog::HistoryChart(const std::vector<Evaluation>& /*history*/) const { return {}; }

QString FrontDialog::Outcome() const {
    if (!result_) return {};
    return FromUtf8(FrontOutcomeText(*result_));
}

std::size_t FrontDialog::RunsMade() const { return result_ ? result_->runs : DesignDialog::RunsMade(); }

std::vector<FoundText> FrontDialog::Found() const {
    const std::optional<std::size_t> selected = Selected();
    if (!shown_ || !selected) return {};
    std::vector<FoundText> found;
    const FrontDesign& design = shown_->designs[*selected];
    for (std::size_t i = 0; i < request_.inputs.size() && i < design.inputTexts.size(); ++i)
        found.emplace_back(request_.inputs[i].field, design.inputTexts[i]);
    return found;
}

std::optional<std::size_t> FrontDialog::Selected() const {
    return shown_ ? SelectedRow(*table_) : std::nullopt;
}

void FrontDialog::Select(std::size_t design) {
    if (!shown_ || design >= shown_->designs.size()) return;
    table_->selectRow(static_cast<int>(design));
    table_->scrollToItem(table_->item(static_cast<int>(design), PointColumn), QAbstractItemView::PositionAtCenter);
}

// A front found complete is charted and tabled, its knee selected; a search
// cancelled, failed or finding none leaves both empty.
void FrontDialog::ShowFront() {
    const bool complete = result_ && result_->end == FrontEnd::Complete && !result_->designs.empty() &&
                          !Search().Running() && Search().Failure().empty();
    if (complete) shown_ = result_;
    table_->clear();
    table_->setRowCount(0);
    second_->setVisible(shown_ && request_.objectives.size() > MinFrontObjectives);
    for (QPushButton* button : {exportCsv_, exportSvg_}) button->setEnabled(shown_.has_value());
    if (!shown_) {
        ShowChart(ChartView(), Chart{});
        OfferApply();
        return;
    }
    const std::vector<Chart> charts = FrontCharts(*shown_, request_.objectives);
    ShowChart(ChartView(), charts.front());
    FollowPoints(ChartView());
    if (charts.size() > 1) {
        ShowChart(*second_, charts[1]);
        FollowPoints(*second_);
    }

    QStringList headers{QStringLiteral("Point")};
    for (const VariedInput& input : request_.inputs) headers << TableHeading(FromUtf8(ReportCaption(*input.field)));
    for (const Objective& objective : request_.objectives) headers << TableHeading(FromUtf8(QuantityCaption(objective.quantity)));
    headers << QStringLiteral("Knee");
    table_->setColumnCount(static_cast<int>(headers.size()));
    table_->setHorizontalHeaderLabels(headers);
    table_->setRowCount(static_cast<int>(shown_->designs.size()));
    for (std::size_t i = 0; i < shown_->designs.size(); ++i) {
        const FrontDesign& design = shown_->designs[i];
        const int row = static_cast<int>(i);
        int column = PointColumn;
        table_->setItem(row, column++, TableCell(QString::number(i + 1)));
        for (const std::string& text : design.inputTexts) table_->setItem(row, column++, TableCell(FromUtf8(text)));
        for (const double value : design.objectives)
            table_->setItem(row, column++, TableCell(Figure(value, Context().decimalSeparator)));
        const bool knee = shown_->knee == i;
        table_->setItem(row, column, TableCell(knee ? QStringLiteral("Knee") : QString()));
        if (knee) {
            for (int c = 0; c <= column; ++c) {
                QFont bold = table_->item(row, c)->font();
                bold.setBold(true);
                table_->item(row, c)->setFont(bold);
            }
        }
    }
    table_->resizeColumnsToContents();
    if (shown_->knee) Select(*shown_->knee);
    OfferApply();
}

// Hovering a design's point shows the design; clicking it selects it.
void FrontDialog::FollowPoints(QChartView& view) {
    for (QAbstractSeries* series : view.chart()->series()) {
        auto* points = qobject_cast<QXYSeries*>(series);
        if (points == nullptr) continue;
        connect(points, &QXYSeries::hovered, this, [this, &view](const QPointF& at, bool state) {
            const std::optional<std::size_t> design = NearestDesign(view, at);
            if (state && design) QToolTip::showText(QCursor::pos(), PlainToolTip(DesignText(*design)));
        });
        connect(points, &QXYSeries::clicked, this, [this, &view](const QPointF& at) {
            if (const std::optional<std::size_t> design = NearestDesign(view, at)) Select(*design);
        });
    }
}

// The design whose point in `view` lies nearest `at`, the objectives scaled
// to their spans over the front.
std::optional<std::size_t> FrontDialog::NearestDesign(const QChartView& view, QPointF at) const {
    if (!shown_ || shown_->designs.empty()) return std::nullopt;
    const std::size_t count = request_.objectives.size();
    std::vector<double> span(count, 0);
    for (std::size_t k = 0; k < count; ++k) {
        const auto [low, high] = std::minmax_element(
            shown_->designs.begin(), shown_->designs.end(),
            [k](const FrontDesign& a, const FrontDesign& b) { return a.objectives[k] < b.objectives[k]; });
        span[k] = high->objectives[k] - low->objectives[k];
    }
    const auto scaled = [&span](double value, std::size_t k) { return span[k] > 0 ? value / span[k] : 0.0; };
    // The first chart has the first objective across, each other up; the second, the second across.
    const std::size_t across = &view == second_ ? 1 : 0;
    std::optional<std::size_t> nearest;
    double least = std::numeric_limits<double>::infinity();
    for (std::size_t i = 0; i < shown_->designs.size(); ++i) {
        const std::vector<double>& objectives = shown_->designs[i].objectives;
        for (std::size_t up = across + 1; up < count; ++up) {
            const double distance = std::hypot(scaled(objectives[across] - at.x(), across),
                                               scaled(objectives[up] - at.y(), up));
            if (distance < least) {
                least = distance;
                nearest = i;
            }
        }
    }
    return nearest;
}

// A design as the table holds it: its number, inputs and objectives.
QString FrontDialog::DesignText(std::size_t design) const {
    const FrontDesign& shown = shown_->designs[design];
    QStringList lines{QStringLiteral("Point %1").arg(design + 1)};
    for (std::size_t i = 0; i < request_.inputs.size() && i < shown.inputTexts.size(); ++i)
        lines << FromUtf8(ReportCaption(*request_.inputs[i].field)) + QStringLiteral(" = ") +
                     FromUtf8(shown.inputTexts[i]);
    for (std::size_t k = 0; k < request_.objectives.size() && k < shown.objectives.size(); ++k)
        lines << QStringLiteral("%1 = %2").arg(FromUtf8(QuantityCaption(request_.objectives[k].quantity)),
                                               Figure(shown.objectives[k], Context().decimalSeparator));
    if (shown_->knee == design) lines << QStringLiteral("Knee");
    return lines.join(u'\n');
}

// The table as the command line writes it: the same rows through the same writer.
bool FrontDialog::ExportCsv(const QString& path) {
    if (!shown_) return false;
    return SaveFile(this, QStringLiteral("Export CSV"), path,
                    DesignTableCsv(FrontTable(request_, *shown_, Context().decimalSeparator)));
}

bool FrontDialog::ExportSvg(const QString& path) {
    if (!shown_) return false;
    return SaveFile(this, QStringLiteral("Export SVG"), path, SvgDocument(FrontCharts(*shown_, request_.objectives)));
}

}  // namespace vortane
