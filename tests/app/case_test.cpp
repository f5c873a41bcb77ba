// Case files in the window, the rejected box found for the user, and the
// Results window that follows the runs.
#include <algorithm>
#include <cmath>

#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

#include "app/case_document.h"
#include "app/core_text.h"
#include "app/results_window.h"
#include "modal_closer.h"
#include "program.h"
#include "report/report_layout.h"

namespace vortane::testing {

namespace {

QByteArray Bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Write(const QString& path, const QByteArray& content) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

CaseDocument& DocumentOf(const Program& program) { return *program.form1->findChild<CaseDocument*>(); }

// What opening a case may change: the caption, the boxes and the recent cases.
QStringList Seen(const Program& program) {
    QStringList seen{program.form1->windowTitle(), QString::number(program.form1->isWindowModified())};
    for (int box = 1; box <= InputCount; ++box) seen << program.Edit(box)->text();
    return seen + DocumentOf(program).RecentCases();
}

// Picks the recent case `path` from the File menu.
bool PickRecent(const Program& program, const QString& path) {
    QMenu menu;
    DocumentOf(program).FillRecentMenu(menu);
    const QList<QAction*> actions = menu.actions();
    const auto action = std::find_if(actions.begin(), actions.end(), [&](QAction* a) { return a->text() == path; });
    if (action != actions.end()) (*action)->trigger();
    return action != actions.end();
}

RunRequest RequestOf(const Program& program) {
    RunRequest request{{}, "", '.', ReportTarget::None};
    for (int box = 1; box <= InputCount; ++box) request.texts[box - 1] = program.Edit(box)->text().toStdString();
    return request;
}

}  // namespace

class CaseTest : public QObject {
    Q_OBJECT

    void PressOk(Program& program) {
        QTest::mouseClick(program.Find<QPushButton>(QStringLiteral("BitBtn1")), Qt::LeftButton);
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }  // recent cases kept aside
    void init() { QLocale::setDefault(QLocale::c()); }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    // The window's report of an opened case is vortane-calc's of the same
    // file, and the Results window shows that run's record.
    void openedCaseRunsAsTheCommandLineRunsIt() {
        Program program;
        QVERIFY(program.Show());
        ModalCloser closer;
        const QString path = program.Scratch() + QStringLiteral("/thirty.vcase");
        Write(path, "# thirty\nOutputRate = 30\nA0 = 6.9\n");
        QVERIFY(program.form1->OpenCase(path));
        QCOMPARE(program.Edit(3)->text(), QStringLiteral("30"));
        QCOMPARE(program.Edit(23)->text(), QStringLiteral("6.9"));
        QVERIFY(!program.Edit(23)->isEnabled());
        QCOMPARE(program.form1->windowTitle(), QStringLiteral("thirty.vcase[*] — Vortane"));
        QTest::keyClick(program.Edit(1), Qt::Key_Return);  // Enter runs the case

        QProcess calc;
        calc.setWorkingDirectory(program.Scratch());
        calc.start(QStringLiteral(VORTANE_CALC), {QStringLiteral("--case"), path, QStringLiteral("-o"),
                                                  QStringLiteral("calc.txt")});
        QVERIFY(calc.waitForFinished(30000));
        QCOMPARE(calc.exitCode(), 0);
        const QByteArray report = Bytes(program.Scratch() + QStringLiteral("/result.txt"));
        QVERIFY(report.size() > 1000);
        QCOMPARE(report, Bytes(program.Scratch() + QStringLiteral("/calc.txt")));

        ResultsWindow& results = program.form1->Results();
        QTRY_VERIFY(results.isVisible());
        QVERIFY(results.windowTitle().contains(QStringLiteral("Results")));
        const RunResult run = RunCalculation(RequestOf(program));
        for (const ReportedValue& value : ResultValues()) {
            const auto* label = results.findChild<QLabel*>(FromUtf8(value.name));
            QVERIFY2(label, value.name.data());
            QCOMPARE(label->accessibleName(), FromUtf8(value.caption));
            QCOMPARE(label->text().toStdString(), ReportedText(value, run.data, '.'));
        }
        QCOMPARE(results.findChild<QLabel*>(QStringLiteral("Passes"))->text(), QString::number(run.passes));
        const auto* energy = results.findChild<QLabel*>(QStringLiteral("SpecificEnergy"));
        QVERIFY(energy);
        QVERIFY(std::abs(energy->text().toDouble() / run.indicators->specificEnergy - 1) < 1e-6);
    }

