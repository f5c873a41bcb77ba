#pragma once

#include <QWidget>

#include <cstddef>
#include <optional>

#include "chart/chart.h"

namespace vortane {

// A map of a two-input sweep as the core describes it: the cells in their
// categories' colours, the boundary of the feasible region, round ticks
// within the cells' span and the categories' legend at the right. Hovering a
// cell tells its point; double-clicking one chooses it.
class MapView final : public QWidget {
    Q_OBJECT

public:
    explicit MapView(QWidget* parent = nullptr);

    // Shows `map` with `x` as its first input's axis; none leaves the view empty.
    void Show(const ChartAxis& x, std::optional<ChartMap> map);

    // The cell (an index of the map's cells) under `position`; none outside.
    std::optional<std::size_t> CellAt(QPointF position) const;

    // Where cell `cell` lies in the view.
    QRectF CellRect(std::size_t cell) const;

signals:
    void CellHovered(const QString& text);  // empty when the pointer leaves the cells
    void PointChosen(std::size_t point);    // the sweep's point of a double-clicked cell

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QRectF PlotArea() const;
    QPointF ToView(double x, double y) const;
    void PaintAxes(QPainter& painter, const QRectF& area) const;
    void PaintLegend(QPainter& painter, const QRectF& area) const;

    ChartAxis x_;
    std::optional<ChartMap> map_;
    std::vector<double> xEdges_, yEdges_;
};

}  // namespace vortane
