// Designs side by side in the window: Pin as Baseline in the Results window,
// and File > Compare Cases.
#include <QAbstractAxis>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QFile>
#include <QFileDialog>
#include <QLegendMarker>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTest>

#include <cmath>

#include "app/compare_cases.h"
#include "app/results_window.h"
#include "modal_closer.h"
#include "program.h"

namespace vortane::testing {

namespace {

// The cells of the table's row whose first cell is `quantity`; empty when none.
QStringList Row(const QTableWidget& table, const QString& quantity) {
    for (int r = 0; r < table.rowCount(); ++r) {
        if (table.item(r, 0)->text() != quantity) continue;
        QStringList cells;
        for (int c = 0; c < table.columnCount(); ++c) cells << table.item(r, c)->text();
        return cells;
    }
    return {};
}

QStringList Header(const QTableWidget& table) {
    QStringList names;
    for (int c = 0; c < table.columnCount(); ++c) names << table.horizontalHeaderItem(c)->text();
    return names;
}

QStringList SeriesNames(const QChartView& view) {
    QStringList names;
    for (const QAbstractSeries* series : view.chart()->series()) names << series->name();
    return names;
}

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The page without its date and time, which moves with the clock.
QByteArray Undated(QByteArray page) {
    const qsizetype at = page.indexOf("<tr><th scope=\"row\">Date and time</th>");
    return at < 0 ? page : page.remove(at, page.indexOf("</tr>", at) - at);
}

// The lines of a PDF's text as laid out on its pages, in compatibility form;
// empty when pdftotext is not installed.
QStringList PdfLines(const QString& path) {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) return {};
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!text.waitForFinished(30000)) return {QStringLiteral("pdftotext did not finish")};
    return QString::fromUtf8(text.readAllStandardOutput()).normalized(QString::NormalizationForm_KC).split(u'\n');
}

// Answers a file dialog with the name in `path` (the proposed one when empty),
// recording what it proposed; any other box is closed with Enter.
class FileAnswerer : public QObject {
public:
    FileAnswerer() {
        connect(&timer_, &QTimer::timeout, this, &FileAnswerer::Answer);
        timer_.start(10);
    }

    QString path;
    QStringList proposed;  // per file dialog
    QStringList seen;      // every other box's title

private:
    void Answer() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || !modal->isVisible()) return;
        if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
            proposed << dialog->selectedFiles().value(0);
            if (!path.isEmpty()) dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(path);
            QMetaObject::invokeMethod(dialog, "accept");
            return;
        }
        seen << modal->windowTitle();
        QTest::keyClick(modal, Qt::Key_Return);
        if (auto* dialog = qobject_cast<QDialog*>(modal); dialog && dialog->isVisible()) dialog->reject();
    }

    QTimer timer_;
};

}  // namespace

class ComparisonTest : public QObject {
    Q_OBJECT

    std::unique_ptr<Program> program;
    std::unique_ptr<ModalCloser> closer;

    ResultsWindow& Results() { return program->form1->Results(); }

private slots:
    void initTestCase() {
        QLocale::setDefault(QLocale::c());
        QStandardPaths::setTestModeEnabled(true);
    }
    void init() {
        QSettings().remove(QStringLiteral("View/UnitSystem"));  // technical metric, whatever a test chose
        program = std::make_unique<Program>();
        closer = std::make_unique<ModalCloser>();
        QVERIFY(program->Show());
    }
    void cleanup() {
        closer.reset();
        program.reset();
    }

    // Pinned, a changed run stands beside the baseline with its differences,
    // the case's limits judged in each, both profiles overlaid; Unpin returns.
    void pinAsBaselineShowsBothDesigns() {
        auto* pin = Results().findChild<QPushButton*>(QStringLiteral("PinBaseline"));
        QVERIFY(pin && !pin->isEnabled());
        const QString limited = program->Scratch() + QStringLiteral("/limited.vcase");
        {
            QFile file(limited);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("Limit = TemperatureRise<=25\n");
        }
        QVERIFY(program->form1->OpenCase(limited));
        program->PressOk();
        QVERIFY(pin->isEnabled());
        QCOMPARE(QAccessible::queryAccessibleInterface(pin)->text(QAccessible::Name),
                 QStringLiteral("Pin the shown result as the baseline"));
        QTest::mouseClick(pin, Qt::LeftButton);
        QCOMPARE(pin->text(), QStringLiteral("Unpin Baseline"));
        auto* table = Results().findChild<QTableWidget*>(QStringLiteral("ComparisonTable"));
        QVERIFY(table && table->isVisible());
        QCOMPARE(Header(*table), (QStringList{"Quantity", "Baseline", "Current", "Δ", "Δ %"}));
        QCOMPARE(Row(*table, QStringLiteral("Output (kg/hr)")), QStringList());  // no input differs yet

        Type(program->Edit(3), QStringLiteral("350"));
        program->PressOk();
        QCOMPARE(Row(*table, QStringLiteral("Output (kg/hr)")),
                 (QStringList{"Output (kg/hr)", "267", "350", "+83", "+31.09 %"}));
        // Computed values to seven significant digits, under their captions.
        const QStringList rise = Row(*table, QStringLiteral("Temperature Difference (℃)"));
        QCOMPARE(rise.mid(1, 2), (QStringList{"29.55363", "22.7347"}));
        QVERIFY(rise[3].startsWith(u'-'));
        const QStringList limit = Row(*table, QStringLiteral("Temperature Difference (℃) ≤ 25"));
        QVERIFY(limit[1].startsWith(QStringLiteral("failed by ")));
        QVERIFY(limit[2].startsWith(QStringLiteral("met by ")));
        QCOMPARE(Row(*table, QStringLiteral("Feasible")).mid(1, 2), (QStringList{"no", "yes"}));
        auto* chart = Results().findChild<QChartView*>(QStringLiteral("ProfileChart"));
        const QStringList series = SeriesNames(*chart);
        QVERIFY(series.contains(QStringLiteral("Baseline p1")) && series.contains(QStringLiteral("Current p2")));

        QTest::mouseClick(pin, Qt::LeftButton);
        QCOMPARE(pin->text(), QStringLiteral("Pin as Baseline"));
        QVERIFY(!table->isVisible());
        QVERIFY(!SeriesNames(*chart).contains(QStringLiteral("Baseline p1")));
    }

