#include "app/compare_cases.h"

#include <QChartView>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

#include "app/case_document.h"
#include "app/chart_view.h"
#include "app/comparison_view.h"
#include "app/core_text.h"
#include "app/plain_text.h"
#include "app/report_export.h"
#include "app/screen_fit.h"
#include "comparison/comparison_chart.h"

namespace vortane {

CompareCasesWindow::CompareCasesWindow(QWidget& parent, std::vector<ComparedDesign> designs, char decimalSeparator,
                                       UnitSystem system)
    : QWidget(&parent, Qt::Window), designs_(std::move(designs)), decimalSeparator_(decimalSeparator) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("CompareCasesWindow"));
    QString names;
    for (const ComparedDesign& design : designs_)
        names += (names.isEmpty() ? QString() : QStringLiteral(", ")) + FromUtf8(design.name);
    setWindowTitle(QStringLiteral("Compare Cases: %1 — Vortane").arg(TitleText(names)));

    view_ = new ComparisonView;
    chart_ = new QChartView;
    chart_->setObjectName(QStringLiteral("ComparisonChart"));
    chart_->setAccessibleName(QStringLiteral("Profiles of the cases"));
    chart_->setRenderHint(QPainter::Antialiasing);
    chart_->setMinimumHeight(300);
    SetUnitSystem(system);

    // What the window shows, as a report to hand on, under the first case's name.
    const QString name = QFileInfo(FromUtf8(designs_.front().name)).completeBaseName() + QStringLiteral("-comparison");
    auto* exportButton = new QPushButton(QStringLiteral("Export…"));
    exportButton->setObjectName(QStringLiteral("ExportComparison"));
    exportButton->setAccessibleName(QStringLiteral("Export the comparison as PDF or HTML"));
    connect(exportButton, &QPushButton::clicked, this, [this, name] { ExportReportFromDialog(Document(), name, this); });
    auto* printButton = new QPushButton(QStringLiteral("Print…"));
    printButton->setObjectName(QStringLiteral("PrintComparison"));
    printButton->setAccessibleName(QStringLiteral("Print the comparison"));
    connect(printButton, &QPushButton::clicked, this, [this, name] { PrintReportFromDialog(Document(), name, this); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(exportButton);
    buttons->addWidget(printButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(view_, 3);
    layout->addWidget(chart_, 2);
    layout->addLayout(buttons);
    FitOnScreen(*this, {1040, 900});
}

// The designs' runs stay; their values and profiles are expressed anew.
void CompareCasesWindow::SetUnitSystem(UnitSystem system) {
    comparison_ = CompareDesigns(designs_, system, decimalSeparator_);
    profiles_ = ProfileComparisonChart(designs_, system);
    view_->ShowComparison(comparison_, decimalSeparator_);
    ShowChart(*chart_, profiles_);
}

ReportDocument CompareCasesWindow::Document() const {
    return ComparisonDocument(comparison_, profiles_, LocalDateTime(), decimalSeparator_);
}

QWidget* CompareCases(QWidget& parent, const QStringList& paths, char decimalSeparator, UnitSystem system) {
    const QString title = QStringLiteral("Vortane");
    if (paths.size() < 2) {
        WarnPlain(&parent, title, QStringLiteral("Choose two case files or more to compare."));
        return nullptr;
    }
    std::vector<ComparedDesign> designs;
    try {
        for (const QString& path : paths) designs.push_back(RunCaseDesign(path.toStdString(), {}, decimalSeparator));
    } catch (const Error& error) {
        WarnPlain(&parent, title, FromUtf8(error.what()));
        return nullptr;
    }
    auto* window = new CompareCasesWindow(parent, std::move(designs), decimalSeparator, system);
    window->show();
    return window;
}

void CompareCasesFromDialog(QWidget& parent, char decimalSeparator, UnitSystem system) {
    const QStringList paths = QFileDialog::getOpenFileNames(
        &parent, QStringLiteral("Compare Cases"), QString(), CaseFileFilter());
    if (!paths.isEmpty()) CompareCases(parent, paths, decimalSeparator, system);
}

}  // namespace vortane
