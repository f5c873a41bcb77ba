// Run by hand, not by CTest: File > Compare Cases… in SI units as a picture.
// Argument: the PNG to save (a full path). Three cases side by side: the plant's defaults,
// a throughput of 350 kg/hr with a 0.012 cm second barrier clearance, and
// one whose first barrier clearance was mistyped, so that its run stops.
#include <QApplication>
#include <QFile>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTest>

#include "app/compare_cases.h"
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
    program.form1->show();  // no window manager under Xvfb to make it active
    if (!QTest::qWaitForWindowExposed(program.form1)) return 1;
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
    return window->grab().save(args[1], "PNG") ? 0 : 1;
}