    // The chosen case files side by side against the first; fewer than two,
    // or a file that cannot be read, is named and opens nothing.
    void compareCases() {
        const QString a = program->Scratch() + QStringLiteral("/a.vcase");
        QVERIFY(program->form1->SaveCase(a));
        Type(program->Edit(2), QStringLiteral("90"));
        const QString b = program->Scratch() + QStringLiteral("/b.vcase");
        QVERIFY(program->form1->SaveCase(b));
        QWidget* window = CompareCases(*program->form1, {a, b}, '.');
        QVERIFY(window && window->isVisible());
        QCOMPARE(window->windowTitle(), QStringLiteral("Compare Cases: a.vcase, b.vcase — Vortane"));
        auto* table = window->findChild<QTableWidget*>(QStringLiteral("ComparisonTable"));
        QCOMPARE(Row(*table, QStringLiteral("Number of Revolution (rpm)")),
                 (QStringList{"Number of Revolution (rpm)", "80", "90", "+10", "+12.50 %"}));
        QCOMPARE(SeriesNames(*window->findChild<QChartView*>(QStringLiteral("ComparisonChart"))).size(), 4);

        // View > Units while it is open: the window follows the main window's
        // units, its table and its profiles' axes, and back.
        const auto units = [this](const char* system) {
            program->form1->findChild<QAction*>(QStringLiteral("Units_") + QLatin1String(system))->trigger();
        };
        const auto pressureAxis = [window] {
            const QChart* chart = window->findChild<QChartView*>(QStringLiteral("ComparisonChart"))->chart();
            return chart->axes(Qt::Vertical).value(0)->titleText();
        };
        const QString metricAxis = pressureAxis();
        const QStringList metricWidth = Row(*table, QStringLiteral("Channel Width (cm)"));
        QCOMPARE(metricWidth.size(), 5);
        units("us");
        QCOMPARE(Row(*table, QStringLiteral("Channel Width (cm)")), QStringList());
        const QStringList width = Row(*table, QStringLiteral("Channel Width (in)"));
        QCOMPARE(width.size(), 5);
        QVERIFY2(std::abs(width[1].toDouble() * 2.54 / metricWidth[1].toDouble() - 1) < 1e-5,
                 qPrintable(width.join(", ")));
        QVERIFY2(pressureAxis().contains(QStringLiteral("psi")), qPrintable(pressureAxis()));
        units("metric");
        QCOMPARE(Row(*table, QStringLiteral("Channel Width (cm)")), metricWidth);
        QCOMPARE(pressureAxis(), metricAxis);
        window->close();

        QVERIFY(!CompareCases(*program->form1, {a}, '.'));
        QVERIFY(!CompareCases(*program->form1, {a, program->Scratch() + QStringLiteral("/missing.vcase")}, '.'));
        QCOMPARE(closer->shown.size(), 2u);
        QCOMPARE(closer->shown[0].text, QStringLiteral("Choose two case files or more to compare."));
        QVERIFY(closer->shown[1].text.contains(QStringLiteral("missing.vcase")));
    }

