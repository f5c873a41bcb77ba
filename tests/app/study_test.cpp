// Sweeps in the window: the rows equal vortane-calc's, Cancel stops a long
// sweep soon, and bad bounds run nothing.
#include <QAction>
#include <QChartView>
#include <QApplication>
#include <QComboBox>
#include <QMouseEvent>
#include <QLabel>
#include <QTabWidget>
#include <QElapsedTimer>
#include <QTimer>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QSignalSpy>
#include <QProgressBar>
#include <QScreen>
#include <QSettings>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableView>
#include <QTest>

#include <chrono>

#include "app/map_view.h"
#include "app/study_window.h"
#include "modal_closer.h"
#include "program.h"

namespace vortane::testing {

class StudyTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QSettings().remove(QStringLiteral("View/UnitSystem"));
    }
    void cleanupTestCase() { QSettings().remove(QStringLiteral("View/UnitSystem")); }

    void exportedSweepIsTheCommandLinesCsv() {
        Program program;
        QVERIFY(program.Show());
        StudyWindow& study = program.form1->Study();
        Sweep(study, QStringLiteral("First input"), QStringLiteral("Output (kg/hr)"),
              {QStringLiteral("100"), QStringLiteral("400"), QStringLiteral("10")});
        Sweep(study, QStringLiteral("Second input"), QStringLiteral("Number of Revolution (rpm)"),
              {QStringLiteral("40"), QStringLiteral("120"), QStringLiteral("20")},
              QStringLiteral(" (second input)"));
        QTest::mouseClick(Named<QPushButton>(study, QStringLiteral("Run")), Qt::LeftButton);
        QVERIFY(study.Running());
        QTRY_VERIFY_WITH_TIMEOUT(!study.Running(), 20000);
        QCOMPARE(Named<QTableView>(study, QStringLiteral("Rows"))->model()->rowCount(), 31 * 5);

        const QString exported = program.Scratch() + QStringLiteral("/window.csv");
        QVERIFY(study.ExportCsv(exported));
        QProcess calc;
        calc.setWorkingDirectory(program.Scratch());
        calc.start(QStringLiteral(VORTANE_CALC),
                   {QStringLiteral("--sweep"), QStringLiteral("OutputRate=100:400:10"), QStringLiteral("--sweep"),
                    QStringLiteral("ScrewSpeed=40:120:20"), QStringLiteral("--csv"), QStringLiteral("calc.csv")});
        QVERIFY(calc.waitForFinished(30000));
        QFile a(exported), b(program.Scratch() + QStringLiteral("/calc.csv"));
        QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
        const QByteArray windowCsv = a.readAll();
        QVERIFY(windowCsv.size() > 10000);
        QCOMPARE(windowCsv, b.readAll());

        // Double-clicking a row puts its point's texts into the main window.
        study.show();
        QVERIFY(QTest::qWaitForWindowExposed(&study));
        QTableView* rows = Named<QTableView>(study, QStringLiteral("Rows"));
        const QPoint at = rows->visualRect(rows->model()->index(6, 0)).center();
        // As the window system delivers a double-click: press, release, press,
        // double-click, release.
        QTest::mouseClick(rows->viewport(), Qt::LeftButton, {}, at);
        QTest::mousePress(rows->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(rows->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(rows->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(program.Edit(3)->text(), QStringLiteral("110"));
        QCOMPARE(program.Edit(2)->text(), QStringLiteral("60"));
        QCOMPARE(program.Edit(1)->text(), QStringLiteral("11.43"));
    }

    // Measured, not asserted: how long a 100 x 100 grid takes in the window,
    // the longest the interface thread was held, and how often the chart was
    // redrawn.
    void hundredByHundredGrid() {
        Program program;
        StudyWindow& study = program.form1->Study();
        Sweep(study, QStringLiteral("First input"), QStringLiteral("Output (kg/hr)"),
              {QStringLiteral("100.0"), QStringLiteral("397.0"), QStringLiteral("3.0")});
        Sweep(study, QStringLiteral("Second input"), QStringLiteral("Number of Revolution (rpm)"),
              {QStringLiteral("40.0"), QStringLiteral("119.2"), QStringLiteral("0.8")}, QStringLiteral(" (second input)"));
        QElapsedTimer gap;
        qint64 longest = 0;
        QTimer beat;
        beat.setInterval(5);
        connect(&beat, &QTimer::timeout, [&] {
            longest = std::max(longest, gap.restart());
        });
        int redraws = 0;
        auto* view = Named<QChartView>(study, QStringLiteral("Chart"));
        QElapsedTimer took;
        took.start();
        gap.start();
        beat.start();
        QChart* seen = view->chart();
        QTimer watch;
        connect(&watch, &QTimer::timeout, [&] {
            if (view->chart() != seen) ++redraws, seen = view->chart();
        });
        watch.start(1);
        QSignalSpy ended(&study, &StudyWindow::SweepEnded);
        QTest::mouseClick(Named<QPushButton>(study, QStringLiteral("Run")), Qt::LeftButton);
        QVERIFY(ended.wait(20000));
        const qint64 elapsed = took.elapsed();
        QCOMPARE(Named<QTableView>(study, QStringLiteral("Rows"))->model()->rowCount(), 100 * 100);
        qInfo("100 x 100 grid: %lld ms; interface held at most %lld ms; %d charts drawn", elapsed, longest, redraws);
    }

    // Cancel on a million-point grid ends the sweep within a fraction of a
    // second, with the rows done so far.
    void cancelStopsALongSweep() {
        Program program;
        StudyWindow& study = program.form1->Study();
        Sweep(study, QStringLiteral("First input"), QStringLiteral("Output (kg/hr)"),
              {QStringLiteral("100"), QStringLiteral("1099"), QStringLiteral("1")});
        Sweep(study, QStringLiteral("Second input"), QStringLiteral("Number of Revolution (rpm)"),
              {QStringLiteral("1"), QStringLiteral("1000"), QStringLiteral("1")}, QStringLiteral(" (second input)"));
        QTest::mouseClick(Named<QPushButton>(study, QStringLiteral("Run")), Qt::LeftButton);
        // Under way once the progress bar has moved.
        QTRY_VERIFY_WITH_TIMEOUT(Named<QProgressBar>(study, QStringLiteral("Progress"))->value() > 0, 60000);
        const auto cancelled = std::chrono::steady_clock::now();
        QSignalSpy ended(&study, &StudyWindow::SweepEnded);
        QTest::mouseClick(Named<QPushButton>(study, QStringLiteral("Cancel")), Qt::LeftButton);
        QVERIFY(ended.wait(5000));
        const auto took = std::chrono::steady_clock::now() - cancelled;
        qInfo("Cancel to stopped: %lld ms",
              static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(took).count()));
        const int rows = Named<QTableView>(study, QStringLiteral("Rows"))->model()->rowCount();
        QVERIFY(rows > 0);
        QVERIFY(rows < 1'000'000);
        QVERIFY(Named<QPushButton>(study, QStringLiteral("Run"))->isEnabled());
    }

    void badBoundsRunNothing() {
        Program program;
        QVERIFY(program.Show());
        ModalCloser closer;
        StudyWindow& study = program.form1->Study();
        const std::pair<QStringList, QString> cases[] = {
            {{QStringLiteral("1x"), QStringLiteral("2"), QStringLiteral("1")},
             QStringLiteral("First input: '1x' is not a decimal number of at most 18 digits")},
            {{QString(), QStringLiteral("2"), QStringLiteral("1")},
             QStringLiteral("First input: '' is not a decimal number of at most 18 digits")},
            {{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("0")},
             QStringLiteral("First input: STEP must not be zero")},
            {{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("-1")},
             QStringLiteral("First input: STEP leads away from TO")},
            {{QStringLiteral("0"), QStringLiteral("2"), QStringLiteral("0.000001")},
             QStringLiteral("First input: more than 1000000 values")},
        };
        for (const auto& [bounds, message] : cases) {
            closer.shown.clear();
            Sweep(study, QStringLiteral("First input"), QStringLiteral("Output (kg/hr)"), bounds);
            QTest::mouseClick(Named<QPushButton>(study, QStringLiteral("Run")), Qt::LeftButton);
            QCOMPARE(closer.shown.size(), 1u);
            QCOMPARE(closer.shown[0].text, message);
            QVERIFY(!study.Running());
        }
    }

    // A clearance × speed study of a case with limits: the indicators can be
    // charted against either input, the limits are drawn, the map colours the
    // grid by them, and the study turns stale when an input it did not sweep
    // changes.
    void designMapWithTheCasesLimits() {
        Program program;
        QVERIFY(program.Show());
        const QString path = program.Scratch() + QStringLiteral("/limits.vcase");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("OutputRate = 350\nLimit = TemperatureRise<=30\nLimit = Barrier1ShearStress>=120\n");
        file.close();
        QVERIFY(program.form1->OpenCase(path));
        StudyWindow& study = program.form1->Study();

        auto* quantity = Named<QComboBox>(study, QStringLiteral("Quantity"));
        for (const char* caption : {"Shear Stress over Barrier Flight 1 (kPa)", "Specific Energy Input (kWh/kg)",
                                    "Mean Residence Time (s)", "Least Pressure in Inlet Channel (kgf/cm2)"})
            QVERIFY2(quantity->findText(QString::fromUtf8(caption)) >= 0, caption);

        // A newly chosen input starts from its default ± 50 %.
        auto* first = Named<QComboBox>(study, QStringLiteral("First input"));
        first->setCurrentIndex(first->findText(QStringLiteral("Barrier Clearance - 1 (cm)")));
        QCOMPARE(Named<QLineEdit>(study, QStringLiteral("From"))->text(), QStringLiteral("0.026"));
        QCOMPARE(Named<QLineEdit>(study, QStringLiteral("Step"))->text(), QStringLiteral("0.002"));
        Sweep(study, QStringLiteral("First input"), QStringLiteral("Barrier Clearance - 1 (cm)"),
              {QStringLiteral("0.03"), QStringLiteral("0.1"), QStringLiteral("0.035")});
        Sweep(study, QStringLiteral("Second input"), QStringLiteral("Number of Revolution (rpm)"),
              {QStringLiteral("60"), QStringLiteral("120"), QStringLiteral("20")}, QStringLiteral(" (second input)"));
        QSignalSpy ended(&study, &StudyWindow::SweepEnded);
        QTest::mouseClick(Named<QPushButton>(study, QStringLiteral("Run")), Qt::LeftButton);
        QVERIFY(ended.wait(20000));

        auto* along = Named<QComboBox>(study, QStringLiteral("X axis"));
        QCOMPARE(along->count(), 2);
        QVERIFY(along->itemText(0).contains(QStringLiteral("Barrier Clearance - 1")));
        QVERIFY(along->itemText(1).contains(QStringLiteral("Number of Revolution")));

        // The temperature rise's limit is a line of the chart.
        quantity->setCurrentIndex(quantity->findText(QStringLiteral("Temperature Difference (℃)")));
        auto* chart = Named<QChartView>(study, QStringLiteral("Chart"));
        QStringList names, objects;
        for (QAbstractSeries* series : chart->chart()->series()) {
            names << series->name();
            objects << series->objectName();
        }
        QVERIFY2(names.contains(QStringLiteral("Temperature Difference (℃) ≤ 30")), qPrintable(names.join(", ")));
        QVERIFY(objects.contains(QStringLiteral("FailingPoints")));  // the speeds that heat it more
        // In US units the quantities, the limit's line and the map's shading
        // are named by their captions in °F, as the Results window names them.
        const auto units = [&program](const char* system) {
            program.form1->findChild<QAction*>(QStringLiteral("Units_") + QLatin1String(system))->trigger();
        };
        const auto seriesNames = [chart] {
            QStringList shown;
            for (const QAbstractSeries* series : chart->chart()->series()) shown << series->name();
            return shown;
        };
        units("us");
        QCOMPARE(quantity->currentText(), QStringLiteral("Temperature Difference (°F)"));
        QVERIFY2(seriesNames().contains(QStringLiteral("Temperature Difference (°F) ≤ 54")),
                 qPrintable(seriesNames().join(", ")));
        QVERIFY(Named<QComboBox>(study, QStringLiteral("Map shading"))
                    ->findText(QStringLiteral("Feasible cells by Temperature Difference (°F)")) > 0);
        units("metric");
        QCOMPARE(quantity->currentText(), QStringLiteral("Temperature Difference (℃)"));
        QVERIFY(seriesNames().contains(QStringLiteral("Temperature Difference (℃) ≤ 30")));
        along->setCurrentIndex(1);
        QVERIFY(chart->accessibleDescription().startsWith(QStringLiteral("Temperature Difference against Number of Revolution")));

        // The map: the limits taken from the case; some points meet them, some not.
        auto* map = Named<MapView>(study, QStringLiteral("Feasible map"));
        QVERIFY(map->accessibleDescription().startsWith(QStringLiteral("Where the limits hold")));
        QVERIFY(!map->accessibleDescription().contains(QStringLiteral(": 0 of")));
        QVERIFY(!map->accessibleDescription().contains(QStringLiteral(": 12 of")));
        Named<QTabWidget>(study, QStringLiteral("Views"))->setCurrentIndex(1);
        study.show();
        QVERIFY(QTest::qWaitForWindowExposed(&study));
        const QPoint cell = map->CellRect(0).center().toPoint();
        QMouseEvent hover(QEvent::MouseMove, cell, map->mapToGlobal(cell), Qt::NoButton, Qt::NoButton, {});
        QApplication::sendEvent(map, &hover);
        QVERIFY(Named<QLabel>(study, QStringLiteral("Map point"))->text().startsWith(QStringLiteral("Point ")));
        // The tooltip tells the run's quantities and the limits' margins, as the core words them.
        const QStringList tip = map->Tip().text().split(u'\n');
        QCOMPARE(tip.size(), 6);
        QCOMPARE(tip[0], Named<QLabel>(study, QStringLiteral("Map point"))->text());
        QVERIFY(tip[1].startsWith(QStringLiteral("Temperature Difference (℃): ")));
        QVERIFY(tip[4].startsWith(QStringLiteral("Temperature Difference (℃) ≤ 30: margin ")));
        QVERIFY(map->Tip().isVisible());
        QVERIFY(map->screen()->availableGeometry().contains(map->Tip().geometry()));
        // Shaded by a quantity, the feasible cells take the ramp and the legend names it.
        auto* shade = Named<QComboBox>(study, QStringLiteral("Map shading"));
        QVERIFY(shade);
        const QImage before = map->grab().toImage();
        shade->setCurrentIndex(shade->findText(QStringLiteral("Feasible cells by Temperature Difference (℃)")));
        QVERIFY(!map->Tip().isVisible());  // the map it told of is gone
        QVERIFY(map->grab().toImage() != before);
        shade->setCurrentIndex(0);
        QCOMPARE(map->grab().toImage(), before);
        QTest::mouseDClick(map, Qt::LeftButton, {}, cell);
        QCOMPARE(program.Edit(2)->text(), QStringLiteral("60"));  // the first speed, the first clearance
        QCOMPARE(program.Edit(7)->text(), QStringLiteral("0.030"));
        QVERIFY(!study.Stale());  // only swept inputs changed

        program.Edit(3)->setText(QStringLiteral("300"));
        QVERIFY(study.Stale());
        QVERIFY(Named<QLabel>(study, QStringLiteral("Stale study"))->isVisible());
        program.Edit(3)->setText(QStringLiteral("350"));
        QVERIFY(!study.Stale());

        // Another case, without limits: the map follows it.
        const QString plain = program.Scratch() + QStringLiteral("/plain.vcase");
        QFile other(plain);
        QVERIFY(other.open(QIODevice::WriteOnly));
        other.write("OutputRate = 350\n");
        other.close();
        QVERIFY(program.form1->OpenCase(plain));
        QVERIFY(map->accessibleDescription().startsWith(QStringLiteral("Complete runs over")));
    }

    // A map of 400 x 300 cells drawn from its image: each cell's centre shows
    // its colour, hovering finds the cell under the pointer, the tooltip stays
    // on the screen at its corners, and a new size draws it anew.
    void mapDrawsAndFindsEveryCell() {
        ChartMap made;
        made.title = "Where the limits hold";
        made.y = {"Number of Revolution", "rpm"};
        for (int i = 0; i < 40; ++i) {
            made.xValues.push_back(0.03 + 0.002 * i);
            made.xTexts.push_back(std::to_string(0.03 + 0.002 * i));
        }
        for (int j = 0; j < 30; ++j) {
            made.yValues.push_back(60 + 2 * j);
            made.yTexts.push_back(std::to_string(60 + 2 * j));
        }
        made.categories = {{"meets every limit", {0x7f, 0xc9, 0x7f}}, {"stopped", {0x9e, 0x9e, 0x9e}},
                           {"fails Temperature Difference (℃) ≤ 30", {0xf4, 0xa5, 0x82}}};
        for (std::size_t cell = 0; cell < 40 * 30; ++cell) {
            made.cells.push_back((cell * 7 + cell / 30) % 3);
            made.points.push_back(cell);
        }
        MapView map;
        map.resize(900, 600);
        map.Show({"Barrier Clearance - 1", "cm"}, made);
        map.show();
        QVERIFY(QTest::qWaitForWindowExposed(&map));
        const auto check = [&] {
            const QImage picture = map.grab().toImage();
            const qreal ratio = picture.devicePixelRatio();
            for (std::size_t cell = 0; cell < made.cells.size(); cell += 37) {
                const QPointF centre = map.CellRect(cell).center();
                QCOMPARE(map.CellAt(centre), std::optional<std::size_t>(cell));
                const Colour colour = made.categories[made.cells[cell]].colour;
                QCOMPARE(picture.pixelColor((centre * ratio).toPoint()), QColor(colour.red, colour.green, colour.blue));
            }
        };
        check();
        QVERIFY(!map.CellAt(QPointF(1, 1)));
        map.resize(640, 420);
        check();

        QSignalSpy hovered(&map, &MapView::CellHovered);
        for (const std::size_t cell : {std::size_t{0}, made.cells.size() - 1}) {
            const QPoint at = map.CellRect(cell).center().toPoint();
            QMouseEvent hover(QEvent::MouseMove, at, map.mapToGlobal(at), Qt::NoButton, Qt::NoButton, {});
            QApplication::sendEvent(&map, &hover);
            QVERIFY(map.Tip().text().startsWith(QStringLiteral("Point %1: ").arg(cell + 1)));
            QCOMPARE(hovered.last().at(0).toString(), map.Tip().text());
        }
        QMouseEvent away(QEvent::MouseMove, QPointF(1, 1), map.mapToGlobal(QPointF(1, 1)), Qt::NoButton, Qt::NoButton, {});
        QApplication::sendEvent(&map, &away);
        QVERIFY(!map.Tip().isVisible());
        QVERIFY(hovered.last().at(0).toString().isEmpty());

        // Near each corner of the screen the tooltip turns back onto it.
        const QRect screen(0, 0, 1366, 768);
        const QSize tip(300, 120);
        for (const QPoint cursor : {QPoint(5, 5), QPoint(1360, 5), QPoint(5, 760), QPoint(1365, 767), QPoint(683, 384)})
            QVERIFY(screen.contains(QRect(TipPosition(cursor, tip, screen), tip)));
        QCOMPARE(TipPosition({100, 100}, tip, screen), QPoint(116, 116));  // clear of the pointer
        const QPoint corner = TipPosition({1360, 760}, tip, screen);
        QVERIFY(!QRect(corner, tip).contains(QPoint(1360, 760)));
        QCOMPARE(TipPosition({10, 10}, QSize(2000, 1000), screen), QPoint(0, 0));  // larger than the screen
    }
};

}  // namespace vortane::testing

QTEST_MAIN(vortane::testing::StudyTest)
#include "study_test.moc"
