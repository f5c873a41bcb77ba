#pragma once

#include <QIcon>
#include <QImage>

namespace vortane {

// The section drawing, 432 x 174: a developed view of an inlet and an outlet
// channel with the barrier flight between them, their pressures, flows,
// co-ordinates, barrel velocity and widths, and a cross-section through barrel
// and screw with the depth and both clearances.
QImage SectionDrawing(qreal devicePixelRatio = 1);

// The viscosity law in black on white, 321 x 19.
QImage FormulaPicture(qreal devicePixelRatio = 1);

// The program's icon, 32 x 32 in the 16 standard colours. Drawn without text,
// so it needs no running application.
QImage IconImage(qreal devicePixelRatio = 1);

// The stock button glyphs, 18 x 18: a green check mark for OK; an open door
// under a green exit sign for Close.
QImage OkGlyph(qreal devicePixelRatio = 1);
QImage CloseGlyph(qreal devicePixelRatio = 1);

// Each picture is drawn for a device pixel ratio: its size above is in
// device-independent pixels, and the image holds that many times as many
// device pixels, so nothing is upscaled on a scaled screen.

// A blank image of `size` device-independent pixels at `devicePixelRatio`.
QImage BlankPicture(QSize size, qreal devicePixelRatio, QImage::Format format);

// An icon of a picture drawn at the ratios of common screen scalings (1, 1.5,
// 2, 3); the toolkit takes the one that fits the screen.
QIcon CrispIcon(QImage (*draw)(qreal devicePixelRatio));

}  // namespace vortane
