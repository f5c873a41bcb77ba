// Run by hand, not by CTest: the warning strip in US customary units as a
// picture. Argument: the PNG to save (a full path). A throughput of 350 kg/hr
// at 20 rpm, whose outlet channel's pressure falls below zero: the strip tells
// it in psi. The window is saved as drawn, then kept on the screen for a few
// seconds for a picture of the whole screen (xcb under Xvfb).
#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>

#include <cstdio>

#include "app/results_window.h"
#include "case/input_fields.h"
#include "modal_closer.h"
#include "program.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    const QStringList args = QApplication::arguments();
    if (args.size() < 2) return 2;
    vortane::testing::Program program;
    const vortane::testing::ModalCloser closer;  // the completion dialog
    if (!program.ShowExposed()) return 1;
    program.Find<QAction>(QStringLiteral("Units_us"))->trigger();
    for (const auto& [field, text] : {std::pair{"OutputRate", "350"}, std::pair{"ScrewSpeed", "20"}})
        program.Edit(vortane::FindInputField(field)->box)->setText(QString::fromLatin1(text));
    program.PressOk();
    program.form1->Results().hide();
    program.form1->activateWindow();
    QTest::qWait(500);
    const bool saved = program.form1->grab().save(args[1], "PNG");
    std::puts("shown");
    std::fflush(stdout);
    QTest::qWait(6000);
    program.Find<QAction>(QStringLiteral("Units_metric"))->trigger();  // the remembered choice as it was
    return saved ? 0 : 1;
}
