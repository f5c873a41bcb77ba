// A typed design with no case open is never lost: every way of closing the
// window or replacing its texts asks first, and Cancel keeps everything.
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <functional>

#include "app/case_document.h"
#include "program.h"

// How a test sets the design aside.
using SetAside = std::function<void(vortane::TForm1&)>;
Q_DECLARE_METATYPE(SetAside)

namespace vortane::testing {

namespace {

// Answers the save question with `button` and a file dialog with `path`
// (cancelled when empty), recording every box's title and text.
class Answerer : public QObject {
public:
    Answerer(QMessageBox::StandardButton button, QString path) : button_(button), path_(std::move(path)) {
        connect(&timer_, &QTimer::timeout, this, &Answerer::Answer);
        timer_.start(10);
    }

    QStringList seen;

private:
    void Answer() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || !modal->isVisible()) return;
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            seen << box->text();
            box->button(button_)->click();
        } else if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
            seen << dialog->windowTitle();
            if (path_.isEmpty()) {
                dialog->reject();
            } else {
                // Typed, as a user would: selectFile leaves the name alone
                // once the name's box has the focus.
                dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(path_);
                QMetaObject::invokeMethod(dialog, "accept");
            }
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

const QString Question = QStringLiteral("The design has not been saved. Save it as a case?");

}  // namespace

class UnsavedDesignTest : public QObject {
    Q_OBJECT

    // The speed of the example, typed into a fresh window.
    static void TypeSpeed(Program& program) {
        QLineEdit* speed = program.Edit(2);
        speed->setFocus();
        speed->selectAll();
        QTest::keyClicks(speed, QStringLiteral("123"));
    }

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QApplication::setQuitOnLastWindowClosed(false);
    }

    void typingMarksTheCaption() {
        Program program;
        QVERIFY(program.Show());
        QVERIFY(!program.form1->isWindowModified());
        TypeSpeed(program);
        QVERIFY(program.form1->isWindowModified());
        program.Edit(2)->setText(QStringLiteral("80.0"));  // back to the default text
        QVERIFY(!program.form1->isWindowModified());
    }

    void closingAsksFirst_data() {
        QTest::addColumn<SetAside>("setAside");
        QTest::newRow("Ctrl+Q") << SetAside([](TForm1& form) {
            QTest::keyClick(form.focusWidget(), Qt::Key_Q, Qt::ControlModifier);
        });
        QTest::newRow("close box") << SetAside([](TForm1& form) { form.windowHandle()->close(); });
        QTest::newRow("Close button") << SetAside([](TForm1& form) {
            QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("BitBtn2")), Qt::LeftButton);
        });
    }

    // Cancel keeps the window and the design; Discard then closes it.
    void closingAsksFirst() {
        QFETCH(SetAside, setAside);
        Program program;
        QVERIFY(program.Show());
        TypeSpeed(program);
        {
            Answerer answer(QMessageBox::Cancel, {});
            setAside(*program.form1);
            QCOMPARE(answer.seen, QStringList{Question});
        }
        QVERIFY(program.form1);
        QVERIFY(program.form1->isVisible());
        QCOMPARE(program.Edit(2)->text(), QStringLiteral("123"));
        program.form1->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(program.form1));
        {
            Answerer answer(QMessageBox::Discard, {});
            setAside(*program.form1);
            QCOMPARE(answer.seen, QStringList{Question});
        }
        QTRY_VERIFY(program.form1.isNull());
    }

    // Save without a file asks for a name, writes the case and then closes.
    void savingOnQuitAsksForAName() {
        Program program;
        QVERIFY(program.Show());
        TypeSpeed(program);
        const QString path = program.Scratch() + QStringLiteral("/design.vcase");
        {
            Answerer answer(QMessageBox::Save, path);
            QTest::keyClick(program.form1, Qt::Key_Q, Qt::ControlModifier);
            QCOMPARE(answer.seen, (QStringList{Question, QStringLiteral("Save Case As")}));
        }
        QTRY_VERIFY(program.form1.isNull());
        QFile saved(path);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QVERIFY(QString::fromUtf8(saved.readAll()).contains(QRegularExpression(QStringLiteral("\nScrewSpeed *= 123\n"))));
    }

    // A cancelled file dialog cancels the quit as well.
    void cancellingTheNameKeepsTheWindow() {
        Program program;
        QVERIFY(program.Show());
        TypeSpeed(program);
        Answerer answer(QMessageBox::Save, {});
        QTest::keyClick(program.form1, Qt::Key_Q, Qt::ControlModifier);
        QCOMPARE(answer.seen, (QStringList{Question, QStringLiteral("Save Case As")}));
        QVERIFY(program.form1);
        QCOMPARE(program.Edit(2)->text(), QStringLiteral("123"));
    }

    void newAndOpenAskFirst_data() {
        QTest::addColumn<QString>("command");
        QTest::newRow("New") << QStringLiteral("&New");
        QTest::newRow("Open") << QStringLiteral("&Open Case...");
    }

    void newAndOpenAskFirst() {
        QFETCH(QString, command);
        Program program;
        QVERIFY(program.Show());
        TypeSpeed(program);
        QAction* action = MenuAction(*program.form1, QStringLiteral("&File"), command);
        QVERIFY(action);
        {
            Answerer answer(QMessageBox::Cancel, {});
            action->trigger();
            QCOMPARE(answer.seen, QStringList{Question});  // no file dialog after Cancel
        }
        QCOMPARE(program.Edit(2)->text(), QStringLiteral("123"));
        QVERIFY(program.form1->isWindowModified());
        {
            Answerer answer(QMessageBox::Discard, {});
            action->trigger();
            QCOMPARE(answer.seen.first(), Question);
        }
        if (command == QStringLiteral("&New")) {
            QCOMPARE(program.Edit(2)->text(), QStringLiteral("80.0"));
            QVERIFY(!program.form1->isWindowModified());
        }
    }
};

}  // namespace vortane::testing

QTEST_MAIN(vortane::testing::UnsavedDesignTest)
#include "unsaved_design_test.moc"
