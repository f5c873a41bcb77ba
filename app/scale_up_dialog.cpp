#include "app/scale_up_dialog.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "app/core_text.h"
#include "app/file_save.h"
#include "app/varied_inputs.h"
#include "design/end_text.h"
#include "design_document/scale_up_table.h"
#include "result/limit_check.h"
#include "study/design_rows.h"

namespace vortane {

namespace {

// The columns kept when the dialog opens: the dispersive stress and the heating.
constexpr const char* FirstKeptColumns[] = {"Barrier1ShearStress", "TemperatureRise"};

// The inputs whose texts differ between the designs, in box order.
std::vector<const InputField*> DifferingInputs(const ScaleUpResult& result) {
    std::vector<const InputField*> fields;
    for (const InputField& field : InputFields()) {
        const auto box = static_cast<std::size_t>(field.box - 1);
        const bool differs = std::any_of(result.rows.begin(), result.rows.end(), [&](const ScaleUpRow& row) {
            return row.texts[box] != result.rows.front().texts[box];
        });
        if (differs) fields.push_back(&field);
    }
    return fields;
}

}  // namespace

ScaleUpDialog::ScaleUpDialog(DesignContext context, QWidget* parent)
    : DesignDialog(QStringLiteral("Scale Up"), std::move(context), parent) {
    setObjectName(QStringLiteral("ScaleUpDialog"));
    QWidget* inputs = CreateInputs();
    LayOut(inputs, {1300, 860}, CreateResults());
    connect(this, &DesignDialog::SearchEnded, this, &ScaleUpDialog::ShowTable);
}

// The new diameter and output beside the columns kept; the inputs the Kept
// design may move, when the user bounds them; the case's limits.
QWidget* ScaleUpDialog::CreateInputs() {
    auto* inputs = new QGroupBox(QStringLiteral("Scale up"));
    auto* columns = new QHBoxLayout(inputs);

    auto* target = new QFormLayout;
    target->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    diameter_ = NumberEdit(QStringLiteral("New barrel diameter"));
    output_ = NumberEdit(QStringLiteral("Output of the Kept design"));
    target->addRow(QStringLiteral("New &barrel diameter (cm):"), diameter_);
    target->addRow(QStringLiteral("&Output of the Kept design (kg/hr):"), output_);
    keep_ = new QListWidget;
    keep_->setAccessibleName(QStringLiteral("Columns kept"));
    for (const std::string& quantity : LimitQuantities()) {
        auto* item = new QListWidgetItem(FromUtf8(QuantityCaption(quantity)), keep_);
        item->setData(Qt::UserRole, FromUtf8(quantity));
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
        const bool first = std::find(std::begin(FirstKeptColumns), std::end(FirstKeptColumns), quantity) !=
                           std::end(FirstKeptColumns);
        item->setCheckState(first ? Qt::Checked : Qt::Unchecked);
    }
    keep_->setMinimumHeight(keep_->fontMetrics().lineSpacing() * 8);
    target->addRow(QStringLiteral("Columns &kept:"), keep_);
    limits_ = CaseLimitsLabel();
    target->addRow(QStringLiteral("Limits:"), limits_);
    columns->addLayout(target, 1);

    auto* varied = new QFormLayout;
    varied->setRowWrapPolicy(QFormLayout::WrapAllRows);
    varied->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    ownBounds_ = new QCheckBox(QStringLiteral("&Inputs the Kept design may move (low, high):"));
    ownBounds_->setAccessibleName(QStringLiteral("Bound the inputs the Kept design may move"));
    ownBounds_->setToolTip(QStringLiteral("Unticked: the speed, the channel depth and both barrier clearances "
                                          "around their similar values"));
    rows_ = new VariedInputRows(Context());
    rows_->AddInput();
    rows_->Vary(0, *FindInputField("ScrewSpeed"));
    const auto follow = [this] { rows_->setEnabled(ownBounds_->isChecked()); };
    connect(ownBounds_, &QCheckBox::toggled, this, follow);
    follow();
    varied->addRow(ownBounds_);
    varied->addRow(rows_);
    columns->addLayout(varied, 1);
    FollowCase();
    return inputs;
}

QWidget* ScaleUpDialog::CreateResults() {
    auto* results = new QWidget;
    auto* layout = new QHBoxLayout(results);
    layout->setContentsMargins(0, 0, 0, 0);
    table_ = DesignsTable(QStringLiteral("Designs scaled"));
    connect(table_, &QTableWidget::itemSelectionChanged, this, &ScaleUpDialog::OfferApply);
    exportCsv_ = new QPushButton(QStringLiteral("Export &CSV\u2026"));
    exportCsv_->setAccessibleName(QStringLiteral("Export the designs as CSV"));
    exportCsv_->setEnabled(false);
    connect(exportCsv_, &QPushButton::clicked, this, [this] {
        const QString path =
            QFileDialog::getSaveFileName(this, QStringLiteral("Export CSV"), {}, QStringLiteral("CSV (*.csv)"));
        if (!path.isEmpty()) ExportCsv(path);
    });
    auto* designs = new QVBoxLayout;
    designs->addWidget(table_, 1);
    auto* exports = new QHBoxLayout;
    exports->addWidget(exportCsv_);
    exports->addStretch(1);
    designs->addLayout(exports);
    layout->addLayout(designs, 1);
    // The Kept design's search minimises no column of a run; its deviations
    // are in the table, and no history is charted.
    layout->addWidget(&ChartView());
    ChartView().setVisible(false);
    return results;
}

void ScaleUpDialog::FollowCase() {
    limits_->setText(CaseLimitsText(Context().limits()));
    if (asked_) return;
    const InputTexts texts = Context().boxTexts();
    diameter_->setText(FromUtf8(texts[static_cast<std::size_t>(FindInputField("BarrelDiameter")->box - 1)]));
    output_->setText(FromUtf8(texts[static_cast<std::size_t>(FindInputField("OutputRate")->box - 1)]));
}

std::optional<DesignDialog::Prepared> ScaleUpDialog::Prepare() {
    const char separator = Context().decimalSeparator;
    QString message;
    ScaleUpRequest request;
    const std::optional<double> diameter =
        ReadNumber(*diameter_, separator, QStringLiteral("The new barrel diameter"), message);
    const std::optional<double> output =
        diameter ? ReadNumber(*output_, separator, QStringLiteral("The output of the Kept design"), message)
                 : std::nullopt;
    if (ownBounds_->isChecked() && output) {
        if (std::optional<std::vector<VariedInput>> inputs = rows_->Read(message)) request.inputs = std::move(*inputs);
    }
    if (!message.isEmpty()) {
        Refuse(message);
        return std::nullopt;
    }
    request.base = {Context().boxTexts(), {}, separator, ReportTarget::None, Context().viscosityRanges()};
    request.barrelDiameter = *diameter;
    request.outputRate = *output;
    for (int i = 0; i < keep_->count(); ++i)
        if (keep_->item(i)->checkState() == Qt::Checked)
            request.keep.push_back(keep_->item(i)->data(Qt::UserRole).toString().toStdString());
    asked_ = true;
    FollowCase();
    request.limits = Context().limits();
    request.acceptedWarnings = Context().acceptedWarnings();
    request_ = request;
    result_.reset();
    shown_.reset();
    ShowTable();
    return Prepared{[this, request](const std::atomic<bool>& cancel, const auto& progress) {
                        result_ = ScaleUp(request, &cancel, progress);
                    },
                    request.runLimit};
}

Chart ScaleUpDialog::HistoryChart(const std::vector<Evaluation>& /*history*/) const { return {}; }

QString ScaleUpDialog::Outcome() const {
    if (!result_) return {};
    QStringList lines;
    if (result_->end == OptimisationEnd::Cancelled) lines << FromUtf8(OptimisationEndText(result_->end, false));
    if (!result_->verdict.empty()) lines << FromUtf8(result_->verdict);
    lines << QStringLiteral("Runs made: %1").arg(result_->runs);
    return lines.join(u'\n');
}

std::size_t ScaleUpDialog::RunsMade() const { return result_ ? result_->runs : DesignDialog::RunsMade(); }

std::vector<FoundText> ScaleUpDialog::Found() const {
    const std::optional<std::size_t> selected = Selected();
    if (!shown_ || !selected) return {};
    std::vector<FoundText> found;
    for (const InputField& field : InputFields())
        found.emplace_back(&field, shown_->rows[*selected].texts[static_cast<std::size_t>(field.box - 1)]);
    return found;
}

std::optional<std::size_t> ScaleUpDialog::Selected() const {
    return shown_ ? SelectedRow(*table_) : std::nullopt;
}

void ScaleUpDialog::Select(std::size_t row) {
    if (shown_ && row < shown_->rows.size()) table_->selectRow(static_cast<int>(row));
}

// An ended search's designs, a row each, the Kept design (else the
// reference) selected; a search cancelled or failed leaves the table empty.
void ScaleUpDialog::ShowTable() {
    const bool ended = result_ && result_->end != OptimisationEnd::Cancelled && !Search().Running() &&
                       Search().Failure().empty();
    if (ended) shown_ = result_;
    table_->clear();
    table_->setRowCount(0);
    exportCsv_->setEnabled(shown_.has_value());
    if (!shown_) {
        OfferApply();
        return;
    }
    const char separator = Context().decimalSeparator;
    const std::vector<const InputField*> inputs = DifferingInputs(*shown_);
    // What was kept and watched first, then the inputs that make the difference.
    QStringList headers{QStringLiteral("Design")};
    for (const std::string& column : shown_->columns)
        headers << TableHeading(FromUtf8(QuantityCaption(column))) << QStringLiteral("\u0394 %");
    headers << QStringLiteral("Feasible");
    for (const InputField* field : inputs) headers << TableHeading(FromUtf8(ReportCaption(*field)));
    table_->setColumnCount(static_cast<int>(headers.size()));
    table_->setHorizontalHeaderLabels(headers);
    table_->setRowCount(static_cast<int>(shown_->rows.size()));
    for (std::size_t r = 0; r < shown_->rows.size(); ++r) {
        const ScaleUpRow& row = shown_->rows[r];
        int column = 0;
        const auto put = [&](const QString& text) { table_->setItem(static_cast<int>(r), column++, TableCell(text)); };
        put(FromUtf8(row.name));
        for (std::size_t k = 0; k < shown_->columns.size(); ++k) {
            put(row.values[k] ? Figure(*row.values[k], separator) : QString());
            put(FromUtf8(DeviationText(row.deviations[k])));
        }
        put(row.feasible ? QStringLiteral("Feasible") : QStringLiteral("Not feasible"));
        for (const InputField* field : inputs) put(FromUtf8(row.texts[static_cast<std::size_t>(field->box - 1)]));
    }
    table_->resizeColumnsToContents();
    const ScaleUpRow* kept = ScaleUpRowNamed(*shown_, KeptRowName);
    Select(kept != nullptr ? static_cast<std::size_t>(kept - shown_->rows.data()) : 0);
    OfferApply();
}

bool ScaleUpDialog::ExportCsv(const QString& path) {
    if (!shown_) return false;
    return SaveFile(this, QStringLiteral("Export CSV"), path,
                    CaseTableCsv(ScaleUpTable(*shown_, Context().decimalSeparator)));
}

}  // namespace vortane
