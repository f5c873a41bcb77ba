// Run by hand, not by CTest: the pictures of the Study window as a design map
// for the guide. Arguments: CASE.vcase (limits and a throughput), CHART.png,
// MAP.png, optionally TIP.png. Sweeps barrier clearance 1 against screw speed
// and saves the window with the temperature rise's chart, then with the map;
// then the whole screen with the feasible cells shaded by the temperature
// rise and a cell near the map's lower right corner hovered, its tooltip kept
// on the screen (on a platform that draws windows, such as xcb under Xvfb).
#include <QApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTest>

#include <cstdio>

#include "app/map_view.h"
#include "app/study_window.h"
#include "program.h"

namespace {

using vortane::testing::Named;
using vortane::testing::Sweep;

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    const QStringList args = QApplication::arguments();
    if (args.size() < 4) return 2;
    vortane::testing::Program program;
    if (!program.Show() || !program.form1->OpenCase(args[1])) return 1;
    vortane::StudyWindow& study = program.form1->Study();
    study.resize(1000, 800);
    study.show();
    if (!QTest::qWaitForWindowExposed(&study)) return 1;
    Sweep(study, QStringLiteral("First input"), QStringLiteral("Barrier Clearance - 1 (cm)"),
          {QStringLiteral("0.03"), QStringLiteral("0.1"), QStringLiteral("0.005")});
    Sweep(study, QStringLiteral("Second input"), QStringLiteral("Number of Revolution (rpm)"),
          {QStringLiteral("60"), QStringLiteral("120"), QStringLiteral("5")}, QStringLiteral(" (second input)"));
    QSignalSpy ended(&study, &vortane::StudyWindow::SweepEnded);
    QTest::mouseClick(Named<QPushButton>(study, QStringLiteral("Run")), Qt::LeftButton);
    if (!ended.wait(60'000)) return 1;
    auto* quantity = Named<QComboBox>(study, QStringLiteral("Quantity"));
    quantity->setCurrentIndex(quantity->findText(QStringLiteral("Temperature Difference (℃)")));
    QTest::qWait(300);
    if (!study.grab().save(args[2], "PNG")) return 1;
    Named<QTabWidget>(study, QStringLiteral("Views"))->setCurrentIndex(1);
    QTest::qWait(300);
    if (!study.grab().save(args[3], "PNG")) return 1;
    if (args.size() < 5) return 0;
    auto* shade = Named<QComboBox>(study, QStringLiteral("Map shading"));
    shade->setCurrentIndex(shade->findText(QStringLiteral("Feasible cells by Temperature Difference (℃)")));
    const QRect screenArea = study.screen()->availableGeometry();
    study.setGeometry(screenArea.adjusted(0, 0, 0, -screenArea.height() / 10));  // the map's right end by the screen's
    QTest::qWait(300);
    auto* map = Named<vortane::MapView>(study, QStringLiteral("Feasible map"));
    // Clearance 0.095 cm (the 14th of 15) at 70 rpm (the 3rd of 13): its tooltip turns back left.
    const QPoint cell = map->CellRect(13 * 13 + 2).center().toPoint();
    QMouseEvent hover(QEvent::MouseMove, cell, map->mapToGlobal(cell), Qt::NoButton, Qt::NoButton, {});
    QApplication::sendEvent(map, &hover);
    QTest::qWait(300);
    const QPixmap screen = study.screen()->grabWindow(0);
    if (screen.isNull()) std::fprintf(stderr, "the screen cannot be grabbed on this platform\n");
    return screen.save(args[4], "PNG") ? 0 : 1;
}
