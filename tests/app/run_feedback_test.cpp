// What the window shows after a run: the box a fault follows from, the case
// the results belong to, only this run's report blocks, the warning strip,
// values read as text by assistive technology, where OK writes, and the
// coefficients edited in full.
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTest>

#include "app/coefficient_dialog.h"
#include "app/elided_label.h"
#include "app/results_window.h"
#include "case/input_fields.h"
#include "modal_closer.h"
#include "program.h"

namespace vortane::testing {

namespace {

QString Accessible(QObject* object, QAccessible::Text kind) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(object);
    return face ? face->text(kind) : QString();
}

}  // namespace

class RunFeedbackTest : public QObject {
    Q_OBJECT

    std::unique_ptr<Program> program;
    std::unique_ptr<ModalCloser> closer;

    ResultsWindow& Results() { return program->form1->Results(); }
    template <class Widget>
    Widget* InResults(const QString& name) {
        return Results().findChild<Widget*>(name);
    }

private slots:
    void initTestCase() {
        QLocale::setDefault(QLocale::c());
        QStandardPaths::setTestModeEnabled(true);
    }
    void init() {
        program = std::make_unique<Program>();
        closer = std::make_unique<ModalCloser>();
        QVERIFY(program->Show());
    }
    void cleanup() {
        closer.reset();
        program.reset();
    }

    // The error box stays as it is; the box the fault follows from is then
    // shown, focused and selected, whichever page was open.
    void faultFocusesItsInput_data() {
        QTest::addColumn<int>("box");
        QTest::addColumn<int>("page");
        QTest::newRow("ScrewSpeed=0") << 2 << 0;
        QTest::newRow("OutputRate=0") << 3 << 0;
        QTest::newRow("MeltDensity=0") << 19 << 1;
    }

    void faultFocusesItsInput() {
        QFETCH(int, box);
        QFETCH(int, page);
        program->Edit(box)->setText(QStringLiteral("0"));
        program->Find<QTabWidget>(QStringLiteral("TabbedNotebook1"))->setCurrentIndex(2);
        program->PressOk();
        QCOMPARE(closer->Seen(), QStringList{"Vortane: Floating point division by zero"});
        QCOMPARE(program->Find<QTabWidget>(QStringLiteral("TabbedNotebook1"))->currentIndex(), page);
        QCOMPARE(program->form1->focusWidget(), program->Edit(box));
        QCOMPARE(program->Edit(box)->selectedText(), QStringLiteral("0"));
    }

    // The title and header name the case, marked while the run's texts are
    // not its file's, and follow Save As.
    void resultsNameTheirCase() {
        const QString a = program->Scratch() + QStringLiteral("/a.vcase");
        QVERIFY(program->form1->SaveCase(a));
        program->PressOk();
        QCOMPARE(Results().windowTitle(), QStringLiteral("Results: a.vcase[*] — Vortane"));
        QVERIFY(!Results().isWindowModified());
        Type(program->Edit(2), QStringLiteral("90"));
        program->PressOk();
        QVERIFY(Results().isWindowModified());
        QVERIFY(InResults<QLabel>(QStringLiteral("CaseName"))->text().startsWith(QStringLiteral("Case: a.vcase (changed")));
        QVERIFY(program->form1->SaveCase(program->Scratch() + QStringLiteral("/b.vcase")));
        QCOMPARE(Results().windowTitle(), QStringLiteral("Results: b.vcase[*] — Vortane"));
        QVERIFY(!Results().isWindowModified());
        QCOMPARE(InResults<QLabel>(QStringLiteral("CaseName"))->text(), QStringLiteral("Case: b.vcase"));
    }

    // After a rejected text nothing of the run before lingers.
    void aRejectedTextLeavesNothingStale() {
        program->PressOk();
        QVERIFY(InResults<QPlainTextEdit>(QStringLiteral("ReportText"))->toPlainText().contains(QStringLiteral("Channel Width")));
        Type(program->Edit(4), QStringLiteral("21.6cm"));
        program->PressOk();
        QCOMPARE(InResults<QPlainTextEdit>(QStringLiteral("ReportText"))->toPlainText(),
                 QStringLiteral("This run wrote no report block; the file below is not its report."));
        QCOMPARE(InResults<QLabel>(QStringLiteral("Warnings"))->text(), QStringLiteral("None found before the run stopped."));
        QVERIFY(!InResults<QLabel>(QStringLiteral("ChannelWidth")));
        QCOMPARE(program->form1->focusWidget(), program->Edit(4));
    }

    // The strip shows the count and the first warning in full to assistive
    // technology, opens the warnings, and hides after a run without any;
    // the window grows below its controls and moves none of them.
    void warningStrip() {
        auto* strip = program->Find<QWidget>(QStringLiteral("WarningStrip"));
        QVERIFY(!strip->isVisible());
        const int height = program->form1->height();
        Type(program->Edit(3), QStringLiteral("-267"));
        program->PressOk();
        QVERIFY(strip->isVisible());
        QVERIFY(program->form1->height() > height);
        QCOMPARE(program->Find<QWidget>(QStringLiteral("BitBtn1"))->geometry(), QRect(472, 391, 85, 35));
        QCOMPARE(program->Find<QWidget>(QStringLiteral("TabbedNotebook1"))->geometry(), QRect(11, 197, 448, 236));
        const QString first = QStringLiteral("1 warning: OutputRate = -267 is outside its sound range, above 0");
        auto* text = strip->findChild<ElidedLabel*>(QStringLiteral("FirstWarning"));
        QCOMPARE(text->FullText(), first);
        QCOMPARE(Accessible(text, QAccessible::Description), first);
        QVERIFY(strip->geometry().bottom() < program->Find<QWidget>(QStringLiteral("Panel1"))->height());

        Results().hide();
        QTest::mouseClick(strip->findChild<QPushButton*>(QStringLiteral("ShowWarnings")), Qt::LeftButton);
        QVERIFY(Results().isVisible());
        QCOMPARE(Results().focusWidget(), InResults<QWidget>(QStringLiteral("Warnings")));

        Type(program->Edit(3), QStringLiteral("267"));
        program->PressOk();
        QVERIFY(!strip->isVisible());
        QCOMPARE(program->form1->height(), height);
    }

