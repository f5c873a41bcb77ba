// Renders the scalable icon as the PNG files of the desktop entry:
//   vortane_icon_writer ICON.svg DIR SIZE...
// writes DIR/<SIZE>x<SIZE>/vortane.png for each size.
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>
#include <cstdio>

namespace {

int Fail(const QString& message) {
    std::fprintf(stderr, "vortane_icon_writer: %s\n", qPrintable(message));
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fputs("usage: vortane_icon_writer ICON.svg DIR SIZE...\n", stderr);
        return 2;
    }
    const QString svg = QString::fromLocal8Bit(argv[1]);
    QSvgRenderer renderer(svg);
    if (!renderer.isValid()) return Fail(QStringLiteral("cannot read %1").arg(svg));

    const QDir dir(QString::fromLocal8Bit(argv[2]));
    for (int i = 3; i < argc; ++i) {
        bool ok = false;
        const int size = QString::fromLocal8Bit(argv[i]).toInt(&ok);
        if (!ok || size < 1 || size > 1024) {
            std::fprintf(stderr, "vortane_icon_writer: bad size %s\n", argv[i]);
            return 2;
        }
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            renderer.render(&painter, QRectF(0, 0, size, size));
        }
        const QString sub = QStringLiteral("%1x%1").arg(size);
        const QString file = dir.filePath(sub + QStringLiteral("/vortane.png"));
        if (!dir.mkpath(sub) || !image.save(file, "PNG"))
            return Fail(QStringLiteral("cannot write %1").arg(file));
    }
    return 0;
}
