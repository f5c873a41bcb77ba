#include <QPainter>
#include <QPolygon>

#include "app/pictures.h"

namespace vortane {

namespace {

// The 16 colours of the standard palette.
const QList<QRgb> StandardColours{
    qRgb(0, 0, 0),     qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
    qRgb(0, 0, 128),   qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
    qRgb(128, 128, 128), qRgb(255, 0, 0), qRgb(0, 255, 0),   qRgb(255, 255, 0),
    qRgb(0, 0, 255),   qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255),
};

// A band across the icon, falling to the right, `top` pixels down at the left
// edge and `height` pixels high.
QPolygon IconBand(int top, int height) {
    return QPolygon({{0, top}, {32, top + 15}, {32, top + 15 + height}, {0, top + height}});
}

}  // namespace

QImage IconImage(qreal devicePixelRatio) {
    // A small developed view: the inlet and outlet channels with the barrier
    // flight between them, and the melt crossing it.
    QImage image = BlankPicture({32, 32}, devicePixelRatio, QImage::Format_RGB32);
    image.fill(QColor(255, 255, 0));
    {
        QPainter p(&image);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(128, 128, 128));
        p.drawPolygon(IconBand(-6, 4));
        p.drawPolygon(IconBand(22, 4));
        p.setBrush(QColor(0, 255, 255));
        p.drawPolygon(IconBand(-2, 10));
        p.drawPolygon(IconBand(12, 10));
        p.setBrush(QColor(192, 192, 192));
        p.drawPolygon(IconBand(8, 4));
        p.setBrush(QColor(255, 0, 0));
        p.drawRect(13, 9, 3, 11);
        p.drawPolygon(QPolygon({{10, 19}, {19, 19}, {14, 25}}));
        p.setPen(QColor(0, 0, 128));
        p.setBrush(Qt::NoBrush);
        p.drawRect(0, 0, 31, 31);
    }
    return image.convertToFormat(QImage::Format_Indexed8, StandardColours, Qt::ThresholdDither);
}

}  // namespace vortane
