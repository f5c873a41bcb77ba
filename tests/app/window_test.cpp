// The main window and the completion dialog as a user sees them before any run.
#include <QApplication>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include "app/decimal_separator.h"
#include "app/pictures.h"
#include "program.h"
#include "case/input_fields.h"

namespace vortane::testing {

class WindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void captionsAndDefaultTexts() {
        Program program;
        // The caption as the frame shows it: no case, nothing changed.
        program.form1->winId();
        QCOMPARE(program.form1->windowHandle()->title(), QStringLiteral("Vortane"));
        const auto* notebook = program.Find<QTabWidget>(QStringLiteral("TabbedNotebook1"));
        QCOMPARE(notebook->count(), 3);
        QCOMPARE(notebook->tabText(0), QStringLiteral("Input Data 1"));
        QCOMPARE(notebook->tabText(1), QStringLiteral("Input Data 2"));
        QCOMPARE(notebook->tabText(2), QStringLiteral("Input Data 3"));
        QCOMPARE(notebook->currentIndex(), 0);

        const std::pair<const char*, const char*> captions[] = {
            {"Label1", "Barrel Diameter (cm)"},
            {"Label11", "Angle between Screw Axis and Channel (deg)"},
            {"Label13", "* Effective Number of Channels (-) "},
            {"Label14", "Inlet Melt Temperature (℃)"},
            {"Label20", "Specific Heat of Solid (cal/g.℃)"},
            {"Label22", "Specific Heat of Melt (cal/g.℃)"},
            {"Label23", "(Coefficients of Viscosity)"},
            {"Label24", "A0"},
            {"Label29", "A12"},
            {"Label30", "( * to evaluate the effect of choking channels by solid, reduce this number )"},
        };
        for (const auto& [name, caption] : captions)
            QCOMPARE(program.Find<QLabel>(name)->text(), QString::fromUtf8(caption));
        for (int label = 1; label <= 30; ++label)
            QVERIFY2(program.Find<QLabel>(QStringLiteral("Label%1").arg(label)), qPrintable(QString::number(label)));

        // Every box holds its default text; a few pinned here as the user sees them.
        for (const InputField& field : InputFields())
            QCOMPARE(program.Edit(field.box)->text(), QString::fromStdString(DefaultText(field, '.')));
        QCOMPARE(program.Edit(1)->text(), QStringLiteral("11.43"));
        QCOMPARE(program.Edit(12)->text(), QStringLiteral("5"));
        QCOMPARE(program.Edit(27)->text(), QStringLiteral("-4.7079E-7"));
        QCOMPARE(program.Find<QLineEdit>(QStringLiteral("EditResult"))->text(), QStringLiteral("result.txt"));
        QCOMPARE(program.Find<QGroupBox>(QStringLiteral("GroupBox1"))->title(), QStringLiteral("Save File Name"));
        QCOMPARE(program.Find<QPushButton>(QStringLiteral("BitBtn1"))->text(), QStringLiteral("OK"));
        QCOMPARE(program.Find<QPushButton>(QStringLiteral("BitBtn2"))->text(), QStringLiteral("Close(&C)"));
    }

    void decimalSeparatorOfLocales() {
        QCOMPARE(DecimalSeparatorOf(QLocale::c()), '.');
        QCOMPARE(DecimalSeparatorOf(QLocale(QLocale::German)), ',');
        QCOMPARE(DecimalSeparatorOf(QLocale(QLocale::French)), ',');
        // Arabic and Persian write U+066B, which a report cannot hold as one byte.
        QCOMPARE(DecimalSeparatorOf(QLocale(QLocale::Arabic, QLocale::Egypt)), '.');
        QCOMPARE(DecimalSeparatorOf(QLocale(QLocale::Persian)), '.');
    }

