#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <cmath>
#include <numbers>

#include "app/interface_style.h"
#include "app/pictures.h"

namespace vortane {

namespace {

const QColor Ground(255, 255, 214);
const QColor Melt(214, 236, 255);
const QColor MainFlight(112, 112, 112);
const QColor BarrierFlight(176, 176, 176);
const QColor CrossFlow(255, 128, 0);
const QColor Velocity(0, 0, 176);

// The developed view: the channels run at Angle to the screw axis (drawn
// horizontal) between the section's ends at Start and End; Top is where the
// upper edge meets the start.
const double AngleDegrees = 20;
const double Angle = AngleDegrees * std::numbers::pi / 180;
const double Start = 44;
const double End = 236;
const double Top = 22;

// Offsets across the channels of the edges, from the upper edge down: main
// flight b2, inlet channel W1, barrier flight b1, outlet channel W2, main
// flight b2.
const double MainFlightInlet = 6;
const double InletBarrier = 30;
const double BarrierOutlet = 39;
const double OutletMainFlight = 63;
const double LowerEdge = 69;

// Unit vectors down the channels and across them, from the inlet channel
// towards the outlet channel.
const QPointF Along(std::cos(Angle), std::sin(Angle));
const QPointF Across(-std::sin(Angle), std::cos(Angle));

// The point `along` the channels from the upper edge's start and `across` them.
QPointF At(double along, double across) { return QPointF(Start, Top) + along * Along + across * Across; }

// Where the edge `across` the channels crosses the axial position x.
QPointF EdgeAt(double across, double x) {
    return {x, Top + across / std::cos(Angle) + (x - Start) * std::tan(Angle)};
}

// The band between two edges, cut square to the axis at both ends.
QPolygonF Band(double from, double to) {
    return QPolygonF({EdgeAt(from, Start), EdgeAt(from, End), EdgeAt(to, End), EdgeAt(to, Start)});
}

void ArrowHead(QPainter& p, QPointF from, QPointF to, double size) {
    const QPointF d = to - from;
    const double length = std::hypot(d.x(), d.y());
    const QPointF u = d / length;
    const QPointF n(-u.y(), u.x());
    p.save();
    p.setBrush(p.pen().color());
    p.setPen(Qt::NoPen);
    p.drawPolygon(QPolygonF({to, to - size * u + size * 0.45 * n, to - size * u - size * 0.45 * n}));
    p.restore();
}

void Arrow(QPainter& p, QPointF from, QPointF to, double head = 5) {
    p.drawLine(from, to);
    ArrowHead(p, from, to, head);
}

void DoubleArrow(QPainter& p, QPointF from, QPointF to) {
    p.drawLine(from, to);
    ArrowHead(p, from, to, 4);
    ArrowHead(p, to, from, 4);
}

// A symbol with an optional subscript, written from its baseline.
void Symbol(QPainter& p, QPointF baseline, const QString& symbol, const QString& subscript = {}) {
    p.setFont(InterfaceFont(11));
    p.drawText(baseline, symbol);
    if (subscript.isEmpty()) return;
    const double width = p.fontMetrics().horizontalAdvance(symbol);
    p.setFont(InterfaceFont(8));
    p.drawText(baseline + QPointF(width, 3), subscript);
}

// Text along the channels, centred on `centre`.
void AlongChannel(QPainter& p, QPointF centre, const QString& text) {
    p.save();
    p.translate(centre);
    p.rotate(AngleDegrees);
    p.setFont(InterfaceFont(10));
    const QRectF box(-40, -7, 80, 14);
    p.drawText(box, Qt::AlignCenter, text);
    p.restore();
}

void DrawChannels(QPainter& p) {
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(MainFlight);
    p.drawPolygon(Band(0, MainFlightInlet));
    p.drawPolygon(Band(OutletMainFlight, LowerEdge));
    p.setBrush(Melt);
    p.drawPolygon(Band(MainFlightInlet, InletBarrier));
    p.drawPolygon(Band(BarrierOutlet, OutletMainFlight));
    p.setBrush(BarrierFlight);
    p.drawPolygon(Band(InletBarrier, BarrierOutlet));

    // The inlet channel is closed at its end, the outlet channel at its start.
    p.setPen(QPen(Qt::black, 3, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(EdgeAt(MainFlightInlet, End), EdgeAt(InletBarrier, End));
    p.drawLine(EdgeAt(BarrierOutlet, Start), EdgeAt(OutletMainFlight, Start));

    p.setPen(Qt::black);
    AlongChannel(p, At(136, 18), QStringLiteral("Inlet channel"));
    AlongChannel(p, At(140, 51), QStringLiteral("Outlet channel"));
}

void DrawFlows(QPainter& p) {
    // Melt enters the inlet channel at its start and leaves the outlet channel
    // at its end, crossing the barrier flight on the way.
    p.setPen(QPen(Qt::black, 1.5));
    const double inletMiddle = EdgeAt((MainFlightInlet + InletBarrier) / 2, Start).y();
    Arrow(p, {4, inletMiddle}, {Start + 10, inletMiddle});
    const double outletMiddle = EdgeAt((BarrierOutlet + OutletMainFlight) / 2, End).y();
    Arrow(p, {End - 10, outletMiddle}, {End + 30, outletMiddle});

    p.setPen(QPen(CrossFlow, 3));
    Arrow(p, At(94, 19), At(94, 52), 8);

    p.setPen(Qt::black);
    Symbol(p, {6, inletMiddle - 4}, QStringLiteral("Q(0)"));
    Symbol(p, {Start + 3, inletMiddle + 12}, QStringLiteral("P(0)"));
    Symbol(p, {Start + 5, EdgeAt(OutletMainFlight, Start).y() - 5}, QStringLiteral("P*(0)"));
    Symbol(p, {End - 28, EdgeAt(InletBarrier, End).y() - 22}, QStringLiteral("P(1)"));
    Symbol(p, {End - 33, outletMiddle - 6}, QStringLiteral("P*(1)"));
    Symbol(p, {End + 8, outletMiddle + 13}, QStringLiteral("Q(0)"));
}

void DrawCoordinates(QPainter& p) {
    // z along and x across the channel, at the inlet channel's start.
    p.setPen(QPen(Qt::black, 1));
    const QPointF origin = At(45, 10);
    Arrow(p, origin, At(75, 10), 4);
    Arrow(p, origin, At(45, 26), 4);
    Symbol(p, At(75, 10) + QPointF(-4, 12), QStringLiteral("z"));
    Symbol(p, At(45, 26) + QPointF(4, 2), QStringLiteral("x"));
}

void DrawBarrelVelocity(QPainter& p) {
    // The barrel moves round the screw, across the axis; Vbz drags the melt
    // down the channel, Vbx across it over the barrier flight.
    const double speed = 34;
    const QPointF origin(208, 13);
    const QPointF tip = origin + QPointF(0, speed);
    const QPointF across = origin + speed * std::cos(Angle) * Across;
    p.setPen(QPen(Velocity, 1.5));
    Arrow(p, origin, tip);
    Arrow(p, origin, across, 4);
    Arrow(p, across, tip, 4);
    Symbol(p, {211, 34}, QStringLiteral("V"), QStringLiteral("b"));
    Symbol(p, {180, 32}, QStringLiteral("V"), QStringLiteral("bx"));
    Symbol(p, {193, 58}, QStringLiteral("V"), QStringLiteral("bz"));
}

void DrawLengthAndAngle(QPainter& p) {
    p.setPen(QPen(Qt::black, 1));
    p.drawLine(QPointF(Start, 3), QPointF(Start, Top - 2));
    p.drawLine(QPointF(End, 3), EdgeAt(0, End) - QPointF(0, 2));
    DoubleArrow(p, {Start, 8}, {End, 8});
    Symbol(p, {(Start + End) / 2 - 3, 20}, QStringLiteral("L"));

    // The channel angle, from the axial direction to the upper edge.
    const QPointF vertex = EdgeAt(0, 100);
    p.setPen(QPen(Qt::black, 1, Qt::DashLine));
    p.drawLine(vertex, vertex + QPointF(50, 0));
    p.setPen(QPen(Qt::black, 1));
    const double radius = 30;
    p.drawArc(QRectF(vertex - QPointF(radius, radius), QSizeF(2 * radius, 2 * radius)), 0,
              -static_cast<int>(AngleDegrees * 16));
    Symbol(p, vertex + QPointF(radius + 3, 9), QStringLiteral("φ"));
}

struct Width {
    double to;  // the edge that ends it
    QString symbol;
    QString subscript;
};

// Widths dimensioned across the channels at the section's end at x, starting
// from the edge `from` there: thin lines extend the edges to the dimension
// line, which has a tick at each edge and each width's symbol beside it.
void DrawWidths(QPainter& p, double x, double from, std::initializer_list<Width> widths,
                QPointF labelOffset) {
    const QPointF base = EdgeAt(from, x);
    auto tick = [&](double edge) { return base + (edge - from) * Across; };
    p.setPen(QPen(Qt::black, 1));
    double at = from;
    for (const Width& width : widths) {
        p.drawLine(EdgeAt(width.to, x), tick(width.to));
        p.drawLine(tick(at), tick(width.to));
        p.drawLine(tick(width.to) - 2 * Along, tick(width.to) + 2 * Along);
        Symbol(p, (tick(at) + tick(width.to)) / 2 + labelOffset, width.symbol, width.subscript);
        at = width.to;
    }
    p.drawLine(base - 2 * Along, base + 2 * Along);
}

void DrawDimensions(QPainter& p) {
    // b2 and W1 past the closed end of the inlet channel, b1 and W2 before the
    // closed start of the outlet channel.
    DrawWidths(p, End, InletBarrier,
               {{MainFlightInlet, QStringLiteral("W"), QStringLiteral("1")},
                {0, QStringLiteral("b"), QStringLiteral("2")}},
               {5, 5});
    DrawWidths(p, Start, InletBarrier,
               {{BarrierOutlet, QStringLiteral("b"), QStringLiteral("1")},
                {OutletMainFlight, QStringLiteral("W"), QStringLiteral("2")}},
               {-19, 4});
}

// The cross-section through barrel and screw, across the channels: a main
// flight b2 with the narrow clearance δ2, the inlet channel, the barrier flight
// b1 with the wider clearance δ1, the outlet channel, the next main flight.
void DrawCrossSection(QPainter& p) {
    const double left = 300;
    const double right = 432;
    const double barrelOuter = 30;
    const double barrel = 44;   // the barrel surface
    const double bottom = 90;   // the channel bottom, H below the barrel
    const double body = 110;    // the cut through the screw body
    const double radius = 8;    // the bottom corners
    const double delta1 = 6;
    const double delta2 = 2;

    p.setPen(Qt::NoPen);
    p.setBrush(Melt);
    p.drawRect(QRectF(left, barrel, right - left, body - barrel));

    // The screw's surface from left to right: flight tops and channel bottoms.
    QPainterPath screw(QPointF(left, barrel + delta2));
    auto channel = [&](double from, double to, double nextTop) {
        screw.lineTo(from, bottom - radius);
        screw.arcTo(QRectF(from, bottom - 2 * radius, 2 * radius, 2 * radius), 180, 90);
        screw.lineTo(to - radius, bottom);
        screw.arcTo(QRectF(to - 2 * radius, bottom - 2 * radius, 2 * radius, 2 * radius), 270, 90);
        screw.lineTo(to, nextTop);
    };
    screw.lineTo(308, barrel + delta2);
    channel(308, 348, barrel + delta1);
    screw.lineTo(360, barrel + delta1);
    channel(360, 400, barrel + delta2);
    screw.lineTo(410, barrel + delta2);
    channel(410, 450, barrel + delta2);
    screw.lineTo(right, body);
    screw.lineTo(left, body);
    screw.closeSubpath();

    const QRectF barrelWall(left, barrelOuter, right - left, barrel - barrelOuter);
    for (const QBrush& brush : {QBrush(Qt::white), QBrush(Qt::black, Qt::BDiagPattern)}) {
        p.setBrush(brush);
        p.drawRect(barrelWall);
        p.drawPath(screw);
    }
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(screw);
    p.drawLine(QPointF(left, barrel), QPointF(right, barrel));
    p.drawLine(QPointF(left, barrelOuter), QPointF(right, barrelOuter));

    DoubleArrow(p, {334, barrel}, {334, bottom});
    Symbol(p, {337, 72}, QStringLiteral("H"));
    p.drawLine(QPointF(313, 53), QPointF(306, barrel + 1));
    Symbol(p, {312, 63}, QStringLiteral("δ"), QStringLiteral("2"));
    p.drawLine(QPointF(365, 56), QPointF(356, barrel + 3));
    Symbol(p, {364, 66}, QStringLiteral("δ"), QStringLiteral("1"));
    p.setFont(InterfaceFont(10));
    p.drawText(QPointF(340, 26), QStringLiteral("Barrel"));
    p.drawText(QPointF(342, 123), QStringLiteral("Screw"));
    p.drawText(QPointF(330, 142), QStringLiteral("Cross section"));
}

}  // namespace

QImage SectionDrawing(qreal devicePixelRatio) {
    QImage image = BlankPicture({432, 174}, devicePixelRatio, QImage::Format_RGB888);
    image.fill(Ground);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    DrawChannels(p);
    DrawDimensions(p);
    DrawFlows(p);
    DrawCoordinates(p);
    DrawBarrelVelocity(p);
    DrawLengthAndAngle(p);
    DrawCrossSection(p);
    return image;
}

}  // namespace vortane
