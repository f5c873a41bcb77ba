// Run by hand, not by CTest: Material > Choose Material… with the shipped
// grade selected, saved as material-dialog-xN.png in the folder given, N the
// screen's scale. The user's folder is an empty scratch one, so that only
// the shipped grades are listed.
#include <QAction>
#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

#include "app/material_dialog.h"
#include "program.h"

int main(int argc, char** argv) {
    const QApplication application(argc, argv);
    if (argc != 2) return 2;
    const QTemporaryDir data;
    qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
    const vortane::testing::Program program;
    if (!program.Show()) return 1;
    program.form1->findChild<QAction*>(QStringLiteral("ChooseMaterialAction"))->trigger();
    vortane::MaterialDialog& dialog = program.form1->Materials();
    if (!QTest::qWaitForWindowExposed(&dialog) ||
        !dialog.Select(QStringLiteral("LDPE (Rao and Schumacher power-law example)")))
        return 1;
    QTest::qWait(500);
    const int scale = static_cast<int>(std::lround(dialog.devicePixelRatioF()));
    const QString path = QString::fromLocal8Bit(argv[1]) + QStringLiteral("/material-dialog-x%1.png").arg(scale);
    return dialog.grab().save(path, "PNG") ? 0 : 1;
}
