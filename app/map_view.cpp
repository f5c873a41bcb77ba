#include "app/map_view.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QToolTip>

#include <algorithm>
#include <cmath>

#include "app/core_text.h"
#include "case/number_format.h"
#include "chart/chart_scale.h"

namespace vortane {

namespace {

// The span of cell edges, low to high.
std::pair<double, double> Span(const std::vector<double>& edges) {
    return std::minmax(edges.front(), edges.back());
}

constexpr double LegendSwatch = 18;
constexpr int TipOffset = 16;  // from the pointer to the tooltip's corner

const QString BoundaryLabel = QStringLiteral("boundary of the feasible region");

// The label of a shaded map's ramp: the quantity, its least and greatest value.
QString ShadeLabel(const ChartMap::Shade& shade) {
    return FromUtf8(AxisTitle(shade.quantity) + ": " + SignificantText(shade.low, 4) + " to " +
                    SignificantText(shade.high, 4));
}

// An axis end's label: the first or last swept value.
QString EndLabel(double value) { return FromUtf8(SignificantText(value, 6)); }

}  // namespace

QPoint TipPosition(QPoint cursor, QSize tip, const QRect& screen) {
    int x = cursor.x() + TipOffset, y = cursor.y() + TipOffset;
    if (x + tip.width() > screen.right() + 1) x = cursor.x() - TipOffset / 4 - tip.width();
    if (y + tip.height() > screen.bottom() + 1) y = cursor.y() - TipOffset / 4 - tip.height();
    x = std::max(screen.left(), std::min(x, screen.right() + 1 - tip.width()));
    y = std::max(screen.top(), std::min(y, screen.bottom() + 1 - tip.height()));
    return {x, y};
}

MapView::MapView(QWidget* parent) : QWidget(parent), tip_(new QLabel(this, Qt::ToolTip)) {
    setMouseTracking(true);
    setAccessibleName(QStringLiteral("Feasible map"));
    setMinimumSize(420, 300);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    tip_->setAccessibleName(QStringLiteral("Map cell details"));
    tip_->setTextFormat(Qt::PlainText);
    tip_->setPalette(QToolTip::palette());
    tip_->setFont(QToolTip::font());
    tip_->setAutoFillBackground(true);
    tip_->setFrameStyle(QFrame::Box | QFrame::Plain);
    tip_->setMargin(4);
}

void MapView::Show(const ChartAxis& x, std::optional<ChartMap> map, Describe describe) {
    x_ = x;
    map_ = std::move(map);
    describe_ = std::move(describe);
    xEdges_ = map_ ? CellEdges(map_->xValues) : std::vector<double>{};
    yEdges_ = map_ ? CellEdges(map_->yValues) : std::vector<double>{};
    if (map_ && (xEdges_.empty() || yEdges_.empty())) map_.reset();
    cells_ = QImage();
    HideTip();
    QString description;
    legendWidth_ = 0;
    if (map_) {
        const auto feasible = std::count(map_->cells.begin(), map_->cells.end(), std::size_t{0});
        description = QStringLiteral("%1: %2 of %3 points %4")
                          .arg(FromUtf8(map_->title))
                          .arg(feasible)
                          .arg(map_->cells.size())
                          .arg(FromUtf8(map_->categories.front().label));
        const QFontMetricsF metrics(font());
        for (const MapCategory& category : map_->categories)
            legendWidth_ = std::max(legendWidth_, metrics.horizontalAdvance(FromUtf8(category.label)));
        legendWidth_ = std::max(legendWidth_, metrics.horizontalAdvance(BoundaryLabel));
        if (map_->shade) legendWidth_ = std::max(legendWidth_, metrics.horizontalAdvance(ShadeLabel(*map_->shade)));
    }
    setAccessibleDescription(description);
    update();
}

QRectF MapView::PlotArea() const {
    const double line = QFontMetricsF(font()).height();
    return QRectF(QPointF(line * 5.5, line * 2.5),
                  QPointF(width() - legendWidth_ - LegendSwatch - line * 3, height() - line * 3.5));
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
    const QRectF area = PlotArea();
    if (area.width() <= 0 || area.height() <= 0) return std::nullopt;
    const auto [x0, x1] = Span(xEdges_);
    const auto [y0, y1] = Span(yEdges_);
    const std::optional<std::size_t> i = CellOf(xEdges_, x0 + (position.x() - area.left()) / area.width() * (x1 - x0));
    const std::optional<std::size_t> j =
        CellOf(yEdges_, y0 + (area.bottom() - position.y()) / area.height() * (y1 - y0));
    if (!i || !j) return std::nullopt;
    return *i * map_->yValues.size() + *j;
}

// The cells as the pixels of the plot area sample them, each pixel the colour
// of the cell under its centre, and the boundary over them.
void MapView::DrawCells(const QRectF& area) {
    const qreal ratio = devicePixelRatioF();
    const int width = std::max(1, static_cast<int>(std::lround(area.width() * ratio)));
    const int height = std::max(1, static_cast<int>(std::lround(area.height() * ratio)));
    const auto [x0, x1] = Span(xEdges_);
    const auto [y0, y1] = Span(yEdges_);
    constexpr std::size_t None = static_cast<std::size_t>(-1);
    std::vector<std::size_t> columns(static_cast<std::size_t>(width)), rows(static_cast<std::size_t>(height));
    for (int px = 0; px < width; ++px)
        columns[static_cast<std::size_t>(px)] = CellOf(xEdges_, x0 + (px + 0.5) / width * (x1 - x0)).value_or(None);
    for (int py = 0; py < height; ++py)
        rows[static_cast<std::size_t>(py)] = CellOf(yEdges_, y1 - (py + 0.5) / height * (y1 - y0)).value_or(None);
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(palette().color(QPalette::Base));
    const std::size_t ny = map_->yValues.size();
    for (int py = 0; py < height; ++py) {
        const std::size_t j = rows[static_cast<std::size_t>(py)];
        if (j == None) continue;
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(py));
        for (int px = 0; px < width; ++px) {
            const std::size_t i = columns[static_cast<std::size_t>(px)];
            if (i == None) continue;
            const Colour colour = CellColour(*map_, i * ny + j);
            line[px] = qRgb(colour.red, colour.green, colour.blue);
        }
    }
    image.setDevicePixelRatio(ratio);
    if (!map_->boundary.empty()) {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(Qt::black, 2.5, Qt::SolidLine, Qt::SquareCap));  // segments join without notches
        const double left = x0, top = y1, sx = area.width() / (x1 - x0), sy = area.height() / (y1 - y0);
        const auto at = [=](double x, double y) { return QPointF((x - left) * sx, (top - y) * sy); };
        for (const MapSegment& s : map_->boundary) painter.drawLine(at(s.x1, s.y1), at(s.x2, s.y2));
    }
    cells_ = std::move(image);
}

