#pragma once

#include <QColor>
#include <QFont>

class QWidget;

namespace vortane {

// The window's proportional Japanese interface font, `pixelSize` pixels high:
// MS P Gothic where it is installed, else IPA P Gothic, else the system's
// sans-serif. The first two carry the degree-Celsius sign of the captions.
QFont InterfaceFont(int pixelSize);

// `font`, condensed where `text` written in it would be wider than `width`:
// a caption keeps its height and the width it was laid out for in a face
// narrower than the one that stands in for it.
QFont CondensedToWidth(QFont font, const QString& text, int width);

// The colours of the captions.
inline const QColor CaptionBlue{0, 0, 255};
inline const QColor CaptionRed{255, 0, 0};
inline const QColor CaptionMaroon{128, 0, 0};

// Gives a label or caption its own text colour.
void SetTextColour(QWidget& widget, const QColor& colour);

}  // namespace vortane