    // After a run that stopped, the Results window says what stopped it and
    // what the report holds.
    void resultsOfAStoppedRun() {
        Program program;
        QVERIFY(program.Show());
        ModalCloser closer;
        program.Edit(17)->setText(QStringLiteral("21"));
        program.Edit(16)->setText(QStringLiteral("1.5"));
        PressOk(program);
        const auto* stop = program.form1->Results().findChild<QLabel*>(QStringLiteral("StopMessage"));
        QCOMPARE(stop->text(), QStringLiteral("Assumed inlet pressure is too low!\n"
                                              "the inlet pressure test passes in every pass above "
                                              "InletPressure = 133.9113 kgf/cm2\n"
                                              "The report holds the input and channel blocks."));
        const auto* warnings = program.form1->Results().findChild<QLabel*>(QStringLiteral("Warnings"));
        QVERIFY(warnings->text().contains(QStringLiteral("SolidRatio = 1.5 is outside its sound range, 0 to 1")));
        QVERIFY(!program.form1->Results().findChild<QLabel*>(QStringLiteral("SpecificEnergy")));
        QVERIFY(!program.form1->Results().findChild<QLabel*>(QStringLiteral("TotalPressureDrop")));
        QVERIFY(program.form1->Results().findChild<QLabel*>(QStringLiteral("ChannelWidth")));
    }

    void malformedCaseChangesNoBox() {
        Program program;
        QVERIFY(program.Show());
        ModalCloser closer;
        const QString path = program.Scratch() + QStringLiteral("/bad.vcase");
        Write(path, "OutputRate = 30\nSpeed = 80\n");
        QVERIFY(!program.form1->OpenCase(path));
        QCOMPARE(program.Edit(3)->text(), QStringLiteral("267.0"));
        QCOMPARE(program.form1->windowTitle(), QStringLiteral("Vortane[*]"));
        QVERIFY(!program.form1->isWindowModified());
        QCOMPARE(closer.shown.size(), 1u);
        QCOMPARE(closer.shown[0].text, path + QStringLiteral(":2: unknown field Speed"));
    }

    // A limit naming no quantity refuses the case on Open, naming the file and
    // line as every front end does; the case open before stays as it was.
    void caseWithAnUnknownLimitIsRefusedOnOpen() {
        Program program;
        QVERIFY(program.Show());
        ModalCloser closer;
        const QString open = program.Scratch() + QStringLiteral("/thirty.vcase");
        Write(open, "OutputRate = 30\nLimit = TemperatureRise<=30\n");
        QVERIFY(program.form1->OpenCase(open));
        const std::vector<Limit> limits = DocumentOf(program).Limits();
        const QStringList before = Seen(program);
        const QString path = program.Scratch() + QStringLiteral("/odd.vcase");
        Write(path, "OutputRate = 40\nLimit = TemperatureRis<=25\n");
        QVERIFY(!program.form1->OpenCase(path));
        QCOMPARE(closer.Seen(), QStringList{QStringLiteral("Vortane: ") + path +
                                            QStringLiteral(":2: limit \"TemperatureRis<=25\": unknown quantity "
                                                           "TemperatureRis (did you mean TemperatureRise?)")});
        QCOMPARE(Seen(program), before);
        QVERIFY(DocumentOf(program).Limits() == limits);
    }

    // Only a file is a case: a directory, a FIFO or a device is named and
    // changes no box, no caption and no recent case.
    void notAFileOpensNothing_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("problem");
        QTest::newRow("directory") << QStringLiteral("folder.vcase") << QStringLiteral("Is a directory");
        QTest::newRow("FIFO") << QStringLiteral("pipe.vcase") << QStringLiteral("Is a FIFO");
        QTest::newRow("device") << QStringLiteral("/dev/null") << QStringLiteral("Is a device");
    }

    void notAFileOpensNothing() {
        QFETCH(QString, name);
        QFETCH(QString, problem);
        Program program;
        QVERIFY(program.Show());
        ModalCloser closer;
        const QString open = program.Scratch() + QStringLiteral("/thirty.vcase");
        Write(open, "OutputRate = 30\n");
        QVERIFY(program.form1->OpenCase(open));
        QDir(program.Scratch()).mkdir(QStringLiteral("folder.vcase"));
        QCOMPARE(::mkfifo(QFile::encodeName(program.Scratch() + QStringLiteral("/pipe.vcase")).constData(), 0600), 0);
        const QStringList before = Seen(program);

        const QString path = name.startsWith(u'/') ? name : program.Scratch() + u'/' + name;
        QVERIFY(!program.form1->OpenCase(path));
        QVERIFY(!program.form1->LoadCoefficients(path));
        const QString message = QStringLiteral("Vortane: cannot read case file %1: %2").arg(path, problem);
        QCOMPARE(closer.Seen(), (QStringList{message, message}));
        QCOMPARE(Seen(program), before);
    }

