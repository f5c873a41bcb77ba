// Run by hand, not by CTest: File > Compare Cases… in SI units as a picture.
// Arguments: the PNG to save (a full path); optionally a folder where its
// Export… button writes comparison.pdf, and where the report of a run
// against a pinned baseline is exported as pinned.pdf. With QT_QPA_PLATFORM=xcb
// the window stays up for a minute after, for a screen grab. Three cases side by side: the plant's defaults,
// a throughput of 350 kg/hr with a 0.012 cm second barrier clearance, and
// one whose first barrier clearance was mistyped, so that its run stops.
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>
#include <QTableWidget>
#include <QTest>

#include "app/compare_cases.h"
#include "app/results_window.h"
#include "program.h"

namespace {

bool Write(const QString& path, const QByteArray& text) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    const QStringList args = QApplication::arguments();
    if (args.size() < 2) return 2;
    vortane::testing::Program program;
    if (!program.ShowExposed()) return 1;
    const QString dir = program.Scratch();
    const QStringList paths{dir + QStringLiteral("/plant.vcase"), dir + QStringLiteral("/rate-350.vcase"),
                            dir + QStringLiteral("/typo.vcase")};
    if (!Write(paths[0], "Limit = TemperatureRise<=25\n") ||
        !Write(paths[1], "OutputRate = 350\nBarrierClearance2 = 0.012\nLimit = TemperatureRise<=25\n") ||
        !Write(paths[2], "BarrierClearance1 = 0.0x5\n"))
        return 1;
    QWidget* window = vortane::CompareCases(*program.form1, paths, '.', vortane::UnitSystem::SI);
    if (window == nullptr || !QTest::qWaitForWindowExposed(window)) return 1;
    // The outcomes in view: the stopped case says what stopped it.
    auto* table = window->findChild<QTableWidget*>(QStringLiteral("ComparisonTable"));
    const QList<QTableWidgetItem*> outcome = table->findItems(QStringLiteral("Outcome"), Qt::MatchExactly);
    if (outcome.isEmpty()) return 1;
    table->scrollToItem(outcome.front(), QAbstractItemView::PositionAtTop);
    QTest::qWait(300);
    if (!window->grab().save(args[1], "PNG")) return 1;
    if (args.size() > 2) {
        // The file dialog answered with the folder's comparison.pdf.
        QTimer answer;
        QObject::connect(&answer, &QTimer::timeout, [&args] {
            if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
                dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(args[2] + "/comparison.pdf");
                QMetaObject::invokeMethod(dialog, "accept");
            }
        });
        answer.start(10);
        window->findChild<QPushButton*>(QStringLiteral("ExportComparison"))->click();
        answer.stop();
        // The plant's defaults pinned, then 350 kg/hr against them.
        program.Find<QAction>(QStringLiteral("Units_si"))->trigger();
        auto* ok = program.form1->findChild<QPushButton*>(QStringLiteral("BitBtn1"));
        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, [] {
            if (QWidget* modal = QApplication::activeModalWidget()) QTest::keyClick(modal, Qt::Key_Return);
        });
        closer.start(10);
        ok->click();
        program.form1->Results().findChild<QPushButton*>(QStringLiteral("PinBaseline"))->click();
        program.Edit(3)->setText(QStringLiteral("350"));
        ok->click();
        closer.stop();
        if (!program.form1->ExportReport(args[2] + "/pinned.pdf")) return 1;
        if (!program.form1->ExportReport(args[2] + "/pinned.html")) return 1;
    }
    window->raise();
    if (QGuiApplication::platformName() == QLatin1String("xcb")) QTest::qWait(60000);
    return 0;
}