    // With a baseline pinned, the report to hand on carries the comparison
    // after the run's own page: both designs, the differences, both profiles.
    // Unpinned, the page is as it was before.
    void pinnedBaselineIsInTheReport() {
        program->PressOk();
        const QString alone = program->Scratch() + QStringLiteral("/alone.html");
        QVERIFY(program->form1->ExportReport(alone));
        auto* pin = Results().findChild<QPushButton*>(QStringLiteral("PinBaseline"));
        QTest::mouseClick(pin, Qt::LeftButton);
        const QString same = program->Scratch() + QStringLiteral("/same.html");
        QVERIFY(program->form1->ExportReport(same));
        const QByteArray end = "</body>\n</html>\n";
        QVERIFY(Undated(Contents(same)).startsWith(Undated(Contents(alone)).chopped(end.size())));

        Type(program->Edit(3), QStringLiteral("350"));
        program->PressOk();
        const QString pinned = program->Scratch() + QStringLiteral("/pinned.html");
        QVERIFY(program->form1->ExportReport(pinned));
        const QByteArray page = Contents(pinned);
        const QByteArray compared = page.mid(page.indexOf("<h2>Compared with Baseline</h2>"));
        QVERIFY2(compared.contains("<tr><td>Output (kg/hr)</td><td>267</td><td>350</td><td>+83</td><td>+31.09 %</td>"),
                 compared.constData());
        QVERIFY(compared.contains("<tr><td>Temperature Difference (℃)</td><td>29.55363</td><td>22.7347</td><td>-"));
        QCOMPARE(page.count("<figure>"), 2);
        for (const char* curve : {">Baseline p1</text>", ">Baseline p2</text>", ">Current p1</text>",
                                  ">Current p2</text>"})
            QVERIFY2(compared.contains(curve), curve);

        QTest::mouseClick(pin, Qt::LeftButton);
        const QString unpinned = program->Scratch() + QStringLiteral("/unpinned.html");
        QVERIFY(program->form1->ExportReport(unpinned));
        QVERIFY(!Contents(unpinned).contains("Compared with"));
        QCOMPARE(Contents(unpinned).count("<figure>"), 1);
        QVERIFY(Undated(Contents(pinned)).startsWith(Undated(Contents(unpinned)).chopped(end.size())));
    }

    // Compare Cases exports what it shows, in its units, under the first
    // case's name, as PDF or HTML, and prints it; every case is named.
    void compareCasesIsExportedAndPrinted() {
        const QString a = program->Scratch() + QStringLiteral("/a.vcase");
        QVERIFY(program->form1->SaveCase(a));
        Type(program->Edit(2), QStringLiteral("90"));
        const QString b = program->Scratch() + QStringLiteral("/b.vcase");
        QVERIFY(program->form1->SaveCase(b));
        closer.reset();
        FileAnswerer answerer;
        QWidget* window = CompareCases(*program->form1, {a, b}, '.', UnitSystem::US);
        QVERIFY(window);
        auto* exportButton = window->findChild<QPushButton*>(QStringLiteral("ExportComparison"));
        auto* printButton = window->findChild<QPushButton*>(QStringLiteral("PrintComparison"));
        QVERIFY(exportButton && printButton);
        QCOMPARE(QAccessible::queryAccessibleInterface(exportButton)->text(QAccessible::Name),
                 QStringLiteral("Export the comparison as PDF or HTML"));
        QCOMPARE(QAccessible::queryAccessibleInterface(printButton)->text(QAccessible::Name),
                 QStringLiteral("Print the comparison"));

        const QString proposed = program->Scratch() + QStringLiteral("/a-comparison.pdf");
        QTest::mouseClick(exportButton, Qt::LeftButton);
        QCOMPARE(answerer.proposed, QStringList{proposed});
        QVERIFY(Contents(proposed).startsWith("%PDF-"));
        const QStringList lines = PdfLines(proposed);
        if (!lines.isEmpty()) {
            const QString all = lines.join(u'\n');
            QVERIFY2(all.contains(QStringLiteral("Designs compared: a.vcase, b.vcase")), qPrintable(all));
            // The quantity's column stands apart from the values on its line.
            const QRegularExpression speed(QStringLiteral("Number of Revolution \\(rpm\\) {2,}80 +90 +\\+10 +\\+12.50 %"));
            QVERIFY2(all.contains(speed), qPrintable(all));
            // Seven digits in each design's column, and each stands apart.
            const QRegularExpression shape(
                QStringLiteral("Drag Flow Shape Factor \\(-\\) {2,}0.8308009 {2,}0.8308009 {2,}\\+0 {2,}\\+0.00 %"));
            QVERIFY2(all.contains(shape), qPrintable(all));
            QVERIFY2(all.contains(QStringLiteral("(psi)")), qPrintable(all));
        }

        answerer.path = program->Scratch() + QStringLiteral("/cases.html");
        QTest::mouseClick(exportButton, Qt::LeftButton);
        const QByteArray page = Contents(answerer.path);
        QVERIFY(page.contains("<h1>Designs compared: a.vcase, b.vcase</h1>"));
        QVERIFY(page.contains("<tr><td>Number of Revolution (rpm)</td><td>80</td><td>90</td><td>+10</td>"));
        QVERIFY(page.contains(">a.vcase p1</text>") && page.contains(">b.vcase p2</text>"));
        QVERIFY(page.contains("(psi)"));

        // Printed to a file, as a printer without a queue does: the proposed PDF.
        QVERIFY(QFile::remove(proposed));
        QTest::mouseClick(printButton, Qt::LeftButton);
        QCOMPARE(answerer.seen, QStringList{QStringLiteral("Print Report")});
        QVERIFY(Contents(proposed).startsWith("%PDF-"));
        window->close();
    }
};

}  // namespace vortane::testing

QTEST_MAIN(vortane::testing::ComparisonTest)
#include "comparison_test.moc"
