// The window's files on a full file system (run under
// tests/support/full_disk.sh): a file that does not fit is said so, naming it
// and the reason, nothing of it is left, and an unsaved design stays unsaved.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

#include <iostream>

#include "app/case_document.h"
#include "app/study_window.h"
#include "modal_closer.h"
#include "program.h"
#include "support/full_disk.h"

namespace vortane::testing {

namespace {

// Answers a message box with `button` where it has one, else with Enter, and
// a file dialog with `path`; records each box's text, or the dialog's title,
// and whether every message box showed plain text.
class Answerer : public QObject {
public:
    Answerer(QMessageBox::StandardButton button, QString path) : button_(button), path_(std::move(path)) {
        connect(&timer_, &QTimer::timeout, this, &Answerer::Answer);
        timer_.start(10);
    }

    QStringList seen;
    bool plain = true;

private:
    void Answer() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || !modal->isVisible()) return;
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            seen << box->text();
            if (QAbstractButton* answer = box->button(button_)) {
                answer->click();
            } else {
                plain = plain && box->textFormat() == Qt::PlainText;
                QTest::keyClick(box, Qt::Key_Return);
            }
        } else if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
            seen << dialog->windowTitle();
            // Typed, as a user would: selectFile leaves a focused name box as it is.
            dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(path_);
            QMetaObject::invokeMethod(dialog, "accept");
        }
    }

    QMessageBox::StandardButton button_;
    QString path_;
    QTimer timer_;
};

QAction* MenuAction(const TForm1& form, const QString& menuText, const QString& actionText) {
    for (const QAction* menu : form.findChild<QMenuBar*>(QStringLiteral("MenuBar"))->actions()) {
        if (menu->text() != menuText) continue;
        for (QAction* action : menu->menu()->actions())
            if (action->text() == actionText) return action;
    }
    return nullptr;
}

void TypeSpeed(const Program& program) {
    QLineEdit* speed = program.Edit(2);
    speed->setFocus();
    speed->selectAll();
    QTest::keyClicks(speed, QStringLiteral("123"));
}

}  // namespace

class FullDiskTest : public QObject {
    Q_OBJECT

    // The message of a file that does not fit.
    QString Failure(const QString& path) const {
        return QStringLiteral("cannot write %1: %2").arg(path, QString::fromStdString(disk.Reason()));
    }
    QString OnDisk(const QString& name) const {
        return QString::fromStdString(disk.Path(name.toStdString()).string());
    }

    FullDisk disk;

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);  // recent cases kept aside
        QApplication::setQuitOnLastWindowClosed(false);
        std::cout << "full disk: " << (disk.Tmpfs() ? "tmpfs" : "file size limit") << std::endl;
    }
    void cleanup() { disk.Clear(); }

    // Save Case As, and the save that quitting asks for: the reason is shown,
    // the caption keeps its mark, the recent cases stay, the design is kept.
    void aCaseThatDoesNotFitStaysUnsaved() {
        disk.Leave(0);
        Program program;
        QVERIFY(program.Show());
        TypeSpeed(program);
        const CaseDocument& document = *program.form1->findChild<CaseDocument*>();
        const QStringList recent = document.RecentCases();
        const QString caption = program.form1->windowTitle();
        const QString path = OnDisk(QStringLiteral("design.vcase"));
        {
            Answerer answer(QMessageBox::Ok, path);
            disk.Full([&] { MenuAction(*program.form1, QStringLiteral("&File"), QStringLiteral("Save Case &As..."))->trigger(); });
            QCOMPARE(answer.seen, (QStringList{QStringLiteral("Save Case As"), Failure(path)}));
            QVERIFY(answer.plain);
        }
        QVERIFY(program.form1->isWindowModified());
        QCOMPARE(program.form1->windowTitle(), caption);
        QCOMPARE(document.Path(), QString());
        QCOMPARE(document.RecentCases(), recent);
        QCOMPARE(disk.Files(), std::vector<std::string>{});

        program.form1->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(program.form1));
        {
            Answerer answer(QMessageBox::Save, path);
            disk.Full([&] { QTest::keyClick(program.form1, Qt::Key_Q, Qt::ControlModifier); });
            QCOMPARE(answer.seen.mid(1), (QStringList{QStringLiteral("Save Case As"), Failure(path)}));
        }
        QVERIFY(program.form1);
        QVERIFY(program.form1->isWindowModified());
        QCOMPARE(program.Edit(2)->text(), QStringLiteral("123"));
        QCOMPARE(disk.Files(), std::vector<std::string>{});
    }

    // The report, larger than the 8 KiB left, as HTML and as PDF.
    void aReportThatDoesNotFitLeavesNothing() {
        disk.Leave(8192);
        Program program;
        QVERIFY(program.Show());
        {
            ModalCloser closer;  // the completion dialog
            QTest::mouseClick(program.Find<QPushButton>(QStringLiteral("BitBtn1")), Qt::LeftButton);
            QTRY_VERIFY(program.form1->findChild<QAction*>(QStringLiteral("ExportReportAction"))->isEnabled());
        }
        for (const QString& name : {QStringLiteral("report.html"), QStringLiteral("report.pdf")}) {
            const QString path = OnDisk(name);
            Answerer answer(QMessageBox::Ok, path);
            disk.Full([&] { program.form1->findChild<QAction*>(QStringLiteral("ExportReportAction"))->trigger(); });
            QCOMPARE(answer.seen, (QStringList{QStringLiteral("Export Report"), Failure(path)}));
            QVERIFY(answer.plain);
            QCOMPARE(disk.Files(), std::vector<std::string>{});
        }
    }

    // The study's CSV, SVG and PNG with no room at all.
    void aStudysExportsThatDoNotFitLeaveNothing() {
        disk.Leave(0);
        Program program;
        QVERIFY(program.Show());
        StudyWindow& study = program.form1->Study();
        QComboBox* input = Named<QComboBox>(study, QStringLiteral("First input"));
        input->setCurrentIndex(input->findText(QStringLiteral("Output (kg/hr)")));
        Named<QLineEdit>(study, QStringLiteral("From"))->setText(QStringLiteral("100"));
        Named<QLineEdit>(study, QStringLiteral("To"))->setText(QStringLiteral("400"));
        Named<QLineEdit>(study, QStringLiteral("Step"))->setText(QStringLiteral("10"));
        QTest::mouseClick(Named<QPushButton>(study, QStringLiteral("Run")), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!study.Running(), 20000);

        ModalCloser closer;
        const QString csv = OnDisk(QStringLiteral("sweep.csv"));
        const QString svg = OnDisk(QStringLiteral("sweep.svg"));
        const QString png = OnDisk(QStringLiteral("sweep.png"));
        QVERIFY(!disk.Full([&] { return study.ExportCsv(csv); }));
        QVERIFY(!disk.Full([&] { return study.ExportChartTo(svg, true); }));
        QVERIFY(!disk.Full([&] { return study.ExportChartTo(png, false); }));
        QCOMPARE(closer.Seen(), (QStringList{QStringLiteral("Vortane: ") + Failure(csv),
                                             QStringLiteral("Vortane: ") + Failure(svg),
                                             QStringLiteral("Vortane: ") + Failure(png)}));
        QCOMPARE(disk.Files(), std::vector<std::string>{});
    }
};

}  // namespace vortane::testing

QTEST_MAIN(vortane::testing::FullDiskTest)
#include "full_disk_test.moc"
