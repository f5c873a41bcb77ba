#include "app/results_window.h"

#include <QChartView>
#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "app/chart_view.h"
#include "app/comparison_view.h"
#include "app/core_text.h"
#include "app/plain_text.h"
#include "app/screen_fit.h"
#include "comparison/comparison_chart.h"
#include "report/code_page.h"
#include "result/profile_chart.h"
#include "result/run_summary.h"

namespace vortane {

namespace {

QString ReportText(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = file.readAll();
    return FromUtf8(FromCodePage932(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))));
}

// A label of any text that never widens its window: cut at its edge, the
// whole text in its tooltip and accessible description.
void ShowText(QLabel& label, const QString& text) {
    label.setText(text);
    label.setToolTip(PlainToolTip(text));
    label.setAccessibleDescription(text);
}

QLabel* NarrowLabel(const QString& name, const QString& accessibleName) {
    auto* label = PlainLabel();
    label->setObjectName(name);
    label->setAccessibleName(accessibleName);
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    return label;
}

void AddValues(QFormLayout& form, const std::vector<SummaryValue>& values) {
    for (const SummaryValue& value : values) {
        auto* text = PlainLabel();
        ShowText(*text, FromUtf8(value.text));
        text->setObjectName(FromUtf8(value.name));
        text->setAccessibleName(FromUtf8(value.caption));
        text->setTextInteractionFlags(Qt::TextSelectableByMouse);
        auto* caption = PlainLabel(FromUtf8(value.caption));
        caption->setBuddy(text);
        form.addRow(caption, text);
    }
}

void ClearForm(QFormLayout& form) {
    while (form.rowCount() > 0) form.removeRow(0);
}

QGroupBox* Section(const QString& title, QLayout* content) {
    auto* box = new QGroupBox(title);
    box->setAccessibleName(title);
    box->setLayout(content);
    return box;
}

QString WarningsText(const RunSummary& summary) {
    const std::vector<std::string>& warnings = summary.warnings;
    if (warnings.empty() && !summary.stop.empty()) return QStringLiteral("None found before the run stopped.");
    if (warnings.empty())
        return QStringLiteral("None: every input lies in its sound range and the results hold "
                              "physically.");
    QString text;
    for (const std::string& warning : warnings)
        text += (text.isEmpty() ? QString() : QStringLiteral("\n")) + QStringLiteral("\u2022 ") +
                FromUtf8(warning);
    return text;
}

}  // namespace

ResultsWindow::ResultsWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("ResultsWindow"));

    caseName_ = NarrowLabel(QStringLiteral("CaseName"), QStringLiteral("Case"));
    stop_ = NarrowLabel(QStringLiteral("StopMessage"), QStringLiteral("What stopped the run"));
    stop_->setWordWrap(true);
    values_ = new QFormLayout;
    indicators_ = new QFormLayout;
    warnings_ = NarrowLabel(QStringLiteral("Warnings"), QStringLiteral("Warnings"));
    warnings_->setWordWrap(true);
    warnings_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    warnings_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    chart_ = new QChartView;
    chart_->setObjectName(QStringLiteral("ProfileChart"));
    chart_->setAccessibleName(QStringLiteral("Profile chart"));
    chart_->setRenderHint(QPainter::Antialiasing);
    chart_->setMinimumHeight(340);
    report_ = new QPlainTextEdit;
    report_->setObjectName(QStringLiteral("ReportText"));
    report_->setAccessibleName(QStringLiteral("Report"));
    report_->setReadOnly(true);
    report_->setFont(QFont(QStringLiteral("Monospace")));
    reportPath_ = NarrowLabel(QStringLiteral("ReportPath"), QStringLiteral("Report file"));
    reportPath_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    openFolder_ = new QPushButton(QStringLiteral("Open Folder"));
    openFolder_->setAccessibleName(QStringLiteral("Open the report's folder"));
    connect(openFolder_, &QPushButton::clicked, this, &ResultsWindow::OpenReportFolder);
    pin_ = new QPushButton(QStringLiteral("Pin as Baseline"));
    pin_->setObjectName(QStringLiteral("PinBaseline"));
    pin_->setAccessibleName(QStringLiteral("Pin the shown result as the baseline"));
    pin_->setEnabled(false);
    connect(pin_, &QPushButton::clicked, this, &ResultsWindow::TogglePin);
    comparison_ = new ComparisonView;
    comparison_->setObjectName(QStringLiteral("BaselineComparison"));
    comparison_->hide();

    auto* file = new QHBoxLayout;
    file->addWidget(reportPath_, 1);
    file->addWidget(openFolder_);
    auto* judgement = new QVBoxLayout;
    judgement->addWidget(Section(QStringLiteral("Design indicators"), indicators_));
    auto* warningsBox = new QVBoxLayout;
    warningsBox->addWidget(warnings_);
    judgement->addWidget(Section(QStringLiteral("Warnings"), warningsBox), 1);
    auto* sections = new QHBoxLayout;
    sections->addWidget(Section(QStringLiteral("Channel characteristics and results"), values_), 1);
    sections->addLayout(judgement, 1);
    single_ = new QWidget;
    single_->setLayout(sections);
    sections->setContentsMargins(0, 0, 0, 0);
    auto* top = new QHBoxLayout;
    top->addWidget(caseName_, 1);
    top->addWidget(pin_);
    // The case and the report's file stay in view; what lies between them
    // scrolls on a screen too low to hold it.
    auto* body = new QWidget;
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(stop_);
    layout->addWidget(single_);
    layout->addWidget(comparison_, 2);
    layout->addWidget(chart_, 1);
    layout->addWidget(report_, 1);
    auto* window = new QVBoxLayout(this);
    window->addLayout(top);
    window->addWidget(Scrolling(body), 1);
    window->addLayout(file);
    FitOnScreen(*this, {1040, 980});
    ShowCase(QStringLiteral("Untitled"), false);
}