    void controlsAtTheirPlaces() {
        Program program;
        // The menu bar stands above the 663 x 440 client area.
        const int menu = program.Find<QWidget>(QStringLiteral("MenuBar"))->sizeHint().height();
        QVERIFY(menu > 0);
        QCOMPARE(program.form1->size(), QSize(663, 440 + menu));
        const std::tuple<const char*, const char*, QRect> places[] = {
            {"Panel1", "Form1", {0, menu, 663, 440}},
            {"Panel2", "Panel1", {27, 9, 429, 177}},
            {"Image1", "Panel2", {2, 2, 425, 173}},
            {"TabbedNotebook1", "Panel1", {11, 197, 448, 236}},
            {"BitBtn1", "Panel1", {472, 391, 85, 35}},
            {"BitBtn2", "Panel1", {572, 391, 85, 35}},
            {"DriveComboBox1", "Panel1", {494, 13, 150, 18}},
            {"DirectoryListBox1", "Panel1", {494, 41, 150, 108}},
            {"FileListBox1", "Panel1", {496, 161, 150, 142}},
            {"GroupBox1", "Panel1", {495, 322, 151, 51}},
            {"EditResult", "GroupBox1", {19, 18, 103, 20}},
            {"Panel3", "", {0, 0, 440, 208}},
            {"Panel6", "Panel5", {44, 20, 324, 27}},
            {"Image2", "Panel6", {2, 2, 320, 23}},
            {"Edit1", "Panel3", {343, 14, 69, 20}},
            {"Edit5", "Panel3", {342, 78, 69, 20}},
            {"Edit12", "Panel4", {343, 7, 69, 20}},
            {"Edit23", "Panel5", {278, 86, 69, 20}},
            {"Edit28", "Panel5", {278, 164, 69, 20}},
        };
        for (const auto& [name, parent, geometry] : places) {
            const auto* widget = program.Find<QWidget>(name);
            QVERIFY2(widget, name);
            QCOMPARE(widget->geometry(), geometry);
            if (*parent) QCOMPARE(widget->parentWidget()->objectName(), QString::fromLatin1(parent));
        }
        const std::tuple<const char*, const char*, QPoint> labels[] = {
            {"Label1", "Panel3", {17, 15}},   {"Label13", "Panel4", {5, 29}},
            {"Label30", "Panel4", {15, 190}}, {"Label23", "Panel5", {39, 66}},
            {"Label29", "Panel5", {75, 164}},
        };
        for (const auto& [name, parent, at] : labels) {
            const auto* label = program.Find<QLabel>(name);
            QCOMPARE(label->pos(), at);
            QCOMPARE(label->parentWidget()->objectName(), QString::fromLatin1(parent));
        }
    }

    void onlyThePanelFollowsTheWindowSize() {
        Program program;
        QVERIFY(program.Show());
        program.form1->resize(900, 620);
        const int menu = program.Find<QWidget>(QStringLiteral("MenuBar"))->sizeHint().height();
        QTRY_COMPARE(program.Find<QWidget>(QStringLiteral("Panel1"))->geometry(), QRect(0, menu, 900, 620 - menu));
        QCOMPARE(program.Find<QWidget>(QStringLiteral("BitBtn1"))->geometry(), QRect(472, 391, 85, 35));
        QCOMPARE(program.Find<QWidget>(QStringLiteral("TabbedNotebook1"))->geometry(), QRect(11, 197, 448, 236));
    }

    void coefficientBoxesCannotBeChanged() {
        Program program;
        QVERIFY(program.Show());
        program.Find<QTabWidget>(QStringLiteral("TabbedNotebook1"))->setCurrentIndex(2);
        for (int box = 23; box <= 28; ++box) {
            QLineEdit* edit = program.Edit(box);
            QVERIFY(!edit->isEnabled());
            edit->setFocus();
            QVERIFY(!edit->hasFocus());
            QTest::keyClicks(edit, "9");
            QCOMPARE(edit->text(), QString::fromStdString(DefaultText(InputFields()[box - 1], '.')));
        }
    }

