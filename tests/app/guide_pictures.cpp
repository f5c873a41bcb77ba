// Run by hand, not by CTest: the guide window as Help > User's Guide opens
// it, saved as guide-window-xN.png in the folder given, N the screen's scale,
// and left up for a few seconds more to be captured from the screen. With a
// heading's anchor as second argument, at that section, saved as
// guide-window-ANCHOR-xN.png.
#include <QAction>
#include <QApplication>
#include <QTest>
#include <QTextBrowser>

#include <cmath>

#include "app/guide_window.h"
#include "program.h"

int main(int argc, char** argv) {
    const QApplication application(argc, argv);
    if (argc != 2 && argc != 3) return 2;
    const vortane::testing::Program program;
    if (!program.Show()) return 1;
    program.form1->findChild<QAction*>(QStringLiteral("UserGuideAction"))->trigger();
    auto* guide = program.form1->findChild<vortane::GuideWindow*>();
    if (guide == nullptr || !QTest::qWaitForWindowExposed(guide)) return 1;
    const QString anchor = argc == 3 ? QString::fromLocal8Bit(argv[2]) : QString();
    if (!anchor.isEmpty()) guide->Browser().setSource(QUrl(u'#' + anchor));
    const int scale = static_cast<int>(std::lround(guide->devicePixelRatioF()));
    const QString path = QString::fromLocal8Bit(argv[1]) + QStringLiteral("/guide-window-") +
                         (anchor.isEmpty() ? QString() : anchor + u'-') + QStringLiteral("x%1.png").arg(scale);
    if (!guide->grab().save(path, "PNG")) return 1;
    QTest::qWait(4000);
    return 0;
}
