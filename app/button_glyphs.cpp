#include <QPainter>
#include <QPolygonF>

#include "app/pictures.h"

namespace vortane {

namespace {

QImage EmptyGlyph() {
    QImage glyph(18, 18, QImage::Format_ARGB32_Premultiplied);
    glyph.fill(Qt::transparent);
    return glyph;
}

}  // namespace

QImage OkGlyph() {
    QImage glyph = EmptyGlyph();
    QPainter p(&glyph);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 128, 0), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({{3, 9}, {7, 13.5}, {15, 4}}));
    return glyph;
}

QImage CloseGlyph() {
    QImage glyph = EmptyGlyph();
    QPainter p(&glyph);
    // The exit sign.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 160, 0));
    p.drawRect(3, 0, 12, 5);
    p.setBrush(Qt::white);
    p.drawRect(5, 2, 8, 1);
    // The doorway and its frame.
    p.setPen(QColor(64, 64, 64));
    p.setBrush(Qt::black);
    p.drawRect(5, 6, 9, 11);
    // The door leaf, swung open towards the viewer.
    p.setPen(QColor(96, 48, 0));
    p.setBrush(QColor(176, 96, 16));
    p.drawPolygon(QPolygonF({{5, 6}, {10, 8}, {10, 17.5}, {5, 17}}));
    p.setPen(QColor(255, 224, 0));
    p.drawPoint(9, 12);
    return glyph;
}

}  // namespace vortane
