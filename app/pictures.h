#pragma once

#include <QImage>

namespace vortane {

// The section drawing, 432 x 174: a developed view of an inlet and an outlet
// channel with the barrier flight between them, their pressures, flows,
// co-ordinates, barrel velocity and widths, and a cross-section through barrel
// and screw with the depth and both clearances.
QImage SectionDrawing();

// The viscosity law in black on white, 321 x 19.
QImage FormulaPicture();

// The program's icon, 32 x 32 in the 16 standard colours. Drawn without text,
// so it needs no running application.
QImage IconImage();

// The stock button glyphs, 18 x 18: a green check mark for OK; an open door
// under a green exit sign for Close.
QImage OkGlyph();
QImage CloseGlyph();

}  // namespace vortane
