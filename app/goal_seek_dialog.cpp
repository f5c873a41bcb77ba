#include "app/goal_seek_dialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>

#include "app/core_text.h"
#include "design/end_text.h"
#include "design/history_chart.h"
#include "report/report_layout.h"
#include "result/limit_check.h"

namespace vortane {

GoalSeekDialog::GoalSeekDialog(DesignContext context, QWidget* parent)
    : DesignDialog(QStringLiteral("Goal Seek"), std::move(context), parent) {
    setObjectName(QStringLiteral("GoalSeekDialog"));
    LayOut(CreateInputs(), {560, 640});
}

// The input varied and its bounds; the quantity, its target and the tolerance.
QWidget* GoalSeekDialog::CreateInputs() {
    input_ = VariedInputCombo(QStringLiteral("Input varied"));
    low_ = NumberEdit(QStringLiteral("Low"));
    high_ = NumberEdit(QStringLiteral("High"));
    quantity_ = QuantityCombo(QStringLiteral("Quantity"));
    target_ = NumberEdit(QStringLiteral("Target"));
    tolerance_ = NumberEdit(QStringLiteral("Tolerance"));
    tolerance_->setText(Figure(GoalSeekRequest{}.tolerance, Context().decimalSeparator));
    connect(input_, &QComboBox::currentIndexChanged, this,
            [this] { PrefillBounds(*input_, *low_, *high_, Context()); });
    input_->setCurrentIndex(input_->findData(FindInputField("ScrewSpeed")->box));
    PrefillBounds(*input_, *low_, *high_, Context());
    quantity_->setCurrentIndex(quantity_->findData(QStringLiteral("TemperatureRise")));

    auto* inputs = new QGroupBox(QStringLiteral("Seek"));
    auto* form = new QFormLayout(inputs);
    // Each caption above its field: the dialog stays narrow enough to stand
    // beside the main window's boxes.
    form->setRowWrapPolicy(QFormLayout::WrapAllRows);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    auto* bounds = new QHBoxLayout;
    bounds->addWidget(low_);
    bounds->addWidget(high_);
    auto* aim = new QHBoxLayout;
    aim->addWidget(target_);
    aim->addWidget(tolerance_);
    form->addRow(QStringLiteral("Input &varied:"), input_);
    form->addRow(QStringLiteral("Between (low, high):"), bounds);
    form->addRow(QStringLiteral("&Quantity:"), quantity_);
    form->addRow(QStringLiteral("Target, tolerance:"), aim);
    return inputs;
}

std::optional<DesignDialog::Prepared> GoalSeekDialog::Prepare() {
    const char separator = Context().decimalSeparator;
    QString message;
    const auto low = ReadNumber(*low_, separator, QStringLiteral("Low"), message);
    const auto high = ReadNumber(*high_, separator, QStringLiteral("High"), message);
    const auto target = ReadNumber(*target_, separator, QStringLiteral("Target"), message);
    const auto tolerance = ReadNumber(*tolerance_, separator, QStringLiteral("Tolerance"), message);
    if (message.isEmpty() && !(*low < *high)) message = QStringLiteral("Low must be less than High.");
    if (message.isEmpty() && !(*tolerance > 0)) message = QStringLiteral("Tolerance must be more than 0.");
    if (!message.isEmpty()) {
        Refuse(message);
        return std::nullopt;
    }
    GoalSeekRequest request;
    request.base = {Context().boxTexts(), {}, separator, ReportTarget::None, Context().viscosityRanges()};
    request.field = &ChosenInput(*input_);
    request.low = *low;
    request.high = *high;
    request.quantity = quantity_->currentData().toString().toStdString();
    request.target = *target;
    request.tolerance = *tolerance;
    request.acceptedWarnings = Context().acceptedWarnings();
    request_ = request;
    result_.reset();
    return Prepared{[this, request](const std::atomic<bool>& cancel, const auto& progress) {
                        result_ = GoalSeek(request, &cancel, progress);
                    },
                    request.runLimit};
}

Chart GoalSeekDialog::HistoryChart(const std::vector<Evaluation>& history) const {
    return GoalSeekChart(history, request_.quantity, request_.target);
}

// How the search ended, the text it found or why none, the quantity there and
// the runs made.
QString GoalSeekDialog::Outcome() const {
    if (!result_) return {};
    const char separator = Context().decimalSeparator;
    const QString input = FromUtf8(ReportCaption(*request_.field));
    const QString quantity = FromUtf8(QuantityCaption(request_.quantity));
    QStringList lines{FromUtf8(GoalSeekEndText(result_->end))};
    if (!result_->reason.empty()) lines << FromUtf8(result_->reason);
    if (!result_->text.empty()) {
        lines << QStringLiteral("%1%2 = %3")
                     .arg(result_->end == GoalSeekEnd::Found ? QString() : QStringLiteral("Closest: "), input,
                          FromUtf8(result_->text));
    }
    if (result_->residual) {
        lines << QStringLiteral("%1 = %2 (target %3, residual %4)")
                     .arg(quantity, Figure(request_.target + *result_->residual, separator),
                          Figure(request_.target, separator), Figure(*result_->residual, separator));
    }
    if (result_->end == GoalSeekEnd::Found)
        for (const std::string& line : FoundWarningLines(result_->run, request_.acceptedWarnings))
            lines << FromUtf8(line);
    lines << QStringLiteral("Runs made: %1").arg(result_->history.size());
    return lines.join(u'\n');
}

std::vector<FoundText> GoalSeekDialog::Found() const {
    if (!result_ || result_->end != GoalSeekEnd::Found) return {};
    return {{request_.field, result_->text}};
}

}  // namespace vortane
