#include "app/optimise_dialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>

#include "app/core_text.h"
#include "app/varied_inputs.h"
#include "design/end_text.h"
#include "design/history_chart.h"
#include "report/report_layout.h"
#include "result/limit_check.h"

namespace vortane {

namespace {

// A design found is offered, however the search stopped; one a cancelled
// search had reached is not.
bool Offered(const OptimisationResult& result) { return result.found && result.end != OptimisationEnd::Cancelled; }

}  // namespace

OptimiseDialog::OptimiseDialog(DesignContext context, QWidget* parent)
    : DesignDialog(QStringLiteral("Optimise"), std::move(context), parent) {
    setObjectName(QStringLiteral("OptimiseDialog"));
    LayOut(CreateInputs(), {760, 800});
}

// The inputs varied, a row each; the objective and its sense; the limits; the
// runs allowed.
QWidget* OptimiseDialog::CreateInputs() {
    auto* inputs = new QGroupBox(QStringLiteral("Optimise"));
    auto* form = new QFormLayout(inputs);
    // Each caption above its field: the dialog stays narrow enough to stand
    // beside the main window's boxes.
    form->setRowWrapPolicy(QFormLayout::WrapAllRows);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    rows_ = new VariedInputRows(Context());
    form->addRow(QStringLiteral("Inputs varied (low, high):"), rows_);
    rows_->AddInput();
    rows_->AddInput();
    rows_->Vary(0, *FindInputField("BarrierClearance1"));
    rows_->Vary(1, *FindInputField("ScrewSpeed"));

    objective_ = QuantityCombo(QStringLiteral("Objective"));
    objective_->setCurrentIndex(objective_->findData(QStringLiteral("TotalPressureDrop")));
    direction_ = new QComboBox;
    direction_->setAccessibleName(QStringLiteral("Minimise or maximise"));
    direction_->addItems({QStringLiteral("Minimise"), QStringLiteral("Maximise")});
    auto* aim = new QHBoxLayout;
    aim->addWidget(direction_);
    aim->addWidget(objective_, 1);
    form->addRow(QStringLiteral("Objective:"), aim);

    limits_ = new QPlainTextEdit;
    limits_->setAccessibleName(QStringLiteral("Limits, one per line"));
    // Grey example limits would read as limits set: an empty box says it holds none.
    limits_->setPlaceholderText(QStringLiteral("(no limits)"));
    limits_->setToolTip(QStringLiteral("One limit per line, for example TemperatureRise<=30"));
    limits_->setFixedHeight(limits_->fontMetrics().lineSpacing() * 4 + 12);
    TakeCaseLimits();
    connect(limits_, &QPlainTextEdit::textChanged, this, &OptimiseDialog::GiveCaseLimits);
    form->addRow(QStringLiteral("&Limits:"), limits_);

    runLimit_ = new QSpinBox;
    runLimit_->setAccessibleName(QStringLiteral("Runs allowed"));
    runLimit_->setRange(10, 100000);
    runLimit_->setValue(OptimisationRequest{}.runLimit);
    tolerance_ = NumberEdit(QStringLiteral("Tolerance"));
    tolerance_->setToolTip(QStringLiteral("The change of the inputs, as a fraction of their ranges, at which to stop"));
    tolerance_->setText(Figure(OptimisationRequest{}.tolerance, Context().decimalSeparator));
    auto* ending = new QHBoxLayout;
    ending->addWidget(runLimit_);
    auto* toleranceLabel = new QLabel(QStringLiteral("&Tolerance:"));
    toleranceLabel->setBuddy(tolerance_);
    ending->addWidget(toleranceLabel);
    ending->addWidget(tolerance_);
    form->addRow(QStringLiteral("Runs allowed:"), ending);
    return inputs;
}

void OptimiseDialog::TakeCaseLimits() {
    boxLimits_ = Context().limits();
    QStringList lines;
    for (const Limit& limit : boxLimits_) lines << FromUtf8(LimitText(limit));
    takingLimits_ = true;
    limits_->setPlainText(lines.join(u'\n'));
    takingLimits_ = false;
}

// Text being typed that does not read yet stays until the case's limits
// change elsewhere.
void OptimiseDialog::FollowCaseLimits() {
    if (Context().limits() != boxLimits_) TakeCaseLimits();
}

void OptimiseDialog::GiveCaseLimits() {
    if (takingLimits_) return;
    QString message;
    const std::optional<std::vector<Limit>> limits = ReadLimits(message);
    if (!limits || *limits == boxLimits_) return;
    boxLimits_ = *limits;
    if (Context().setLimits) Context().setLimits(*limits);
}

void OptimiseDialog::AddInput() { rows_->AddInput(); }

// The limits' lines, blank ones skipped; none after naming the line at fault.
std::optional<std::vector<Limit>> OptimiseDialog::ReadLimits(QString& message) const {
    std::vector<Limit> limits;
    const QStringList lines = limits_->toPlainText().split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].trimmed().isEmpty()) continue;
        try {
            limits.push_back(ParseLimit(lines[i].toStdString()));
        } catch (const LimitError& error) {
            message = QStringLiteral("Limits, line %1: %2").arg(i + 1).arg(FromUtf8(error.what()));
            return std::nullopt;
        }
    }
    try {
        LimitColumns(limits);
    } catch (const LimitError& error) {
        message = QStringLiteral("Limits: ") + FromUtf8(error.what());
        return std::nullopt;
    }
    return limits;
}

