#include "app/design_dialog.h"

#include <QChartView>
#include <QCloseEvent>
#include <QComboBox>
#include <QAbstractItemView>
#include <QFontDatabase>
#include <QHeaderView>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

#include "app/chart_view.h"
#include "app/core_text.h"
#include "app/plain_text.h"
#include "app/screen_fit.h"
#include "case/number_text.h"
#include "case/units.h"
#include "measurement/material_fit.h"
#include "report/report_layout.h"
#include "result/limit_check.h"

namespace vortane {

namespace {

// The progress while a search runs: the runs made of those allowed.
const QString RunsFormat = QStringLiteral("%v of %m runs");

bool IsCoefficient(const InputField& field) {
    const auto coefficients = ViscosityCoefficientFields();
    return std::find(coefficients.begin(), coefficients.end(), &field) != coefficients.end();
}

// A combo of captions no wider than `NarrowCombo` characters, which the
// dialog's width stretches; its list as wide as its longest caption.
constexpr int NarrowCombo = 24;
// The history chart's least width, in characters.
constexpr int ChartCharacters = 60;

QComboBox* CaptionCombo(const QString& accessibleName) {
    auto* combo = new QComboBox;
    combo->setAccessibleName(accessibleName);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(NarrowCombo);
    return combo;
}

QComboBox* Listed(QComboBox* combo) {
    combo->view()->setMinimumWidth(combo->view()->sizeHintForColumn(0) +
                                   combo->view()->verticalScrollBar()->sizeHint().width());
    return combo;
}

}  // namespace

DesignDialog::DesignDialog(const QString& title, DesignContext context, QWidget* parent)
    : QDialog(parent), context_(std::move(context)) {
    setWindowTitle(title);
    setModal(false);
    run_ = new QPushButton(QStringLiteral("&Run"));
    run_->setAccessibleName(QStringLiteral("Run"));
    run_->setDefault(true);
    cancel_ = new QPushButton(QStringLiteral("Cancel"));
    cancel_->setAccessibleName(QStringLiteral("Cancel"));
    cancel_->setEnabled(false);
    apply_ = new QPushButton(QStringLiteral("&Apply"));
    apply_->setAccessibleName(QStringLiteral("Apply the texts found to the boxes"));
    apply_->setEnabled(false);
    progress_ = new QProgressBar;
    progress_->setAccessibleName(QStringLiteral("Runs made"));
    progress_->setFormat(RunsFormat);
    progress_->setValue(0);
    outcome_ = new QPlainTextEdit;
    outcome_->setReadOnly(true);
    outcome_->setAccessibleName(QStringLiteral("Result"));
    outcome_->setPlaceholderText(QStringLiteral("Run to search"));
    outcome_->setFixedHeight(outcome_->fontMetrics().lineSpacing() * 8 + 12);
    chart_ = new QChartView;
    chart_->setAccessibleName(QStringLiteral("History of the runs"));
    chart_->setMinimumHeight(260);
    // Wide enough for its axes' figures and its legend beside the plot.
    chart_->setMinimumWidth(chart_->fontMetrics().averageCharWidth() * ChartCharacters);
    connect(run_, &QPushButton::clicked, this, &DesignDialog::Run);
    connect(cancel_, &QPushButton::clicked, &search_, &DesignRun::Cancel);
    connect(apply_, &QPushButton::clicked, this, &DesignDialog::Apply);
    connect(&search_, &DesignRun::Progressed, this, &DesignDialog::ShowProgress);
    connect(&search_, &DesignRun::Finished, this, &DesignDialog::ShowEnd);
}

DesignDialog::~DesignDialog() = default;

void DesignDialog::LayOut(QWidget* inputs, QSize wanted, QWidget* results) {
    wanted_ = wanted;
    auto* running = new QHBoxLayout;
    running->addWidget(run_);
    running->addWidget(cancel_);
    running->addWidget(progress_, 1);
    auto* close = new QPushButton(QStringLiteral("Close"));
    close->setAccessibleName(QStringLiteral("Close"));
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    auto* ending = new QHBoxLayout;
    ending->addStretch(1);
    ending->addWidget(apply_);
    ending->addWidget(close);
    auto* body = new QWidget;
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(inputs);
    layout->addLayout(running);
    layout->addWidget(outcome_);
    layout->addWidget(results != nullptr ? results : chart_, 1);
    auto* dialog = new QVBoxLayout(this);
    QScrollArea* scrolling = Scrolling(body);
    dialog->addWidget(scrolling, 1);
    dialog->addLayout(ending);
    // Wide enough that only height scrolls: the inputs' rows whole, beside
    // the scroll bar.
    const QMargins margins = dialog->contentsMargins();
    leastWidth_ = body->minimumSizeHint().width() + margins.left() + margins.right() +
                  scrolling->verticalScrollBar()->sizeHint().width();
    wanted_.setWidth(std::max(wanted_.width(), leastWidth_));
    FitOnScreen(*this, wanted_);
}

void DesignDialog::ShowBeside(const QWidget& main, const QWidget& keep) {
    if (!isVisible()) PlaceBeside(*this, main, keep, wanted_, leastWidth_);
    show();
    raise();
    activateWindow();
}

void DesignDialog::Refuse(const QString& text) { WarnPlain(this, windowTitle(), text); }

void DesignDialog::Run() {
    if (search_.Running()) return;
    std::optional<Prepared> prepared = Prepare();
    if (!prepared) return;
    // Runs without a bound known beforehand: the bar is busy, the runs made
    // said at the end.
    progress_->setRange(0, std::max(prepared->runLimit, 0));
    progress_->setValue(0);
    progress_->setFormat(RunsFormat);
    outcome_->setPlainText(QStringLiteral("Searching\u2026"));
    run_->setEnabled(false);
    cancel_->setEnabled(true);
    apply_->setEnabled(false);
    search_.Start(std::move(prepared->search));
    ShowChart(*chart_, HistoryChart({}));
}

void DesignDialog::ShowProgress() {
    const auto made = static_cast<int>(search_.History().size());
    progress_->setValue(std::min(made, progress_->maximum()));
    ShowChart(*chart_, HistoryChart(search_.History()));
}

void DesignDialog::ShowEnd() {
    ShowProgress();
    const bool failed = !search_.Failure().empty();
    // A search that ended of itself is done, however few of the runs allowed
    // it needed: the bar is full and says how many it made.
    if (!failed && !search_.Cancelled()) {
        const bool bounded = progress_->maximum() > 0;
        if (!bounded) progress_->setRange(0, 1);
        progress_->setFormat((bounded ? QStringLiteral("Done: %1 of %m runs") : QStringLiteral("Done: %1 runs"))
                                 .arg(RunsMade()));
        progress_->setValue(progress_->maximum());
    } else if (progress_->maximum() == 0) {
        progress_->setRange(0, 1);
        progress_->setFormat(QStringLiteral("%1 runs").arg(RunsMade()));
        progress_->setValue(0);
    }
    outcome_->setPlainText(failed ? QStringLiteral("Not run: ") + FromUtf8(search_.Failure()) : Outcome());
    run_->setEnabled(true);
    cancel_->setEnabled(false);
    apply_->setEnabled(!failed && !Found().empty());
    emit SearchEnded();
}

void DesignDialog::OfferApply() { apply_->setEnabled(!search_.Running() && search_.Failure().empty() && !Found().empty()); }

// The texts found go into their boxes, the others keep theirs: one change of
// the case.
void DesignDialog::Apply() {
    InputTexts texts = context_.boxTexts();
    for (const auto& [field, text] : Found()) texts[static_cast<std::size_t>(field->box - 1)] = text;
    context_.setBoxTexts(texts);
}

// Closing stops a search under way; what it found is dropped with it.
void DesignDialog::closeEvent(QCloseEvent* event) {
    search_.Cancel();
    QDialog::closeEvent(event);
}

QComboBox* VariedInputCombo(const QString& accessibleName) {
    QComboBox* combo = CaptionCombo(accessibleName);
    for (const InputField& field : InputFields()) {
        if (field.conversion == InputField::Conversion::Real && !IsCoefficient(field))
            combo->addItem(FromUtf8(ReportCaption(field)), field.box);
    }
    return Listed(combo);
}

QComboBox* QuantityCombo(const QString& accessibleName) {
    QComboBox* combo = CaptionCombo(accessibleName);
    for (const std::string& quantity : LimitQuantities())
        combo->addItem(FromUtf8(QuantityCaption(quantity)), FromUtf8(quantity));
    return Listed(combo);
}

QLineEdit* NumberEdit(const QString& accessibleName) {
    auto* edit = new QLineEdit;
    edit->setAccessibleName(accessibleName);
    edit->setPlaceholderText(accessibleName);
    // Wide enough for any value the dialogs write into it.
    edit->setMinimumWidth(WidthToShow(*edit, WidestFigure));
    return edit;
}

const InputField& ChosenInput(const QComboBox& combo) {
    return InputFields()[static_cast<std::size_t>(combo.currentData().toInt() - 1)];
}

void PrefillBounds(const QComboBox& input, QLineEdit& low, QLineEdit& high, const DesignContext& context) {
    const InputField& field = ChosenInput(input);
    const std::optional<double> value =
        ConvertReal(context.boxTexts()[static_cast<std::size_t>(field.box - 1)], context.decimalSeparator);
    if (!value) return;
    const bool positive = *value > 0;
    low.setText(Figure(positive ? *value / 2 : *value - 1, context.decimalSeparator));
    high.setText(Figure(positive ? *value * 2 : *value + 1, context.decimalSeparator));
}

std::optional<double> ReadNumber(const QLineEdit& edit, char decimalSeparator, const QString& what,
                                 QString& message) {
    const std::optional<double> value = ConvertReal(edit.text().toStdString(), decimalSeparator);
    if (!value) message = QStringLiteral("%1: \"%2\" is not a number.").arg(what, edit.text());
    return value;
}

QString Figure(double value, char decimalSeparator) {
    return FromUtf8(FormatSignificant(value, 6, decimalSeparator));
}


QLabel* CaseLimitsLabel() {
    auto* label = new QLabel;
    label->setAccessibleName(QStringLiteral("Limits of the case"));
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    label->setToolTip(QStringLiteral("Set in Design > Limits\u2026"));
    return label;
}

QString CaseLimitsText(const std::vector<Limit>& limits) {
    QStringList lines;
    for (const Limit& limit : limits) lines << FromUtf8(LimitText(limit));
    return lines.isEmpty() ? QStringLiteral("(no limits)") : lines.join(QStringLiteral(", "));
}

QTableWidget* DesignsTable(const QString& accessibleName) {
    auto* table = new QTableWidget;
    table->setAccessibleName(accessibleName);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->setVisible(false);
    table->horizontalHeader()->setStretchLastSection(true);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().lineSpacing() + 8);
    table->setMinimumHeight(table->fontMetrics().lineSpacing() * 10);
    return table;
}

QString TableHeading(const QString& caption) {
    const qsizetype unit = caption.lastIndexOf(QStringLiteral(" ("));
    QString name = unit > 0 ? caption.left(unit) : caption;
    const qsizetype middle = name.size() / 2;
    qsizetype split = -1;
    for (qsizetype i = 0; i < name.size(); ++i)
        if (name[i] == u' ' && (split < 0 || std::abs(i - middle) < std::abs(split - middle))) split = i;
    if (name.size() > 16 && split > 0) name[split] = u'\n';
    return unit > 0 ? name + u'\n' + caption.mid(unit + 1) : name;
}

std::optional<std::size_t> SelectedRow(const QTableWidget& table) {
    const QList<QTableWidgetItem*> selected = table.selectedItems();
    if (selected.isEmpty()) return std::nullopt;
    return static_cast<std::size_t>(selected.front()->row());
}

QTableWidgetItem* TableCell(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    return item;
}

}  // namespace vortane
