#include <QPainter>
#include <QPixmap>
#include <QPolygonF>

#include "app/pictures.h"

namespace vortane {

namespace {

QImage EmptyGlyph(qreal devicePixelRatio) {
    QImage glyph = BlankPicture({18, 18}, devicePixelRatio, QImage::Format_ARGB32_Premultiplied);
    glyph.fill(Qt::transparent);
    return glyph;
}

}  // namespace

QImage BlankPicture(QSize size, qreal devicePixelRatio, QImage::Format format) {
    QImage image((QSizeF(size) * devicePixelRatio).toSize(), format);
    image.setDevicePixelRatio(devicePixelRatio);
    return image;
}

QIcon CrispIcon(QImage (*draw)(qreal devicePixelRatio)) {
    QIcon icon;
    for (const qreal ratio : {1.0, 1.5, 2.0, 3.0}) icon.addPixmap(QPixmap::fromImage(draw(ratio)));
    return icon;
}

QImage OkGlyph(qreal devicePixelRatio) {
    QImage glyph = EmptyGlyph(devicePixelRatio);
    QPainter p(&glyph);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 128, 0), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({{3, 9}, {7, 13.5}, {15, 4}}));
    return glyph;
}

QImage CloseGlyph(qreal devicePixelRatio) {
    QImage glyph = EmptyGlyph(devicePixelRatio);
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
