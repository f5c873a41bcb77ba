// Runs started from the window: the boxes they read, the boxes they show, the
// completion dialog, the file list and the output directory.
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStorageInfo>
#include <QTest>
#include <QTreeWidget>

#include "modal_closer.h"
#include "program.h"

namespace vortane::testing {

namespace {

const QString Finished = QStringLiteral("Finsh: Calculation is successfully finished !");

QByteArray Report(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Replaces a box's text by typing, as a user would.
// A double-click as the window system delivers it: press, release, press,
// double-click, release.
void DoubleClick(QTreeWidget* list, QTreeWidgetItem* line) {
    const QPoint at = list->visualItemRect(line).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mousePress(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, at);
}

QTreeWidgetItem* LineOf(QTreeWidget* list, const QString& path) {
    for (QTreeWidgetItemIterator line(list); QTreeWidgetItem* item = *line; ++line) {
        if (item->data(0, Qt::UserRole).toString() == path) return item;
    }
    return nullptr;
}

}  // namespace

class RunTest : public QObject {
    Q_OBJECT

    std::unique_ptr<Program> program;
    std::unique_ptr<ModalCloser> closer;

    // A fresh program in a fresh scratch directory holding `directories`.
    void Start(const QStringList& directories = {}) {
        closer.reset();
        program.reset();
        program = std::make_unique<Program>(directories);
        closer = std::make_unique<ModalCloser>();
        QVERIFY(program->Show());
    }
    QString InScratch(const QString& name) const { return program->Scratch() + u'/' + name; }
    QTreeWidget* DirectoryList() const { return program->Find<QTreeWidget>(QStringLiteral("DirectoryListBox1")); }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void init() { Start(); }
    void cleanup() {
        for (const ModalCloser::Shown& box : closer->shown) QVERIFY2(box.closedByEnter, qPrintable(box.text));
        closer.reset();
        program.reset();
        QLocale::setDefault(QLocale::c());
    }

    void enterInEdit5Runs() {
        QLineEdit* edit5 = program->Edit(5);
        edit5->setFocus();
        QTRY_VERIFY(edit5->hasFocus());
        QTest::keyClick(edit5, Qt::Key_Return);
        QCOMPARE(closer->Seen(), QStringList{Finished});
        QVERIFY(closer->shown[0].closedByEnter);
        QCOMPARE(Report(InScratch("result.txt")).count('\n'), 49);
        QCOMPARE(program->ListedFiles(), QStringList{"result.txt"});
        QCOMPARE(edit5->text(), QStringLiteral("1.27"));
    }

    void eachCompleteRunShowsTheDialogCentred() {
        program->PressOk();
        Type(program->Find<QLineEdit>(QStringLiteral("EditResult")), "second.txt");
        program->PressOk();
        QCOMPARE(closer->Seen(), QStringList({Finished, Finished}));
        const QPoint centre = QGuiApplication::primaryScreen()->availableGeometry().center();
        for (const ModalCloser::Shown& box : closer->shown) {
            QVERIFY(box.closedByEnter);
            QVERIFY2((box.frame.center() - centre).manhattanLength() <= 2, qPrintable(QString::number(box.frame.x())));
        }
        QCOMPARE(program->ListedFiles(), QStringList({"result.txt", "second.txt"}));
        QVERIFY(program->form1->isEnabled());
    }

    // The case whose temperature iteration takes 17 passes, typed into Edit3.
    void thirtyKilogramsPerHourReportsItsSeventeenthPass() {
        Type(program->Edit(3), "30");
        QTest::keyClick(program->Edit(3), Qt::Key_Return);
        QCOMPARE(closer->Seen(), QStringList{Finished});
        const QByteArray report = Report(InScratch("result.txt"));
        QCOMPARE(report.count('\n'), 49);
        // The results of that case as the run's own tests pin them.
        QVERIFY(report.contains("    Total Pressure Drop (kgf/cm2)                 =  -96.93\r\n"));
        QVERIFY(report.contains("    Power Consumption at Mix. Part (kW)           =  3.408317\r\n"));
    }

    void badTextShowsOnlyTheInputMessage() {
        program->PressOk();
        const QByteArray first = Report(InScratch("result.txt"));
        Type(program->Edit(4), "21.6cm");
        Type(program->Find<QLineEdit>(QStringLiteral("EditResult")), "second.txt");
        program->PressOk();
        QCOMPARE(closer->Seen(), QStringList({Finished, "Vortane: Input data is not proper, change and try again!"}));
        QVERIFY(!closer->shown[1].critical);
        QVERIFY(!QFile::exists(InScratch("second.txt")));
        QCOMPARE(Report(InScratch("result.txt")), first);
        QCOMPARE(program->ListedFiles(), QStringList{"result.txt"});
    }

    void stoppedRunsShowTheirStageMessageAndNoDialog_data() {
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<int>("reportLines");
        QTest::newRow("negative width") << 5 << "7"
            << QStringList({"Vortane: Input condition is not proper! Calculated width becomes minus.",
                            "Vortane: Channel dimensions are not proper!"}) << 31;
        QTest::newRow("low inlet pressure") << 17 << "21"
            << QStringList{"Vortane: Assumed inlet pressure is too low!"} << 38;
        QTest::newRow("no convergence") << 3 << "10"
            << QStringList{"Vortane: Temperature iteration does not converge!"} << 38;
    }