void ResultsWindow::ShowRun(const RunResult& result, const QString& reportPath, char decimalSeparator) {
    run_ = result;
    decimalSeparator_ = decimalSeparator;
    current_ = ComparedDesign{"Current", {}, result, limits_, accepted_};
    pin_->setEnabled(true);
    ShowValues();

    // A run that wrote nothing leaves the file as an earlier run wrote it.
    report_->setPlainText(result.blocksWritten > 0
                              ? ReportText(reportPath)
                              : QStringLiteral("This run wrote no report block; the file below is not its report."));
    ShowText(*reportPath_, reportPath);
    // Laid out now, while the completion dialog is up, so that showing it
    // only maps and paints it.
    layout()->activate();
}

void ResultsWindow::SetLimits(std::vector<Limit> limits, WarningKinds accepted) {
    if (limits == limits_ && accepted == accepted_) return;
    limits_ = std::move(limits);
    accepted_ = accepted;
    for (std::optional<ComparedDesign>* design : {&current_, &baseline_})
        if (*design) {
            (*design)->limits = limits_;
            (*design)->acceptedWarnings = accepted_;
        }
    if (baseline_) ShowPinned();
}

void ResultsWindow::SetUnitSystem(UnitSystem system) {
    units_ = system;
    if (run_) ShowValues();
}

// What the run found, in the chosen units.
void ResultsWindow::ShowValues() {
    const RunSummary summary = SummarizeRun(*run_, decimalSeparator_, units_);
    if (!summary.stop.empty())
        ShowText(*stop_, FromUtf8(summary.stop) +
                             (summary.detail.empty() ? QString() : u'\n' + FromUtf8(summary.detail)) +
                             QStringLiteral("\nThe report holds ") + FromUtf8(summary.blocksHeld) + u'.');
    else if (!summary.profileFault.empty())
        ShowText(*stop_, QStringLiteral("No profile along the channels: ") + FromUtf8(summary.profileFault));
    stop_->setVisible(!summary.stop.empty() || !summary.profileFault.empty());
    ClearForm(*values_);
    AddValues(*values_, summary.channel);
    AddValues(*values_, summary.results);
    ClearForm(*indicators_);
    AddValues(*indicators_, summary.indicators);
    ShowText(*warnings_, WarningsText(summary));

    ShowChart(*chart_, summary.profile.empty() ? Chart{} : ProfileChart(summary.profile, units_));
    currentProfile_ = summary.profile;
    if (baseline_) ShowPinned();
}

void ResultsWindow::ShowCase(const QString& caseName, bool differsFromFile) {
    setWindowTitle(QStringLiteral("Results: %1[*] — Vortane").arg(TitleText(caseName)));
    setWindowModified(differsFromFile);
    ShowText(*caseName_, QStringLiteral("Case: ") + caseName +
                             (differsFromFile ? QStringLiteral(" (changed: this run's inputs differ from it)")
                                              : QString()));
}

void ResultsWindow::ShowWarnings() {
    show();
    raise();
    activateWindow();
    warnings_->setFocus(Qt::OtherFocusReason);
}

void ResultsWindow::TogglePin() {
    if (baseline_) {
        baseline_.reset();
        baselineProfile_.clear();
        pin_->setText(QStringLiteral("Pin as Baseline"));
        pin_->setAccessibleName(QStringLiteral("Pin the shown result as the baseline"));
        comparison_->hide();
        single_->show();
        ShowChart(*chart_, currentProfile_.empty() ? Chart{} : ProfileChart(currentProfile_, units_));
        return;
    }
    if (!current_) return;
    baseline_ = current_;
    baseline_->name = "Baseline";
    baselineProfile_ = currentProfile_;
    pin_->setText(QStringLiteral("Unpin Baseline"));
    pin_->setAccessibleName(QStringLiteral("Unpin the baseline"));
    ShowPinned();
}

// The baseline and the current result side by side, their profiles overlaid.
void ResultsWindow::ShowPinned() {
    comparison_->ShowComparison(PinnedComparison(), decimalSeparator_);
    single_->hide();
    comparison_->show();
    ShowChart(*chart_, PinnedProfiles());
}

Comparison ResultsWindow::PinnedComparison() const {
    return CompareDesigns({*baseline_, *current_}, units_, decimalSeparator_);
}

Chart ResultsWindow::PinnedProfiles() const {
    return ProfileComparisonChart({{"Baseline", baselineProfile_}, {"Current", currentProfile_}}, units_);
}

void ResultsWindow::AddPinnedComparison(ReportDocument& document) const {
    if (baseline_ && current_) AppendComparison(document, PinnedComparison(), PinnedProfiles(), decimalSeparator_);
}

void ResultsWindow::OpenReportFolder() {
    QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(reportPath_->text()).absolutePath()));
}

}  // namespace vortane
