// The window's rendering of a chart description: gaps, rings, log axes and the
// legend the description lists.
#include <QChart>
#include <QChartView>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QScatterSeries>
#include <QTest>
#include <QValueAxis>

#include <limits>

#include "app/chart_view.h"
#include "chart/chart.h"

namespace vortane::testing {

namespace {

constexpr double Gap = std::numeric_limits<double>::quiet_NaN();

QStringList VisibleLegend(QChart& chart) {
    QStringList labels;
    for (QLegendMarker* marker : chart.legend()->markers())
        if (marker->isVisible()) labels << marker->label();
    return labels;
}

}  // namespace

class ChartViewTest : public QObject {
    Q_OBJECT

private slots:
    // A gap splits a curve into lines of its own; warned points shown are
    // ringed; the legend lists each curve once and the rings.
    void gapsRingsAndLegend() {
        ChartSeries drop{"40 rpm", {0, 1, 2, 3, 4}, {10, 20, Gap, 40, 30}, PaletteColour(0)};
        drop.warned = {false, true, true, false, true};
        ChartSeries share{"share", {0, 4}, {0, 1}, PaletteColour(1)};
        share.rightAxis = share.dashed = true;
        const Chart chart{"Drop", {"Output", "kg/hr"}, {{{"Drop", "kgf/cm2"}, {"Share", "-"}, {drop, share}}}};
        QChartView view;
        ShowChart(view, chart);
        QChart& shown = *view.chart();
        QCOMPARE(shown.title(), QStringLiteral("Drop"));
        QCOMPARE(view.accessibleDescription(), QStringLiteral("Drop"));
        QList<QLineSeries*> lines;
        QScatterSeries* rings = nullptr;
        for (QAbstractSeries* series : shown.series()) {
            if (auto* line = qobject_cast<QLineSeries*>(series); line && line->count() > 0) lines << line;
            if (series->objectName() == QStringLiteral("WarnedPoints")) rings = qobject_cast<QScatterSeries*>(series);
        }
        QCOMPARE(lines.size(), 3);  // the drop in two pieces, the share
        QCOMPARE(lines[0]->points(), (QList<QPointF>{{0, 10}, {1, 20}}));
        QCOMPARE(lines[1]->points(), (QList<QPointF>{{3, 40}, {4, 30}}));
        QCOMPARE(lines[2]->pen().style(), Qt::DashLine);
        QVERIFY(rings);
        QCOMPARE(rings->points(), (QList<QPointF>{{1, 20}, {4, 30}}));
        QCOMPARE(VisibleLegend(shown), (QStringList{"40 rpm", "share", "point with warnings"}));
        QCOMPARE(shown.axes(Qt::Vertical).size(), 2);
        QCOMPARE(shown.axes(Qt::Horizontal).at(0)->titleText(), QStringLiteral("Output (kg/hr)"));

        ShowChart(view, {});  // an empty chart replaces it
        QVERIFY(view.chart()->series().isEmpty());
    }

    // Log axes span whole decades; a value without a logarithm is a gap.
    // Markers alone are a scatter of their own, listed by the line of the same
    // label.
    void logAxesAndMarkers() {
        ChartSeries points{"150 degC", {1, 10, 0, 100}, {1000, 100, 50, 10}, PaletteColour(0)};
        points.markersOnly = true;
        ChartSeries law{"150 degC", {1, 100}, {1200, 12}, PaletteColour(0)};
        const Chart chart{"Fit", {"Shear rate", "1/s", Scale::Log}, {{{"Viscosity", "Pa.s", Scale::Log}, {}, {points, law}}}};
        QChartView view;
        ShowChart(view, chart);
        auto* x = qobject_cast<QLogValueAxis*>(view.chart()->axes(Qt::Horizontal).value(0));
        auto* y = qobject_cast<QLogValueAxis*>(view.chart()->axes(Qt::Vertical).value(0));
        QVERIFY(x && y);
        QCOMPARE(x->min(), 1.0);
        QCOMPARE(x->max(), 100.0);
        QCOMPARE(y->min(), 10.0);
        QCOMPARE(y->max(), 10000.0);
        auto* scatter = qobject_cast<QScatterSeries*>(view.chart()->series().value(0));
        QVERIFY(scatter);
        QCOMPARE(scatter->count(), 3);
        QCOMPARE(VisibleLegend(*view.chart()), QStringList{"150 degC"});
        QVERIFY(view.chart()->legend()->markers(scatter).value(0)->isVisible() == false);
    }

    // Linear axes take the core's round ticks.
    void linearAxesTickRoundValues() {
        const Chart chart{"T", {"z", "-"}, {{{"p", "kgf/cm2"}, {}, {{"p1", {0, 0.5, 1}, {176.7, 190, 200}}}}}};
        QChartView view;
        ShowChart(view, chart);
        auto* y = qobject_cast<QValueAxis*>(view.chart()->axes(Qt::Vertical).value(0));
        QVERIFY(y);
        QCOMPARE(y->min(), 175.0);
        QCOMPARE(y->max(), 200.0);
        QCOMPARE(y->tickCount(), 6);
    }
};

}  // namespace vortane::testing

QTEST_MAIN(vortane::testing::ChartViewTest)
#include "chart_view_test.moc"
