#include "app/compare_cases.h"

#include <QChartView>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

#include "app/case_document.h"
#include "app/chart_view.h"
#include "app/comparison_view.h"
#include "app/core_text.h"
#include "app/plain_text.h"
#include "app/report_export.h"
#include "app/screen_fit.h"
#include "comparison/comparison_chart.h"

namespace vortane {

namespace {

QWidget* ComparisonWindow(QWidget& parent, const std::vector<ComparedDesign>& designs, char decimalSeparator,
                          UnitSystem system) {
    auto* window = new QWidget(&parent, Qt::Window);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setObjectName(QStringLiteral("CompareCasesWindow"));
    QString names;
    for (const ComparedDesign& design : designs)
        names += (names.isEmpty() ? QString() : QStringLiteral(", ")) + FromUtf8(design.name);
    window->setWindowTitle(QStringLiteral("Compare Cases: %1 — Vortane").arg(TitleText(names)));

    const Comparison comparison = CompareDesigns(designs, system, decimalSeparator);
    const Chart profiles = ProfileComparisonChart(designs, system);
    auto* view = new ComparisonView;
    view->ShowComparison(comparison, decimalSeparator);
    auto* chart = new QChartView;
    chart->setObjectName(QStringLiteral("ComparisonChart"));
    chart->setAccessibleName(QStringLiteral("Profiles of the cases"));
    chart->setRenderHint(QPainter::Antialiasing);
    chart->setMinimumHeight(300);
    ShowChart(*chart, profiles);

    // What the window shows, as a report to hand on, under the first case's name.
    const QString name = QFileInfo(FromUtf8(designs.front().name)).completeBaseName() + QStringLiteral("-comparison");
    const auto document = [comparison, profiles, decimalSeparator] {
        return ComparisonDocument(comparison, profiles, LocalDateTime(), decimalSeparator);
    };
    auto* exportButton = new QPushButton(QStringLiteral("Export…"));
    exportButton->setObjectName(QStringLiteral("ExportComparison"));
    exportButton->setAccessibleName(QStringLiteral("Export the comparison as PDF or HTML"));
    QObject::connect(exportButton, &QPushButton::clicked, window,
                     [window, name, document] { ExportReportFromDialog(document(), name, window); });
    auto* printButton = new QPushButton(QStringLiteral("Print…"));
    printButton->setObjectName(QStringLiteral("PrintComparison"));
    printButton->setAccessibleName(QStringLiteral("Print the comparison"));
    QObject::connect(printButton, &QPushButton::clicked, window,
                     [window, name, document] { PrintReportFromDialog(document(), name, window); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(exportButton);
    buttons->addWidget(printButton);

    auto* layout = new QVBoxLayout(window);
    layout->addWidget(view, 3);
    layout->addWidget(chart, 2);
    layout->addLayout(buttons);
    FitOnScreen(*window, {1040, 900});
    return window;
}

}  // namespace

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
    QWidget* window = ComparisonWindow(parent, designs, decimalSeparator, system);
    window->show();
    return window;
}

void CompareCasesFromDialog(QWidget& parent, char decimalSeparator, UnitSystem system) {
    const QStringList paths = QFileDialog::getOpenFileNames(
        &parent, QStringLiteral("Compare Cases"), QString(), CaseFileFilter());
    if (!paths.isEmpty()) CompareCases(parent, paths, decimalSeparator, system);
}

}  // namespace vortane
