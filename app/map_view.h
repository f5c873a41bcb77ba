#pragma once

#include <QImage>
#include <QWidget>

#include <cstddef>
#include <functional>
#include <optional>

#include "chart/chart.h"

class QLabel;

namespace vortane {

// Where a tooltip of size `tip` goes for the pointer at `cursor`: below and
// to the right of it, else on whichever side keeps it within `screen`, and
// never beyond the screen's edges.
QPoint TipPosition(QPoint cursor, QSize tip, const QRect& screen);

// A map of a two-input sweep as the core describes it: the cells in their
// categories' colours (or the feasible ones on a quantity's ramp), the
// boundary of the feasible region, the axes' ends and round ticks between
// them, and the legend at the right. The cells and the boundary are drawn
// once into an image at the screen's resolution, again only when the map or
// the view's size changes, so that a map of millions of cells draws as fast
// as one of a few. Hovering a cell tells its point in a tooltip kept on the
// screen; double-clicking one chooses it.
class MapView final : public QWidget {
    Q_OBJECT

public:
    // The text of a hovered cell (an index of the map's cells), a line each.
    using Describe = std::function<QString(const ChartMap& map, std::size_t cell)>;

    explicit MapView(QWidget* parent = nullptr);

    // Shows `map` with `x` as its first input's axis; none leaves the view
    // empty. `describe` tells a hovered cell; without, its point and MapCellText.
    void Show(const ChartAxis& x, std::optional<ChartMap> map, Describe describe = {});

    // The cell (an index of the map's cells) under `position`, by arithmetic
    // from the position to the grid; none outside.
    std::optional<std::size_t> CellAt(QPointF position) const;

    // Where cell `cell` lies in the view.
    QRectF CellRect(std::size_t cell) const;

    // The tooltip of the hovered cell; hidden while none is.
    const QLabel& Tip() const { return *tip_; }

signals:
    void CellHovered(const QString& text);  // empty when the pointer leaves the cells
    void PointChosen(std::size_t point);    // the sweep's point of a double-clicked cell

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QRectF PlotArea() const;
    QPointF ToView(double x, double y) const;
    void DrawCells(const QRectF& area);
    void PaintAxes(QPainter& painter, const QRectF& area) const;
    void PaintLegend(QPainter& painter, const QRectF& area) const;
    void HideTip();

    ChartAxis x_;
    std::optional<ChartMap> map_;
    Describe describe_;
    std::vector<double> xEdges_, yEdges_;
    double legendWidth_ = 0;
    QImage cells_;  // the plot area's cells and boundary, at the device's pixels
    QLabel* tip_;
    std::optional<std::size_t> hovered_;
};

}  // namespace vortane
