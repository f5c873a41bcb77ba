#include <QFontMetricsF>
#include <QPainter>
#include <QStringList>

#include <vector>

#include "app/pictures.h"

namespace vortane {

namespace {

// One piece of the formula: plain text, a variable in italics, a subscript or
// a superscript; a shear rate carries the dot of the time derivative.
struct Piece {
    enum Kind { Plain, Variable, Sub, Super, ShearRate };
    Kind kind;
    QString text;
};

// ln η = a0 + a1 ln γ̇ + a11 (ln γ̇)² + a2 T + a22 T² + a12 ln γ̇ T
const std::vector<Piece>& Formula() {
    using K = Piece::Kind;
    static const std::vector<Piece> pieces{
        {K::Plain, "ln "}, {K::Variable, "η"}, {K::Plain, " = "},
        {K::Variable, "a"}, {K::Sub, "0"}, {K::Plain, " + "},
        {K::Variable, "a"}, {K::Sub, "1"}, {K::Plain, " ln "}, {K::ShearRate, "γ"}, {K::Plain, " + "},
        {K::Variable, "a"}, {K::Sub, "11"}, {K::Plain, " (ln "}, {K::ShearRate, "γ"}, {K::Plain, ")"},
        {K::Super, "2"}, {K::Plain, " + "},
        {K::Variable, "a"}, {K::Sub, "2"}, {K::Plain, " "}, {K::Variable, "T"}, {K::Plain, " + "},
        {K::Variable, "a"}, {K::Sub, "22"}, {K::Plain, " "}, {K::Variable, "T"}, {K::Super, "2"},
        {K::Plain, " + "},
        {K::Variable, "a"}, {K::Sub, "12"}, {K::Plain, " ln "}, {K::ShearRate, "γ"}, {K::Plain, " "},
        {K::Variable, "T"},
    };
    return pieces;
}

QFont PieceFont(const Piece& piece, int pixelSize) {
    QFont font;
    font.setFamilies({QStringLiteral("Times New Roman"), QStringLiteral("DejaVu Serif"),
                      QStringLiteral("serif")});
    font.setStyleHint(QFont::Serif);
    const bool small = piece.kind == Piece::Sub || piece.kind == Piece::Super;
    font.setPixelSize(small ? pixelSize * 2 / 3 : pixelSize);
    font.setItalic(piece.kind == Piece::Variable || piece.kind == Piece::ShearRate);
    return font;
}

double TextWidth(int pixelSize) {
    double width = 0;
    for (const Piece& piece : Formula())
        width += QFontMetricsF(PieceFont(piece, pixelSize)).horizontalAdvance(piece.text);
    return width;
}

}  // namespace

QImage FormulaPicture(qreal devicePixelRatio) {
    constexpr QSize Size(321, 19);
    QImage image = BlankPicture(Size, devicePixelRatio, QImage::Format_RGB888);
    image.fill(Qt::white);
    // The largest size at which the whole law fits the picture.
    int pixelSize = 14;
    while (pixelSize > 8 && TextWidth(pixelSize) > Size.width() - 4) --pixelSize;

    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::black);
    p.setBrush(Qt::black);
    const double baseline = 14;
    double x = 2;
    for (const Piece& piece : Formula()) {
        const QFont font = PieceFont(piece, pixelSize);
        const QFontMetricsF metrics(font);
        const double shift = piece.kind == Piece::Sub     ? pixelSize / 4.0
                             : piece.kind == Piece::Super ? -pixelSize / 2.5
                                                          : 0;
        p.setFont(font);
        p.drawText(QPointF(x, baseline + shift), piece.text);
        const double advance = metrics.horizontalAdvance(piece.text);
        if (piece.kind == Piece::ShearRate)
            p.drawEllipse(QPointF(x + advance * 0.7, baseline - metrics.xHeight() - 2.5), 0.9, 0.9);
        x += advance;
    }
    return image;
}

}  // namespace vortane