void MapView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (!map_) {
        painter.drawText(rect(), Qt::AlignCenter, QStringLiteral("A map needs a study of two inputs."));
        return;
    }
    const QRectF area = PlotArea();
    if (area.width() < 1 || area.height() < 1) return;
    const qreal ratio = devicePixelRatioF();
    if (cells_.isNull() || cells_.devicePixelRatio() != ratio ||
        cells_.width() != std::max(1, static_cast<int>(std::lround(area.width() * ratio))) ||
        cells_.height() != std::max(1, static_cast<int>(std::lround(area.height() * ratio))))
        DrawCells(area);
    painter.drawImage(area, cells_);
    PaintAxes(painter, area);
    PaintLegend(painter, area);
}

void MapView::PaintAxes(QPainter& painter, const QRectF& area) const {
    const QFontMetricsF metrics(font());
    const double line = metrics.height(), gap = metrics.horizontalAdvance(QLatin1Char(' '));
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(area);
    const auto [x0, x1] = Span(xEdges_);
    const auto [y0, y1] = Span(yEdges_);
    // The first and last swept values are always marked; round ticks between
    // them where their labels clear the ends' and each other's.
    const auto [xFirst, xLast] = std::minmax(map_->xValues.front(), map_->xValues.back());
    const auto [yFirst, yLast] = std::minmax(map_->yValues.front(), map_->yValues.back());
    const double xStep = NiceScale(x0, x1).step, yStep = NiceScale(y0, y1).step;
    std::vector<std::pair<double, QString>> xTicks{{xFirst, EndLabel(xFirst)}}, yTicks{{yFirst, EndLabel(yFirst)}};
    if (xLast > xFirst) xTicks.emplace_back(xLast, EndLabel(xLast));
    if (yLast > yFirst) yTicks.emplace_back(yLast, EndLabel(yLast));
    const auto xSpan = [&](double at, const QString& label) {
        const double half = metrics.horizontalAdvance(label) / 2 + gap;
        return std::pair{at - half, at + half};
    };
    const auto ySpan = [&](double at) { return std::pair{at - line / 2 - 1, at + line / 2 + 1}; };
    const auto clear = [](const std::vector<std::pair<double, double>>& taken, std::pair<double, double> span) {
        return std::none_of(taken.begin(), taken.end(), [&](const std::pair<double, double>& t) {
            return span.first < t.second && t.first < span.second;
        });
    };
    std::vector<std::pair<double, double>> taken;
    taken.reserve(xTicks.size());
    for (const auto& [t, label] : xTicks) taken.push_back(xSpan(ToView(t, y0).x(), label));
    for (const double t : TicksWithin(x0, x1)) {
        const QString label = FromUtf8(TickLabel(t, xStep));
        const auto span = xSpan(ToView(t, y0).x(), label);
        if (!clear(taken, span)) continue;
        taken.push_back(span);
        xTicks.emplace_back(t, label);
    }
    taken.clear();
    for (const auto& tick : yTicks) taken.push_back(ySpan(ToView(x0, tick.first).y()));
    for (const double t : TicksWithin(y0, y1)) {
        const auto span = ySpan(ToView(x0, t).y());
        if (!clear(taken, span)) continue;
        taken.push_back(span);
        yTicks.emplace_back(t, FromUtf8(TickLabel(t, yStep)));
    }
    for (const auto& [t, label] : xTicks) {
        const double at = ToView(t, y0).x();
        painter.drawLine(QPointF(at, area.bottom()), QPointF(at, area.bottom() + 5));
        painter.drawText(QPointF(at - metrics.horizontalAdvance(label) / 2, area.bottom() + 5 + line), label);
    }
    for (const auto& [t, label] : yTicks) {
        const double at = ToView(x0, t).y();
        painter.drawLine(QPointF(area.left() - 5, at), QPointF(area.left(), at));
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
    if (map_->shade) {  // the ramp, least value at the bottom
        const QRectF swatch(left, y + line * 0.1, LegendSwatch, line * 2.6);
        QLinearGradient ramp(swatch.bottomLeft(), swatch.topLeft());
        for (const double t : {0.0, 0.25, 0.5, 0.75, 1.0}) ramp.setColorAt(t, ToQColor(RampColour(t)));
        painter.setPen(QColor(0x88, 0x88, 0x88));
        painter.setBrush(ramp);
        painter.drawRect(swatch);
        y += line;
        entry(ShadeLabel(*map_->shade));
        y += line;
    }
    if (!map_->boundary.empty()) {
        painter.setPen(QPen(Qt::black, 2.5));
        painter.drawLine(QPointF(left, y + line * 0.4), QPointF(left + LegendSwatch, y + line * 0.4));
        entry(BoundaryLabel);
    }
}

void MapView::mouseMoveEvent(QMouseEvent* event) {
    const std::optional<std::size_t> cell = CellAt(event->position());
    if (!cell) {
        if (hovered_) HideTip();
        return;
    }
    if (cell != hovered_) {
        hovered_ = cell;
        const std::size_t ny = map_->yValues.size();
        const QString text = describe_ ? describe_(*map_, *cell)
                                       : QStringLiteral("Point %1: %2")
                                             .arg(map_->points[*cell] + 1)
                                             .arg(FromUtf8(MapCellText(*map_, x_, *cell / ny, *cell % ny)));
        tip_->setText(text);
        tip_->ensurePolished();
        tip_->adjustSize();
        emit CellHovered(text);
    }
    const QPoint global = event->globalPosition().toPoint();
    const QScreen* screen = QGuiApplication::screenAt(global);
    if (!screen) screen = this->screen();
    tip_->show();  // shown first: its size is final only once polished for the screen
    tip_->move(TipPosition(global, tip_->frameGeometry().size(), screen->availableGeometry()));
}

void MapView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (const std::optional<std::size_t> cell = CellAt(event->position())) emit PointChosen(map_->points[*cell]);
}

void MapView::HideTip() {
    tip_->hide();
    if (hovered_) {
        hovered_.reset();
        emit CellHovered({});
    }
}

void MapView::leaveEvent(QEvent*) { HideTip(); }

void MapView::hideEvent(QHideEvent*) { HideTip(); }

}  // namespace vortane