    // View > Units tells the strip's and the Results window's warnings in the
    // chosen system, and back: a channel length of -2.54 cm is -1 in.
    void warningsInTheChosenUnits() {
        auto* text = program->Find<QWidget>(QStringLiteral("WarningStrip"))
                         ->findChild<ElidedLabel*>(QStringLiteral("FirstWarning"));
        Type(program->Edit(FindInputField("ChannelLength")->box), QStringLiteral("-2.54"));
        program->PressOk();
        const QString metric = QStringLiteral(": ChannelLength = -2.54 is outside its sound range, above 0");
        const QString us = QStringLiteral("ChannelLength = -1 in is outside its sound range, above 0");
        QVERIFY2(text->FullText().endsWith(metric), qPrintable(text->FullText()));
        program->Find<QAction>(QStringLiteral("Units_us"))->trigger();
        QVERIFY2(text->FullText().endsWith(QStringLiteral(": ") + us), qPrintable(text->FullText()));
        QVERIFY(InResults<QLabel>(QStringLiteral("Warnings"))->text().contains(us));
        program->Find<QAction>(QStringLiteral("Units_metric"))->trigger();
        QVERIFY(text->FullText().endsWith(metric));
    }

    void aScreenReaderReadsTheValues() {
        program->PressOk();
        auto* width = InResults<QLabel>(QStringLiteral("ChannelWidth"));
        QVERIFY(width);
        QCOMPARE(Accessible(width, QAccessible::Name), QStringLiteral("Channel Width (cm)"));
        QCOMPARE(Accessible(width, QAccessible::Description), QStringLiteral("2.583"));
        QVERIFY(Accessible(InResults<QLabel>(QStringLiteral("Warnings")), QAccessible::Description).startsWith("None"));
    }

    // The path follows the name and the folder, and no text widens the window.
    void whereOkWrites() {
        auto* path = program->Find<ElidedLabel>(QStringLiteral("ReportPath"));
        QCOMPARE(path->FullText(), program->Scratch() + QStringLiteral("/result.txt"));
        Type(program->Find<QLineEdit>(QStringLiteral("EditResult")), QStringLiteral("other.txt"));
        QCOMPARE(path->FullText(), program->Scratch() + QStringLiteral("/other.txt"));
        QCOMPARE(Accessible(path, QAccessible::Description), path->FullText());
    }

    void aLongRejectedTextWidensNoWindow() {
        program->PressOk();
        const QSize main = program->form1->size();
        const int results = Results().width();
        Type(program->Edit(1), QString(300, u'x'));
        program->PressOk();
        QCOMPARE(program->form1->size(), main);
        QCOMPARE(Results().width(), results);
        QVERIFY(Results().minimumSizeHint().width() < results);
    }

    // The editor checks each text as a run reads it and applies only texts
    // that convert; the disabled boxes give their whole texts.
    void coefficientEditor() {
        QAction* edit = nullptr;
        for (const QAction* menu : program->Find<QMenuBar>(QStringLiteral("MenuBar"))->actions())
            for (QAction* action : menu->menu() ? menu->menu()->actions() : QList<QAction*>{})
                if (action->text() == QStringLiteral("&Edit Coefficients\u2026")) edit = action;
        QVERIFY(edit);
        edit->trigger();
        auto* dialog = program->form1->findChild<CoefficientDialog*>();
        QVERIFY(dialog && dialog->isVisible());
        auto* a22 = dialog->findChild<QLineEdit*>(QStringLiteral("A22"));
        QCOMPARE(a22->text(), QStringLiteral("-4.7079E-7"));
        QPushButton* apply = nullptr;
        for (auto* button : dialog->findChildren<QPushButton*>())
            if (button->accessibleName() == QStringLiteral("Apply the coefficients")) apply = button;
        QVERIFY(apply);

        Type(a22, QStringLiteral("-1.669710222E-5x"));
        QVERIFY(!apply->isEnabled());
        QCOMPARE(dialog->findChild<QLabel*>(QStringLiteral("Problem"))->text(),
                 QStringLiteral("A22: \"-1.669710222E-5x\" is not a number a run can read."));
        QCOMPARE(program->Edit(27)->text(), QStringLiteral("-4.7079E-7"));

        Type(a22, QStringLiteral("-1.669710222E-5"));
        QVERIFY(apply->isEnabled());
        QTest::mouseClick(apply, Qt::LeftButton);
        QLineEdit* box = program->Edit(27);
        QCOMPARE(box->text(), QStringLiteral("-1.669710222E-5"));
        QVERIFY(!box->isEnabled());
        QCOMPARE(box->toolTip(), box->text());
        QCOMPARE(Accessible(box, QAccessible::Description), box->text());
        QVERIFY(program->form1->isWindowModified());
    }
};

}  // namespace vortane::testing

QTEST_MAIN(vortane::testing::RunFeedbackTest)
#include "run_feedback_test.moc"
