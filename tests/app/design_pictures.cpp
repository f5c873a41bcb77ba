// Run by hand, not by CTest: the Design menu's dialogs after the plant
// questions, saved as pictures. Argument: the folder to save
// goal-seek-xN.png and optimise-xN.png in, N the screen's scale; with a
// second argument "limits", only Design > Limits… of the plant's limits as
// limits-xN.png, the dialog left up for a few seconds more to be captured
// from the screen; with "screen", each dialog opened from the Design menu
// beside the main window, the whole screen saved as goal-seek-screen-xN.png
// and optimise-screen-xN.png; with "tradeoffs", only Design > Trade-offs…
// after the plant's front, its knee selected, as tradeoffs-dialog-xN.png; with
// "scaleup", only Design > Scale Up… from 11.43 to 20 cm at 1000 kg/hr, as
// scale-up-dialog-xN.png.
#include <QAction>
#include <QApplication>
#include <QScreen>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTimer>
#include <QTest>

#include <algorithm>
#include <cmath>

#include "app/case_document.h"
#include "app/goal_seek_dialog.h"
#include "app/front_dialog.h"
#include "app/limits_dialog.h"
#include "app/optimise_dialog.h"
#include "app/scale_up_dialog.h"
#include "program.h"

namespace {

using vortane::testing::Named;

void Choose(QWidget& dialog, const QString& name, const QVariant& data) {
    QComboBox* combo = Named<QComboBox>(dialog, name);
    combo->setCurrentIndex(combo->findData(data));
}

// Opens the dialog (from its Design menu entry when `beside` names it),
// runs it and saves it, or the whole screen.
bool RunAndSave(vortane::DesignDialog& dialog, const QString& path, QAction* beside = nullptr) {
    if (beside != nullptr)
        beside->trigger();
    else
        dialog.show();
    if (!QTest::qWaitForWindowExposed(&dialog)) return false;
    QSignalSpy ended(&dialog, &vortane::DesignDialog::SearchEnded);
    QTest::mouseClick(Named<QPushButton>(dialog, QStringLiteral("Run")), Qt::LeftButton);
    if (!ended.wait(60000)) return false;
    QTest::qWait(300);
    if (beside != nullptr) return dialog.screen()->grabWindow(0).save(path, "PNG");
    return dialog.grab().save(path, "PNG");
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    const QString folder = QApplication::arguments().value(1, QStringLiteral("."));
    const QString scale = QString::number(std::lround(qApp->devicePixelRatio()));

    vortane::testing::Program program;
    if (!program.Show()) return 1;
    program.Edit(3)->setText(QStringLiteral("350"));

    if (QApplication::arguments().value(2) == QLatin1String("limits")) {
        auto* document = program.form1->findChild<vortane::CaseDocument*>();
        document->SetLimits({vortane::ParseLimit("TemperatureRise<=30"), vortane::ParseLimit("Barrier1ShearStress>=120")});
        document->SetAcceptedWarnings(vortane::WarningKind::NegativePressure);
        bool saved = false;
        QTimer::singleShot(1500, program.form1, [&] {
            vortane::LimitsDialog* dialog = program.form1->OpenLimitsDialog();
            saved = dialog != nullptr && dialog->grab().save(folder + QStringLiteral("/limits-x%1.png").arg(scale), "PNG");
            QTimer::singleShot(6000, dialog, &QDialog::reject);
        });
        program.form1->EditLimits();
        return saved ? 0 : 1;
    }

    if (QApplication::arguments().value(2) == QLatin1String("tradeoffs")) {
        program.form1->findChild<vortane::CaseDocument*>()->SetLimits(
            {vortane::ParseLimit("TemperatureRise<=30"), vortane::ParseLimit("LeastInletPressure>=0")});
        vortane::FrontDialog& front = program.form1->Front();
        front.FollowCaseLimits();
        Named<QLineEdit>(front, QStringLiteral("Low 1"))->setText(QStringLiteral("0.03"));
        Named<QLineEdit>(front, QStringLiteral("High 1"))->setText(QStringLiteral("0.1"));
        Named<QLineEdit>(front, QStringLiteral("Low 2"))->setText(QStringLiteral("60"));
        Named<QLineEdit>(front, QStringLiteral("High 2"))->setText(QStringLiteral("140"));
        return RunAndSave(front, folder + QStringLiteral("/tradeoffs-dialog-x%1.png").arg(scale)) ? 0 : 1;
    }

    if (QApplication::arguments().value(2) == QLatin1String("scaleup")) {
        vortane::ScaleUpDialog& scaleUp = program.form1->ScaleUp();
        scaleUp.FollowCase();
        Named<QLineEdit>(scaleUp, QStringLiteral("New barrel diameter"))->setText(QStringLiteral("20"));
        Named<QLineEdit>(scaleUp, QStringLiteral("Output of the Kept design"))->setText(QStringLiteral("1000"));
        return RunAndSave(scaleUp, folder + QStringLiteral("/scale-up-dialog-x%1.png").arg(scale)) ? 0 : 1;
    }

    vortane::GoalSeekDialog& seek = program.form1->GoalSeek();
    Choose(seek, QStringLiteral("Input varied"), vortane::FindInputField("ScrewSpeed")->box);
    Named<QLineEdit>(seek, QStringLiteral("Low"))->setText(QStringLiteral("40"));
    Named<QLineEdit>(seek, QStringLiteral("High"))->setText(QStringLiteral("140"));
    Choose(seek, QStringLiteral("Quantity"), QStringLiteral("TemperatureRise"));
    Named<QLineEdit>(seek, QStringLiteral("Target"))->setText(QStringLiteral("30"));
    const bool screen = QApplication::arguments().value(2) == QLatin1String("screen");
    const auto action = [&](const char* name) {
        return screen ? program.form1->findChild<QAction*>(QLatin1String(name)) : nullptr;
    };
    const QString kind = screen ? QStringLiteral("-screen") : QString();
    if (!RunAndSave(seek, folder + QStringLiteral("/goal-seek%1-x%2.png").arg(kind, scale), action("GoalSeekAction")))
        return 1;
    seek.close();

    vortane::OptimiseDialog& optimise = program.form1->Optimise();
    Named<QLineEdit>(optimise, QStringLiteral("Low 1"))->setText(QStringLiteral("0.03"));
    Named<QLineEdit>(optimise, QStringLiteral("High 1"))->setText(QStringLiteral("0.1"));
    Named<QLineEdit>(optimise, QStringLiteral("Low 2"))->setText(QStringLiteral("60"));
    Named<QLineEdit>(optimise, QStringLiteral("High 2"))->setText(QStringLiteral("140"));
    Named<QPlainTextEdit>(optimise, QStringLiteral("Limits, one per line"))
        ->setPlainText(QStringLiteral("TemperatureRise<=30\nBarrier1ShearStress>=120"));
    if (!RunAndSave(optimise, folder + QStringLiteral("/optimise%1-x%2.png").arg(kind, scale), action("OptimiseAction")))
        return 1;
    return 0;
}
