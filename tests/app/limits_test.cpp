// Design > Limits in the window: the case's limits typed in the window's
// units and its accepted warnings, saved with the case and read back; a bound
// that does not read is named and nothing is lost; the Optimise dialog's
// limits are the same list.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSettings>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <functional>

#include "app/case_document.h"
#include "app/limits_dialog.h"
#include "app/optimise_dialog.h"
#include "program.h"

namespace vortane::testing {

namespace {

// Design > Limits…, with `edit` done in the dialog while it is up.
void EditLimits(Program& program, const std::function<void(LimitsDialog&)>& edit) {
    bool edited = false;
    QTimer::singleShot(0, program.form1, [&] {
        LimitsDialog* dialog = program.form1->OpenLimitsDialog();
        QVERIFY(dialog != nullptr && dialog->isVisible());
        edit(*dialog);
        edited = true;
        if (dialog->isVisible()) dialog->reject();
    });
    program.Find<QAction>(QStringLiteral("LimitsAction"))->trigger();
    QVERIFY(edited);
}

// Row `row` (from 1): the quantity named, its bound and the text typed.
void SetRow(LimitsDialog& dialog, int row, const char* quantity, const QString& bound, const QString& text) {
    const QString number = QString::number(row);
    QComboBox* choice = Named<QComboBox>(dialog, QStringLiteral("Quantity of limit ") + number);
    QVERIFY(choice != nullptr);
    choice->setCurrentIndex(choice->findData(QString::fromLatin1(quantity)));
    QVERIFY(choice->currentIndex() >= 0);
    QComboBox* side = Named<QComboBox>(dialog, QStringLiteral("At most or at least, limit ") + number);
    side->setCurrentIndex(side->findText(bound));
    QVERIFY(side->currentIndex() >= 0);
    Named<QLineEdit>(dialog, QStringLiteral("Bound of limit ") + number)->setText(text);
}

std::vector<Limit> Limits(std::initializer_list<const char*> texts) {
    std::vector<Limit> limits;
    for (const char* text : texts) limits.push_back(ParseLimit(text));
    return limits;
}

}  // namespace

class LimitsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QLocale::setDefault(QLocale::c());
    }
    // Each test starts in technical metric; one switches to US units.
    void init() { QSettings().remove(QStringLiteral("View/UnitSystem")); }
    void cleanupTestCase() { QSettings().remove(QStringLiteral("View/UnitSystem")); }

    // In US units: the quantities by their captions in °F, bounds typed in
    // °F become technical metric limits; the accepted kind follows Design >
    // Accept Warnings; Save Case writes them and Open reads them back.
    void limitsSetInTheWindowAreSavedAndOpened() {
        Program program;
        QVERIFY(program.Show());
        program.Find<QAction>(QStringLiteral("Units_us"))->trigger();
        auto* document = program.form1->findChild<CaseDocument*>();
        EditLimits(program, [](LimitsDialog& dialog) {
            QCOMPARE(dialog.LimitCount(), 0);
            dialog.AddLimit();
            dialog.AddLimit();
            SetRow(dialog, 1, "OutletAverageMeltTemp", QStringLiteral("at most"), QStringLiteral("482"));
            SetRow(dialog, 2, "TemperatureRise", QStringLiteral("at most"), QStringLiteral("54"));
            QComboBox* first = Named<QComboBox>(dialog, QStringLiteral("Quantity of limit 1"));
            QCOMPARE(first->currentText(), QStringLiteral("Average Melt Temp. at Outlet (°F)"));
            QCOMPARE(Named<QLabel>(dialog, QStringLiteral("Unit of limit 2"))->text(), QStringLiteral("°F"));
            Named<QCheckBox>(dialog, QStringLiteral("Accept warnings of negative-pressure"))->setChecked(true);
            dialog.accept();
            QVERIFY(!dialog.isVisible());
        });
        // 482 °F is 250 ℃; a rise of 54 °F is one of 30 ℃.
        QCOMPARE(document->Limits(), Limits({"OutletAverageMeltTemp<=250", "TemperatureRise<=30"}));
        QVERIFY(document->AcceptedWarnings().Has(WarningKind::NegativePressure));
        QVERIFY(document->Modified());
        QVERIFY(program.Find<QAction>(QStringLiteral("Accept negative-pressure"))->isChecked());

        const QString path = program.Scratch() + QStringLiteral("/limits.vcase");
        QVERIFY(program.form1->SaveCase(path));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray saved = file.readAll();
        QVERIFY(saved.contains("Limit = OutletAverageMeltTemp<=250\nLimit = TemperatureRise<=30\n"));
        QVERIFY(saved.contains("AcceptWarning = negative-pressure"));
        document->New();
        QVERIFY(document->Limits().empty());
        QVERIFY(program.form1->OpenCase(path));
        QCOMPARE(document->Limits(), Limits({"OutletAverageMeltTemp<=250", "TemperatureRise<=30"}));
        QVERIFY(document->AcceptedWarnings().Has(WarningKind::NegativePressure));
        QVERIFY(!document->Modified());

        // Shown again in °F; a row left as shown keeps its bound exactly.
        EditLimits(program, [](LimitsDialog& dialog) {
            QCOMPARE(dialog.LimitCount(), 2);
            QCOMPARE(Named<QLineEdit>(dialog, QStringLiteral("Bound of limit 1"))->text(), QStringLiteral("482"));
            dialog.accept();
        });
        QVERIFY(!document->Modified());
    }

    // A bound that is no number, or none, is named with its row; the dialog
    // stays with every text as typed, and Cancel leaves the case as it was.
    void unreadableBoundIsRefusedAndNothingIsLost() {
        Program program;
        QVERIFY(program.Show());
        auto* document = program.form1->findChild<CaseDocument*>();
        document->SetLimits(Limits({"TotalPressureDrop<=30"}));
        EditLimits(program, [](LimitsDialog& dialog) {
            dialog.AddLimit();
            SetRow(dialog, 2, "TemperatureRise", QStringLiteral("at least"), QStringLiteral("3O"));
            dialog.accept();
            QVERIFY(dialog.isVisible());
            auto* problem = Named<QLabel>(dialog, QStringLiteral("Problem"));
            QCOMPARE(problem->text(),
                     QStringLiteral("Limit 2 (Temperature Difference (℃)): \"3O\" is not a number."));
            QCOMPARE(Named<QLineEdit>(dialog, QStringLiteral("Bound of limit 2"))->text(), QStringLiteral("3O"));
            Named<QLineEdit>(dialog, QStringLiteral("Bound of limit 2"))->clear();
            dialog.accept();
            QVERIFY(dialog.isVisible());
            QVERIFY(problem->text().startsWith(QStringLiteral("Limit 2 (Temperature Difference (℃)): the bound is empty")));
            dialog.RemoveLimit();
            QCOMPARE(dialog.LimitCount(), 1);
            dialog.reject();
        });
        QCOMPARE(document->Limits(), Limits({"TotalPressureDrop<=30"}));
    }

    // One list: the Optimise dialog opens on the case's limits, a line typed
    // there that reads sets them, and a change in Design > Limits… shows there.
    void optimiseDialogsLimitsAreTheCases() {
        Program program;
        QVERIFY(program.Show());
        auto* document = program.form1->findChild<CaseDocument*>();
        document->SetLimits(Limits({"TemperatureRise<=30"}));
        program.Find<QAction>(QStringLiteral("OptimiseAction"))->trigger();
        OptimiseDialog& optimise = program.form1->Optimise();
        QPlainTextEdit* box = Named<QPlainTextEdit>(optimise, QStringLiteral("Limits, one per line"));
        QCOMPARE(box->toPlainText(), QStringLiteral("TemperatureRise<=30"));
        box->setPlainText(QStringLiteral("TemperatureRise<=30\nBarrier1ShearStress>=1"));
        QCOMPARE(document->Limits(), Limits({"TemperatureRise<=30", "Barrier1ShearStress>=1"}));
        // Half typed, the line does not read: the case keeps what it had.
        box->setPlainText(QStringLiteral("TemperatureRise<=30\nBarrier1ShearStress>="));
        QCOMPARE(document->Limits(), Limits({"TemperatureRise<=30", "Barrier1ShearStress>=1"}));
        box->setPlainText(QStringLiteral("TemperatureRise<=30\nBarrier1ShearStress>=120"));
        QCOMPARE(document->Limits(), Limits({"TemperatureRise<=30", "Barrier1ShearStress>=120"}));
        QVERIFY(document->Modified());

        EditLimits(program, [](LimitsDialog& dialog) {
            QCOMPARE(dialog.LimitCount(), 2);
            QCOMPARE(Named<QLineEdit>(dialog, QStringLiteral("Bound of limit 2"))->text(), QStringLiteral("120"));
            Named<QTableWidget>(dialog, QStringLiteral("Limits"))->setCurrentCell(0, 0);
            Named<QLineEdit>(dialog, QStringLiteral("Bound of limit 1"))->setFocus();
            dialog.RemoveLimit();
            dialog.accept();
        });
        QCOMPARE(document->Limits(), Limits({"Barrier1ShearStress>=120"}));
        QCOMPARE(box->toPlainText(), QStringLiteral("Barrier1ShearStress>=120"));
    }
};

}  // namespace vortane::testing

QTEST_MAIN(vortane::testing::LimitsTest)
#include "limits_test.moc"