std::optional<DesignDialog::Prepared> OptimiseDialog::Prepare() {
    const char separator = Context().decimalSeparator;
    QString message;
    OptimisationRequest request;
    if (std::optional<std::vector<VariedInput>> inputs = rows_->Read(message)) request.inputs = std::move(*inputs);
    std::optional<double> tolerance;
    if (message.isEmpty()) tolerance = ReadNumber(*tolerance_, separator, QStringLiteral("Tolerance"), message);
    if (message.isEmpty() && !(*tolerance > 0 && *tolerance < 1))
        message = QStringLiteral("Tolerance must be more than 0 and less than 1.");
    std::optional<std::vector<Limit>> limits;
    if (message.isEmpty()) limits = ReadLimits(message);
    if (!message.isEmpty()) {
        Refuse(message);
        return std::nullopt;
    }
    request.base = {Context().boxTexts(), {}, separator, ReportTarget::None, Context().viscosityRanges()};
    request.objective = objective_->currentData().toString().toStdString();
    request.maximise = direction_->currentIndex() == 1;
    // Blank lines are no limits: the box is emptied to say so.
    if (limits->empty() && !limits_->toPlainText().isEmpty()) limits_->clear();
    request.limits = std::move(*limits);
    request.acceptedWarnings = Context().acceptedWarnings();
    request.runLimit = runLimit_->value();
    request.tolerance = *tolerance;
    request_ = request;
    result_.reset();
    return Prepared{[this, request](const std::atomic<bool>& cancel, const auto& progress) {
                        result_ = Optimise(request, &cancel, progress);
                    },
                    request.runLimit};
}

Chart OptimiseDialog::HistoryChart(const std::vector<Evaluation>& history) const {
    return OptimisationChart(history, request_.objective, request_.maximise, request_.limits,
                             request_.acceptedWarnings);
}

// How the search ended; the best design, its objective and each limit's value
// and margin; the runs made.
QString OptimiseDialog::Outcome() const {
    if (!result_) return {};
    const char separator = Context().decimalSeparator;
    QStringList lines{FromUtf8(OptimisationEndText(result_->end, !request_.limits.empty()))};
    if (!result_->reason.empty()) lines << FromUtf8(result_->reason);
    if (Offered(*result_)) {
        for (std::size_t i = 0; i < request_.inputs.size() && i < result_->inputTexts.size(); ++i)
            lines << FromUtf8(ReportCaption(*request_.inputs[i].field)) + QStringLiteral(" = ") +
                         FromUtf8(result_->inputTexts[i]);
        if (result_->objective)
            lines << QStringLiteral("%1 = %2").arg(FromUtf8(QuantityCaption(request_.objective)),
                                                   Figure(*result_->objective, separator));
        for (std::size_t i = 0; i < request_.limits.size() && i < result_->margins.size(); ++i) {
            const LimitMargin& margin = result_->margins[i];
            lines << QStringLiteral("%1: %2, margin %3")
                         .arg(FromUtf8(LimitCaption(request_.limits[i], UnitSystem::Metric, separator)),
                              margin.value ? Figure(*margin.value, separator) : QStringLiteral("not computed"),
                              margin.margin ? Figure(*margin.margin, separator) : QStringLiteral("none"));
        }
        for (const std::string& line : FoundWarningLines(result_->run, request_.acceptedWarnings))
            lines << FromUtf8(line);
    }
    lines << QStringLiteral("Runs made: %1").arg(result_->history.size());
    return lines.join(u'\n');
}

std::vector<FoundText> OptimiseDialog::Found() const {
    if (!result_ || !Offered(*result_)) return {};
    std::vector<FoundText> found;
    for (std::size_t i = 0; i < request_.inputs.size() && i < result_->inputTexts.size(); ++i)
        found.emplace_back(request_.inputs[i].field, result_->inputTexts[i]);
    return found;
}

}  // namespace vortane