    void stoppedRunsShowTheirStageMessageAndNoDialog() {
        QFETCH(int, box);
        QFETCH(QString, text);
        QFETCH(QStringList, messages);
        QFETCH(int, reportLines);
        Type(program->Edit(box), text);
        program->PressOk();
        QCOMPARE(closer->Seen(), messages);
        QCOMPARE(Report(InScratch("result.txt")).count('\n'), reportLines);
        // The list is re-read only after a complete run.
        QCOMPARE(program->ListedFiles(), QStringList());
    }

    // The run waits inside a stage while its message box is open; whatever
    // arithmetic the box does must not end the run as a fault.
    void messageBoxesLeaveTheRunsFaultFlagsAlone() {
        closer->raisesFloatingPointFlags = true;
        Type(program->Edit(5), "7");
        program->PressOk();
        QCOMPARE(closer->Seen(),
                 QStringList({"Vortane: Input condition is not proper! Calculated width becomes minus.",
                              "Vortane: Channel dimensions are not proper!"}));
    }

    void faultShowsTheErrorBoxAndTheWindowStaysUsable() {
        Type(program->Edit(12), "0");
        program->PressOk();
        QCOMPARE(closer->Seen(), QStringList{"Vortane: Floating point division by zero"});
        QVERIFY(closer->shown[0].critical);
        QCOMPARE(program->ListedFiles(), QStringList());
        Type(program->Edit(12), "5");
        program->PressOk();
        QCOMPARE(closer->Seen().last(), Finished);
        QCOMPARE(program->ListedFiles(), QStringList{"result.txt"});
    }

    void commaLocaleReadsAndWritesCommas() {
        QLocale::setDefault(QLocale(QLocale::German));
        Start();
        QCOMPARE(program->Edit(1)->text(), QStringLiteral("11,43"));
        QCOMPARE(program->Edit(27)->text(), QStringLiteral("-4,7079E-7"));
        Type(program->Edit(3), "30,0");
        program->PressOk();
        QCOMPARE(closer->Seen(), QStringList{Finished});
        const QByteArray report = Report(InScratch("result.txt"));
        QVERIFY(report.contains("    Barrel Diameter (cm)                        =  11,43\r\n"));
        QVERIFY(report.contains("    Total Pressure Drop (kgf/cm2)                 =  -96,93\r\n"));
    }

    void directoryListShowsThePathAndSubdirectories() {
        Start({"beta", "Alpha"});
        QStringList lines;
        for (QTreeWidgetItemIterator line(DirectoryList()); *line; ++line) {
            int depth = 0;
            for (QTreeWidgetItem* up = (*line)->parent(); up; up = up->parent()) ++depth;
            lines << QString(depth, u' ') + (*line)->text(0);
        }
        QStringList expected{"/"};
        const QStringList names = program->Scratch().split(u'/', Qt::SkipEmptyParts);
        for (int i = 0; i < names.size(); ++i) expected << QString(i + 1, u' ') + names[i];
        expected << QString(names.size() + 1, u' ') + "Alpha" << QString(names.size() + 1, u' ') + "beta";
        QCOMPARE(lines, expected);
        QCOMPARE(DirectoryList()->currentItem()->data(0, Qt::UserRole).toString(), program->Scratch());
    }

    void openingAnotherDirectoryMovesTheNextReport() {
        Start({"alpha"});
        program->PressOk();
        QTreeWidget* list = DirectoryList();
        QTreeWidgetItem* alpha = LineOf(list, InScratch("alpha"));
        QVERIFY(alpha);
        DoubleClick(list, alpha);
        QCOMPARE(QDir::currentPath(), InScratch("alpha"));
        QCOMPARE(program->ListedFiles(), QStringList());
        program->PressOk();
        QCOMPARE(closer->Seen(), QStringList({Finished, Finished}));
        QVERIFY(QFile::exists(InScratch("alpha/result.txt")));
        QCOMPARE(program->ListedFiles(), QStringList{"result.txt"});

        // Back up to the scratch directory by its line among the ancestors.
        QTreeWidgetItem* scratch = LineOf(list, program->Scratch());
        DoubleClick(list, scratch);
        QCOMPARE(QDir::currentPath(), program->Scratch());
        QCOMPARE(program->ListedFiles(), QStringList{"result.txt"});
    }

    void enterInTheDirectoryListOpensWithoutRunning() {
        Start({"alpha"});
        QTreeWidget* list = DirectoryList();
        list->setFocus();
        list->setCurrentItem(LineOf(list, InScratch("alpha")));
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(QDir::currentPath(), InScratch("alpha"));
        QCOMPARE(closer->Seen(), QStringList());
        QVERIFY(!QFile::exists(InScratch("alpha/result.txt")));
    }

    void driveBoxShowsTheVolumeAndReturnsToItsLastDirectory() {
        Start({"alpha"});
        auto* drives = program->Find<QComboBox>(QStringLiteral("DriveComboBox1"));
        const QString volume = QStorageInfo(program->Scratch()).rootPath();
        QCOMPARE(drives->currentText(), volume);
        QTreeWidget* list = DirectoryList();
        list->setCurrentItem(LineOf(list, InScratch("alpha")));
        QTest::keyClick(list, Qt::Key_Return);
        emit drives->activated(drives->findText(volume));
        QCOMPARE(QDir::currentPath(), InScratch("alpha"));
        QCOMPARE(drives->currentText(), volume);
    }
};

}  // namespace vortane::testing

QTEST_MAIN(vortane::testing::RunTest)
#include "run_test.moc"
