// Closing the main window in any of its ways frees it and ends the program.
#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <functional>

#include "program.h"

// How a test closes the window.
using Closing = std::function<void(vortane::TForm1&)>;
Q_DECLARE_METATYPE(Closing)

namespace vortane::testing {

class CloseTest : public QObject {
    Q_OBJECT

private slots:
    void closingEndsTheProgram_data() {
        QTest::addColumn<Closing>("close");
        // The frame's close box: the window system asks the window to close.
        QTest::newRow("close box") << Closing(
            [](TForm1& form) { form.windowHandle()->close(); });
        QTest::newRow("Close button") << Closing([](TForm1& form) {
            QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("BitBtn2")), Qt::LeftButton);
        });
        QTest::newRow("Alt+C") << Closing(
            [](TForm1& form) { QTest::keyClick(&form, Qt::Key_C, Qt::AltModifier); });
    }

    void closingEndsTheProgram() {
        QFETCH(Closing, close);
        Program program;
        QVERIFY(program.Show());
        QTimer::singleShot(0, program.form1, [&] { close(*program.form1); });
        QTimer watchdog;
        watchdog.setSingleShot(true);
        connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(1); });
        watchdog.start(10000);
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(program.form1.isNull());
    }
};

}  // namespace vortane::testing

QTEST_MAIN(vortane::testing::CloseTest)
#include "close_test.moc"
