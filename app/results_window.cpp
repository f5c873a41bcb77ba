#include "app/results_window.h"

#include <QChart>
#include <QChartView>
#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QUrl>
#include <QValueAxis>
#include <QVBoxLayout>

#include <algorithm>

#include "app/core_text.h"
#include "report/code_page.h"
#include "study/run_summary.h"

namespace vortane {

namespace {

QString ReportText(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = file.readAll();
    return FromUtf8(FromCodePage932(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))));
}

// The pressures in both channels (kgf/cm2) and the inlet flow fraction on a
// second axis, against z.
QChart* ProfileChart(const std::vector<ChannelPoint>& points) {
    auto* chart = new QChart;
    chart->setTitle(QStringLiteral("Pressures and flow along the channels"));
    auto* inlet = new QLineSeries;
    inlet->setName(QStringLiteral("Inlet channel pressure p1"));
    auto* outlet = new QLineSeries;
    outlet->setName(QStringLiteral("Outlet channel pressure p2"));
    auto* fraction = new QLineSeries;
    fraction->setName(QStringLiteral("Inlet flow fraction y"));
    double low = points.front().pressureInlet, high = low;
    for (const ChannelPoint& p : points) {
        inlet->append(p.z, p.pressureInlet);
        outlet->append(p.z, p.pressureOutlet);
        fraction->append(p.z, p.inletFraction);
        low = std::min({low, p.pressureInlet, p.pressureOutlet});
        high = std::max({high, p.pressureInlet, p.pressureOutlet});
    }
    for (QLineSeries* series : {inlet, outlet, fraction}) chart->addSeries(series);

    auto* z = new QValueAxis;
    z->setTitleText(QStringLiteral("Relative position along the channels z (-)"));
    z->setRange(0, 1);
    auto* pressure = new QValueAxis;
    pressure->setTitleText(QStringLiteral("Pressure (kgf/cm2)"));
    auto* share = new QValueAxis;
    share->setTitleText(QStringLiteral("Inlet flow fraction y (-)"));
    share->setRange(0, 1);
    chart->addAxis(z, Qt::AlignBottom);
    chart->addAxis(pressure, Qt::AlignLeft);
    chart->addAxis(share, Qt::AlignRight);
    for (QLineSeries* series : {inlet, outlet, fraction}) series->attachAxis(z);
    inlet->attachAxis(pressure);
    outlet->attachAxis(pressure);
    fraction->attachAxis(share);
    pressure->setRange(low, high);  // both channels
    pressure->applyNiceNumbers();
    return chart;
}

void AddValues(QFormLayout& form, const std::vector<SummaryValue>& values) {
    for (const SummaryValue& value : values) {
        auto* text = new QLabel(FromUtf8(value.text));
        text->setObjectName(FromUtf8(value.name));
        text->setAccessibleName(FromUtf8(value.caption));
        text->setTextInteractionFlags(Qt::TextSelectableByMouse);
        auto* caption = new QLabel(FromUtf8(value.caption));
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

QString WarningsText(const std::vector<std::string>& warnings) {
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
    setWindowTitle(QStringLiteral("Results — Vortane"));
    resize(1040, 980);

    caseName_ = new QLabel;
    caseName_->setObjectName(QStringLiteral("CaseName"));
    caseName_->setAccessibleName(QStringLiteral("Case"));
    stop_ = new QLabel;
    stop_->setObjectName(QStringLiteral("StopMessage"));
    stop_->setAccessibleName(QStringLiteral("What stopped the run"));
    stop_->setWordWrap(true);
    values_ = new QFormLayout;
    indicators_ = new QFormLayout;
    warnings_ = new QLabel;
    warnings_->setObjectName(QStringLiteral("Warnings"));
    warnings_->setAccessibleName(QStringLiteral("Warnings"));
    warnings_->setWordWrap(true);
    warnings_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    warnings_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    chart_ = new QChartView;
    chart_->setObjectName(QStringLiteral("ProfileChart"));
    chart_->setAccessibleName(QStringLiteral("Pressures and flow along the channels"));
    chart_->setRenderHint(QPainter::Antialiasing);
    chart_->setMinimumHeight(340);
    report_ = new QPlainTextEdit;
    report_->setObjectName(QStringLiteral("ReportText"));
    report_->setAccessibleName(QStringLiteral("Report"));
    report_->setReadOnly(true);
    report_->setFont(QFont(QStringLiteral("Monospace")));
    reportPath_ = new QLabel;
    reportPath_->setObjectName(QStringLiteral("ReportPath"));
    reportPath_->setAccessibleName(QStringLiteral("Report file"));
    reportPath_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    openFolder_ = new QPushButton(QStringLiteral("Open Folder"));
    openFolder_->setAccessibleName(QStringLiteral("Open the report's folder"));
    connect(openFolder_, &QPushButton::clicked, this, &ResultsWindow::OpenReportFolder);

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
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(caseName_);
    layout->addWidget(stop_);
    layout->addLayout(sections);
    layout->addWidget(chart_, 1);
    layout->addWidget(report_, 1);
    layout->addLayout(file);
}

void ResultsWindow::ShowRun(const RunResult& result, const QString& caseName,
                            const QString& reportPath, char decimalSeparator) {
    const RunSummary summary = SummarizeRun(result, decimalSeparator);
    caseName_->setText(QStringLiteral("Case: ") + caseName);
    if (!summary.stop.empty())
        stop_->setText(FromUtf8(summary.stop) +
                       (summary.detail.empty() ? QString() : u'\n' + FromUtf8(summary.detail)) +
                       QStringLiteral("\nThe report holds ") + FromUtf8(summary.blocksHeld) + u'.');
    else if (!summary.profileFault.empty())
        stop_->setText(QStringLiteral("No profile along the channels: ") + FromUtf8(summary.profileFault));
    stop_->setVisible(!summary.stop.empty() || !summary.profileFault.empty());
    ClearForm(*values_);
    AddValues(*values_, summary.channel);
    AddValues(*values_, summary.results);
    ClearForm(*indicators_);
    AddValues(*indicators_, summary.indicators);
    warnings_->setText(WarningsText(summary.warnings));

    QChart* previous = chart_->chart();
    chart_->setChart(summary.profile.empty() ? new QChart : ProfileChart(summary.profile));
    delete previous;

    report_->setPlainText(ReportText(reportPath));
    reportPath_->setText(reportPath);
    // Laid out now, while the completion dialog is up, so that showing it
    // only maps and paints it.
    layout()->activate();
}

void ResultsWindow::OpenReportFolder() {
    QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(reportPath_->text()).absolutePath()));
}

}  // namespace vortane