    // Tab walks the enabled boxes of the shown page from top to bottom and
    // never reaches the coefficients or the controls meant for the mouse.
    void tabWalksThePageTopToBottom() {
        Program program;
        QVERIFY(program.Show());
        auto* notebook = program.Find<QTabWidget>(QStringLiteral("TabbedNotebook1"));
        const std::pair<int, int> pages[] = {{1, 11}, {12, 22}};
        for (int page = 0; page < 2; ++page) {
            const auto [first, last] = pages[page];
            notebook->setCurrentIndex(page);
            program.Edit(first)->setFocus();
            QTRY_VERIFY(program.Edit(first)->hasFocus());
            for (int box = first + 1; box <= last + 1; ++box) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                const int expected = box <= last ? box : first;
                QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Edit%1").arg(expected));
            }
        }
        notebook->setCurrentIndex(2);
        for (int press = 0; press < 3; ++press) {
            QTest::keyClick(program.form1, Qt::Key_Tab);
            const QWidget* focus = QApplication::focusWidget();
            QVERIFY(focus == nullptr || !focus->isVisible() || !focus->objectName().startsWith("Edit"));
        }
    }

    void japaneseFontAndPictures() {
        Program program;
        const auto* label = program.Find<QLabel>(QStringLiteral("Label14"));
        const QFontInfo face(label->font());
        QVERIFY2(QStringList({"ＭＳ Ｐゴシック", "MS PGothic", "IPAPGothic"}).contains(face.family()),
                 qPrintable(face.family()));
        QVERIFY(QFontMetrics(label->font()).inFontUcs4(0x2103));  // ℃
        QCOMPARE(label->font().pixelSize(), 12);
        QCOMPARE(label->palette().color(QPalette::WindowText), QColor(0, 0, 255));
        QCOMPARE(program.Find<QLabel>(QStringLiteral("Label23"))->font().pixelSize(), 15);
        QCOMPARE(program.Find<QLabel>(QStringLiteral("Label30"))->palette().color(QPalette::WindowText),
                 QColor(128, 0, 0));
        QCOMPARE(program.Find<QGroupBox>(QStringLiteral("GroupBox1"))->palette().color(QPalette::WindowText),
                 QColor(255, 0, 0));
        QCOMPARE(program.Find<QTabBar>(QString())->font().pixelSize(), 13);
        QCOMPARE(program.Find<QPushButton>(QStringLiteral("BitBtn1"))->font().pixelSize(), 15);

        // Both pictures are larger than their places and drawn unscaled from
        // the top-left corner.
        const std::tuple<const char*, QSize, QSize> pictures[] = {
            {"Image1", {432, 174}, {425, 173}},
            {"Image2", {321, 19}, {320, 23}},
        };
        for (const auto& [name, picture, place] : pictures) {
            const auto* image = program.Find<QLabel>(name);
            // Drawn for the screen's ratio: as many device pixels more, never upscaled.
            QCOMPARE(image->pixmap().deviceIndependentSize().toSize(), picture);
            QCOMPARE(image->pixmap().devicePixelRatio(), program.form1->devicePixelRatioF());
            QCOMPARE(image->pixmap().size(), (QSizeF(picture) * program.form1->devicePixelRatioF()).toSize());
            QCOMPARE(image->size(), place);
            QVERIFY(!image->hasScaledContents());
            QCOMPARE(image->alignment(), Qt::AlignLeft | Qt::AlignTop);
        }
        const QImage icon = IconImage();
        QCOMPARE(icon.size(), QSize(32, 32));
        QVERIFY(icon.colorCount() <= 16);
        const QImage largeIcon = IconImage(2);
        QCOMPARE(largeIcon.size(), QSize(64, 64));
        QCOMPARE(largeIcon.deviceIndependentSize(), QSizeF(32, 32));
        QCOMPARE(largeIcon.pixel(29, 25), icon.pixel(14, 12));  // the same drawing, finer
        QCOMPARE(OkGlyph(2).size(), QSize(36, 36));
        QVERIFY(!program.form1->windowIcon().isNull());
    }

    void completionDialog() {
        TFinishForm dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Finsh"));
        QCOMPARE(dialog.size(), QSize(304, 179));
        QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
        QVERIFY(dialog.windowFlags() & Qt::WindowCloseButtonHint);
        QVERIFY(!(dialog.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        const auto* label1 = dialog.findChild<QLabel*>(QStringLiteral("Label1"));
        QCOMPARE(label1->text(), QStringLiteral("Calculation is successfully finished !"));
        QCOMPARE(label1->font().pixelSize(), 16);
        QCOMPARE(label1->geometry(), QRect(19, 16, 238, 16));
        // The whole caption within its width, whatever face stands in for MS P Gothic.
        QVERIFY(QFontMetrics(label1->font()).horizontalAdvance(label1->text()) <= label1->width());
        QCOMPARE(label1->parentWidget()->objectName(), QStringLiteral("Panel1"));
        QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("Label2"))->text(), QStringLiteral("2008.8.6"));
        const auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("BitBtn1"));
        QCOMPARE(ok->text(), QStringLiteral("OK"));
        QVERIFY(ok->isDefault());
        QCOMPARE(ok->geometry(), QRect(112, 136, 73, 25));
        QVERIFY(dialog.isHidden());
    }
};

}  // namespace vortane::testing

QTEST_MAIN(vortane::testing::WindowTest)
#include "window_test.moc"
