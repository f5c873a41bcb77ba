// Designs side by side in the window: Pin as Baseline in the Results window,
// and File > Compare Cases.
#include <QAccessible>
#include <QChart>
#include <QChartView>
#include <QFile>
#include <QLegendMarker>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTest>

#include "app/compare_cases.h"
#include "app/results_window.h"
#include "modal_closer.h"
#include "program.h"

namespace vortane::testing {

namespace {

void Type(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

// The cells of the table's row whose first cell is `quantity`; empty when none.
QStringList Row(const QTableWidget& table, const QString& quantity) {
    for (int r = 0; r < table.rowCount(); ++r) {
        if (table.item(r, 0)->text() != quantity) continue;
        QStringList cells;
        for (int c = 0; c < table.columnCount(); ++c) cells << table.item(r, c)->text();
        return cells;
    }
    return {};
}

QStringList Header(const QTableWidget& table) {
    QStringList names;
    for (int c = 0; c < table.columnCount(); ++c) names << table.horizontalHeaderItem(c)->text();
    return names;
}

QStringList SeriesNames(const QChartView& view) {
    QStringList names;
    for (const QAbstractSeries* series : view.chart()->series()) names << series->name();
    return names;
}

}  // namespace

class ComparisonTest : public QObject {
    Q_OBJECT

    std::unique_ptr<Program> program;
    std::unique_ptr<ModalCloser> closer;

    void PressOk() { QTest::mouseClick(program->Find<QPushButton>(QStringLiteral("BitBtn1")), Qt::LeftButton); }
    ResultsWindow& Results() { return program->form1->Results(); }

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

    // Pinned, a changed run stands beside the baseline with its differences,
    // the case's limits judged in each, both profiles overlaid; Unpin returns.
    void pinAsBaselineShowsBothDesigns() {
        auto* pin = Results().findChild<QPushButton*>(QStringLiteral("PinBaseline"));
        QVERIFY(pin && !pin->isEnabled());
        const QString limited = program->Scratch() + QStringLiteral("/limited.vcase");
        {
            QFile file(limited);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("Limit = TemperatureRise<=25\n");
        }
        QVERIFY(program->form1->OpenCase(limited));
        PressOk();
        QVERIFY(pin->isEnabled());
        QCOMPARE(QAccessible::queryAccessibleInterface(pin)->text(QAccessible::Name),
                 QStringLiteral("Pin the shown result as the baseline"));
        QTest::mouseClick(pin, Qt::LeftButton);
        QCOMPARE(pin->text(), QStringLiteral("Unpin Baseline"));
        auto* table = Results().findChild<QTableWidget*>(QStringLiteral("ComparisonTable"));
        QVERIFY(table && table->isVisible());
        QCOMPARE(Header(*table), (QStringList{"Quantity", "Baseline", "Current", "Δ", "Δ %"}));
        QCOMPARE(Row(*table, QStringLiteral("Output (kg/hr)")), QStringList());  // no input differs yet

        Type(program->Edit(3), QStringLiteral("350"));
        PressOk();
        QCOMPARE(Row(*table, QStringLiteral("Output (kg/hr)")),
                 (QStringList{"Output (kg/hr)", "267", "350", "+83", "+31.09 %"}));
        // Computed values to seven significant digits, under their captions.
        const QStringList rise = Row(*table, QStringLiteral("Temperature Difference (℃)"));
        QCOMPARE(rise.mid(1, 2), (QStringList{"29.55363", "22.7347"}));
        QVERIFY(rise[3].startsWith(u'-'));
        const QStringList limit = Row(*table, QStringLiteral("Temperature Difference (℃) ≤ 25"));
        QVERIFY(limit[1].startsWith(QStringLiteral("failed by ")));
        QVERIFY(limit[2].startsWith(QStringLiteral("met by ")));
        QCOMPARE(Row(*table, QStringLiteral("Feasible")).mid(1, 2), (QStringList{"no", "yes"}));
        auto* chart = Results().findChild<QChartView*>(QStringLiteral("ProfileChart"));
        const QStringList series = SeriesNames(*chart);
        QVERIFY(series.contains(QStringLiteral("Baseline p1")) && series.contains(QStringLiteral("Current p2")));

        QTest::mouseClick(pin, Qt::LeftButton);
        QCOMPARE(pin->text(), QStringLiteral("Pin as Baseline"));
        QVERIFY(!table->isVisible());
        QVERIFY(!SeriesNames(*chart).contains(QStringLiteral("Baseline p1")));
    }

    // The chosen case files side by side against the first; fewer than two,
    // or a file that cannot be read, is named and opens nothing.
    void compareCases() {
        const QString a = program->Scratch() + QStringLiteral("/a.vcase");
        QVERIFY(program->form1->SaveCase(a));
        Type(program->Edit(2), QStringLiteral("90"));
        const QString b = program->Scratch() + QStringLiteral("/b.vcase");
        QVERIFY(program->form1->SaveCase(b));
        QWidget* window = CompareCases(*program->form1, {a, b}, '.');
        QVERIFY(window && window->isVisible());
        QCOMPARE(window->windowTitle(), QStringLiteral("Compare Cases: a.vcase, b.vcase — Vortane"));
        auto* table = window->findChild<QTableWidget*>(QStringLiteral("ComparisonTable"));
        QCOMPARE(Row(*table, QStringLiteral("Number of Revolution (rpm)")),
                 (QStringList{"Number of Revolution (rpm)", "80", "90", "+10", "+12.50 %"}));
        QCOMPARE(SeriesNames(*window->findChild<QChartView*>(QStringLiteral("ComparisonChart"))).size(), 4);
        window->close();

        QVERIFY(!CompareCases(*program->form1, {a}, '.'));
        QVERIFY(!CompareCases(*program->form1, {a, program->Scratch() + QStringLiteral("/missing.vcase")}, '.'));
        QCOMPARE(closer->shown.size(), 2u);
        QCOMPARE(closer->shown[0].text, QStringLiteral("Choose two case files or more to compare."));
        QVERIFY(closer->shown[1].text.contains(QStringLiteral("missing.vcase")));
    }
};

}  // namespace vortane::testing

QTEST_MAIN(vortane::testing::ComparisonTest)
#include "comparison_test.moc"
