#include "app/map_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>
#include <cmath>

#include "app/core_text.h"
#include "app/plain_text.h"
#include "chart/chart_scale.h"

namespace vortane {

namespace {

QColor ToQColor(Colour colour) { return {colour.red, colour.green, colour.blue}; }

// The span of cell edges, low to high.
std::pair<double, double> Span(const std::vector<double>& edges) {
    return std::minmax(edges.front(), edges.back());
}

constexpr double LegendSwatch = 18;

}  // namespace

MapView::MapView(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setAccessibleName(QStringLiteral("Feasible map"));
    setMinimumSize(420, 300);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
}

void MapView::Show(const ChartAxis& x, std::optional<ChartMap> map) {
    x_ = x;
    map_ = std::move(map);
    xEdges_ = map_ ? CellEdges(map_->xValues) : std::vector<double>{};
    yEdges_ = map_ ? CellEdges(map_->yValues) : std::vector<double>{};
    if (map_ && (xEdges_.empty() || yEdges_.empty())) map_.reset();
    QString description;
    if (map_) {
        const auto feasible = std::count(map_->cells.begin(), map_->cells.end(), std::size_t{0});
        description = QStringLiteral("%1: %2 of %3 points %4")
                          .arg(FromUtf8(map_->title))
                          .arg(feasible)
                          .arg(map_->cells.size())
                          .arg(FromUtf8(map_->categories.front().label));
    }
    setAccessibleDescription(description);
    update();
}

QRectF MapView::PlotArea() const {
    const QFontMetricsF metrics(font());
    double legend = 0;
    if (map_) {
        for (const MapCategory& category : map_->categories)
            legend = std::max(legend, metrics.horizontalAdvance(FromUtf8(category.label)));
        legend = std::max(legend, metrics.horizontalAdvance(QStringLiteral("boundary of the feasible region")));
    }
    const double line = metrics.height();
    return QRectF(QPointF(line * 5.5, line * 2.5),
                  QPointF(width() - legend - LegendSwatch - line * 3, height() - line * 3.5));
}

QPointF MapView::ToView(double x, double y) const {
    const QRectF area = PlotArea();
    const auto [x0, x1] = Span(xEdges_);
    const auto [y0, y1] = Span(yEdges_);
    return {area.left() + (x - x0) / (x1 - x0) * area.width(), area.bottom() - (y - y0) / (y1 - y0) * area.height()};
}

QRectF MapView::CellRect(std::size_t cell) const {
    if (!map_ || cell >= map_->cells.size()) return {};
    const std::size_t ny = map_->yValues.size(), i = cell / ny, j = cell % ny;
    return QRectF(ToView(xEdges_[i], yEdges_[j]), ToView(xEdges_[i + 1], yEdges_[j + 1])).normalized();
}

std::optional<std::size_t> MapView::CellAt(QPointF position) const {
    if (!map_) return std::nullopt;
    for (std::size_t cell = 0; cell < map_->cells.size(); ++cell)
        if (CellRect(cell).contains(position)) return cell;
    return std::nullopt;
}

void MapView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (!map_) {
        painter.drawText(rect(), Qt::AlignCenter, QStringLiteral("A map needs a study of two inputs."));
        return;
    }
    const QRectF area = PlotArea();
    painter.setRenderHint(QPainter::Antialiasing, false);  // no seams between cells
    for (std::size_t cell = 0; cell < map_->cells.size(); ++cell)
        painter.fillRect(CellRect(cell), ToQColor(map_->categories[map_->cells[cell]].colour));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 2.5, Qt::SolidLine, Qt::SquareCap));  // segments join without notches
    for (const MapSegment& s : map_->boundary) painter.drawLine(ToView(s.x1, s.y1), ToView(s.x2, s.y2));
    PaintAxes(painter, area);
    PaintLegend(painter, area);
}

void MapView::PaintAxes(QPainter& painter, const QRectF& area) const {
    const QFontMetricsF metrics(font());
    const double line = metrics.height();
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(area);
    const auto [x0, x1] = Span(xEdges_);
    const auto [y0, y1] = Span(yEdges_);
    const double xStep = NiceScale(x0, x1).step, yStep = NiceScale(y0, y1).step;
    for (const double t : TicksWithin(x0, x1)) {
        const double at = ToView(t, y0).x();
        painter.drawLine(QPointF(at, area.bottom()), QPointF(at, area.bottom() + 5));
        const QString label = FromUtf8(TickLabel(t, xStep));
        painter.drawText(QPointF(at - metrics.horizontalAdvance(label) / 2, area.bottom() + 5 + line), label);
    }
    for (const double t : TicksWithin(y0, y1)) {
        const double at = ToView(x0, t).y();
        painter.drawLine(QPointF(area.left() - 5, at), QPointF(area.left(), at));
        const QString label = FromUtf8(TickLabel(t, yStep));
        painter.drawText(QPointF(area.left() - 8 - metrics.horizontalAdvance(label), at + metrics.ascent() / 2 - 1), label);
    }
    const QString xTitle = FromUtf8(AxisTitle(x_)), yTitle = FromUtf8(AxisTitle(map_->y));
    painter.drawText(QRectF(area.left(), area.bottom() + line * 1.6, area.width(), line * 1.5), Qt::AlignCenter, xTitle);
    painter.save();
    painter.translate(line * 1.2, area.center().y());
    painter.rotate(-90);
    painter.drawText(QRectF(-area.height() / 2, -line, area.height(), line * 1.5), Qt::AlignCenter, yTitle);
    painter.restore();
    QFont bold = font();
    bold.setBold(true);
    painter.setFont(bold);
    painter.drawText(QRectF(0, line * 0.4, width(), line * 1.5), Qt::AlignCenter, FromUtf8(map_->title));
    painter.setFont(font());
}

void MapView::PaintLegend(QPainter& painter, const QRectF& area) const {
    const double line = QFontMetricsF(font()).height() * 1.4;
    double y = area.top();
    const double left = area.right() + line;
    const auto entry = [&](const QString& label) {
        painter.setPen(Qt::black);
        painter.drawText(QPointF(left + LegendSwatch + 8, y + line * 0.55), label);
        y += line;
    };
    for (const std::size_t c : ShownCategories(*map_)) {
        painter.setPen(QColor(0x88, 0x88, 0x88));
        painter.setBrush(ToQColor(map_->categories[c].colour));
        painter.drawRect(QRectF(left, y + line * 0.1, LegendSwatch, line * 0.6));
        entry(FromUtf8(map_->categories[c].label));
    }
    if (!map_->boundary.empty()) {
        painter.setPen(QPen(Qt::black, 2.5));
        painter.drawLine(QPointF(left, y + line * 0.4), QPointF(left + LegendSwatch, y + line * 0.4));
        entry(QStringLiteral("boundary of the feasible region"));
    }
}

void MapView::mouseMoveEvent(QMouseEvent* event) {
    const std::optional<std::size_t> cell = CellAt(event->position());
    QString text;
    if (cell) {
        const std::size_t ny = map_->yValues.size();
        text = QStringLiteral("Point %1: %2")
                   .arg(map_->points[*cell] + 1)
                   .arg(FromUtf8(MapCellText(*map_, x_, *cell / ny, *cell % ny)));
        QToolTip::showText(event->globalPosition().toPoint(), PlainToolTip(text), this);
    } else {
        QToolTip::hideText();
    }
    emit CellHovered(text);
}

void MapView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (const std::optional<std::size_t> cell = CellAt(event->position())) emit PointChosen(map_->points[*cell]);
}

void MapView::leaveEvent(QEvent*) { emit CellHovered({}); }

}  // namespace vortane
