// Run by hand, not by CTest: how long the Study window's map of a large
// two-input study takes to show when its tab is chosen, to redraw at a new
// size and to answer a hover. Argument: the cells along each input (default
// 1000, a million in all); the points take the results of a coarse grid of
// at most 100 x 100, run once, as the benchmarks' synthetic tables do.
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QMouseEvent>
#include <QRandomGenerator>
#include <QTabWidget>
#include <QTest>

#include <algorithm>
#include <cstdio>

#include "app/core_text.h"
#include "app/map_view.h"
#include "study/sweep_charts.h"
#include "synthetic_sweep.h"

int main(int argc, char** argv) {
    using namespace vortane;
    QApplication application(argc, argv);
    const int cells = std::max(QApplication::arguments().value(1, QStringLiteral("1000")).toInt(), 1);
    const SweepPlan plan = synthetic::ClearanceBySpeedPlan(cells);
    int coarse = std::min(cells, 100);
    while (cells % coarse != 0) --coarse;
    const std::unique_ptr<SweepTable> table = synthetic::FilledTable(plan, coarse);
    const std::vector<Limit> limits{{"TemperatureRise", LimitBound::AtMost, 30},
                                    {"Barrier1ShearStress", LimitBound::AtLeast, 120}};
    const ChartAxis x{"Barrier Clearance - 1", "cm"};

    QTabWidget tabs;
    tabs.addTab(new QWidget, QStringLiteral("Chart"));
    auto* map = new MapView;
    tabs.addTab(map, QStringLiteral("Feasible map"));
    tabs.resize(1000, 640);
    tabs.show();
    if (!QTest::qWaitForWindowExposed(&tabs)) return 1;
    // As the Study window does when the map's tab is chosen.
    qint64 judged = 0;
    QObject::connect(&tabs, &QTabWidget::currentChanged, map, [&] {
        QElapsedTimer judging;
        judging.start();
        map->Show(x, FeasibleMap(*table, 0, limits), [&](const ChartMap& shown, std::size_t cell) {
            QStringList lines;
            for (const std::string& line : MapCellLines(*table, shown, x, cell, limits)) lines << FromUtf8(line);
            return lines.join(u'\n');
        });
        judged = judging.elapsed();
    });
    QElapsedTimer took;
    took.start();
    tabs.setCurrentIndex(1);
    map->repaint();
    const qint64 shown = took.elapsed();
    took.restart();
    map->repaint();
    const qint64 again = took.elapsed();
    tabs.resize(1300, 900);
    QApplication::processEvents();
    took.restart();
    map->repaint();
    const qint64 resized = took.elapsed();

    // Hovers over cells spread at random; each answers with its tooltip's text.
    QRandomGenerator random(27);
    double total = 0, slowest = 0;
    constexpr int Hovers = 500;
    for (int h = 0; h < Hovers; ++h) {
        const std::size_t cell = random.bounded(static_cast<quint32>(table->Size()));
        const QPointF at = map->CellRect(cell).center();
        QMouseEvent hover(QEvent::MouseMove, at, map->mapToGlobal(at), Qt::NoButton, Qt::NoButton, {});
        QElapsedTimer answer;
        answer.start();
        QApplication::sendEvent(map, &hover);
        const double ms = static_cast<double>(answer.nsecsElapsed()) / 1e6;
        if (map->Tip().text().isEmpty()) return 1;
        total += ms;
        slowest = std::max(slowest, ms);
    }
    std::printf("%zu cells at device pixel ratio %.1f: map shown %lld ms after choosing its tab (judged in %lld ms); "
                "repainted in %lld ms; redrawn at a new size in %lld ms; hover answered in %.3f ms on average, "
                "%.3f ms at most\n",
                table->Size(), map->devicePixelRatioF(), static_cast<long long>(shown),
                static_cast<long long>(judged), static_cast<long long>(again), static_cast<long long>(resized),
                total / Hovers, slowest);
    return 0;
}