    // A recent case that has vanished or become a directory is named when
    // picked and changes nothing; its entry stays, as its drive may be back.
    void recentCaseNoLongerAFile() {
        Program program;
        QVERIFY(program.Show());
        ModalCloser closer;
        const QString gone = program.Scratch() + QStringLiteral("/gone.vcase");
        const QString open = program.Scratch() + QStringLiteral("/open.vcase");
        Write(gone, "OutputRate = 20\n");
        Write(open, "OutputRate = 30\n");
        QVERIFY(program.form1->OpenCase(gone));
        QVERIFY(program.form1->OpenCase(open));
        QVERIFY(QFile::remove(gone));
        const QStringList before = Seen(program);

        QVERIFY(PickRecent(program, gone));
        QVERIFY(QDir(program.Scratch()).mkdir(QStringLiteral("gone.vcase")));
        QVERIFY(PickRecent(program, gone));
        QCOMPARE(Seen(program), before);
        const QString message = QStringLiteral("Vortane: cannot read case file %1: %2");
        QCOMPARE(closer.Seen(), (QStringList{message.arg(gone, QStringLiteral("No such file or directory")),
                                             message.arg(gone, QStringLiteral("Is a directory"))}));
    }

    // Changed boxes are saved to their case, when the user agrees, before
    // another case is opened.
    void changesAreSavedBeforeTheCaseIsSetAside() {
        Program program;
        QVERIFY(program.Show());
        ModalCloser closer;
        const QString first = program.Scratch() + QStringLiteral("/first.vcase");
        const QString second = program.Scratch() + QStringLiteral("/second.vcase");
        Write(second, "OutputRate = 30\n");
        QVERIFY(program.form1->OpenCase(second));
        QVERIFY(program.form1->SaveCase(first));
        program.Edit(3)->setText(QStringLiteral("25"));
        QVERIFY(PickRecent(program, second));  // Enter answers Save
        QCOMPARE(closer.Seen(),
                 QStringList{QStringLiteral("Vortane: The case first.vcase has unsaved changes. Save them?")});
        QVERIFY(Bytes(first).contains("OutputRate            = 25\n"));
        QCOMPARE(program.form1->windowTitle(), QStringLiteral("second.vcase[*] — Vortane"));
        QCOMPARE(program.Edit(3)->text(), QStringLiteral("30"));
    }

    void rejectedBoxIsFound() {
        Program program;
        QVERIFY(program.Show());
        ModalCloser closer;
        program.Edit(14)->setText(QStringLiteral("17O.0"));
        PressOk(program);
        QCOMPARE(closer.Seen(), QStringList{QStringLiteral("Vortane: Input data is not proper, change and try again!")});
        QCOMPARE(program.Find<QTabWidget>(QStringLiteral("TabbedNotebook1"))->currentIndex(), 1);
        QTRY_COMPARE(program.form1->focusWidget(), program.Edit(14));
        QCOMPARE(program.Edit(14)->selectedText(), QStringLiteral("17O.0"));
    }

    // Numbers in a case file read the same whatever the locales that wrote
    // and read it.
    void caseSavedWithCommasOpensWithPoints() {
        ModalCloser closer;
        const QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("comma.vcase"));
        {
            QLocale::setDefault(QLocale(QLocale::German));
            Program program;
            program.Edit(3)->setText(QStringLiteral("30,5"));
            QVERIFY(program.form1->SaveCase(path));
            QVERIFY(!program.form1->isWindowModified());
        }
        QCOMPARE(closer.Seen(), QStringList());
        QLocale::setDefault(QLocale::c());
        Program program;
        QVERIFY(program.form1->OpenCase(path));
        QCOMPARE(program.Edit(1)->text(), QStringLiteral("11.43"));
        QCOMPARE(program.Edit(3)->text(), QStringLiteral("30.5"));
        QCOMPARE(program.Edit(27)->text(), QStringLiteral("-4.7079E-7"));
        program.Edit(3)->setText(QStringLiteral("31"));
        QVERIFY(program.form1->isWindowModified());
    }

    void boxesShowTheirTextsFromTheStart() {
        Program program;
        for (int box = 1; box <= InputCount; ++box) {
            QCOMPARE(program.Edit(box)->cursorPosition(), 0);
            QVERIFY(!program.Edit(box)->accessibleName().isEmpty());
        }
        QCOMPARE(program.Edit(25)->accessibleName(), QStringLiteral("A11"));
    }
};

}  // namespace vortane::testing

QTEST_MAIN(vortane::testing::CaseTest)
#include "case_test.moc"
