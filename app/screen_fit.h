#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

class QLineEdit;
class QScrollArea;
class QWidget;

namespace vortane {

// Windows within their screen, whatever its size and scale: a window is never
// larger than the room on its screen; what is taller than that scrolls inside.

// The frame the window system draws round `window`: its own once shown, else
// that of the window it belongs to, else none.
QMargins FrameOf(const QWidget& window);

// Where a window of `size` (its frame `frame` round it) stands beside `main`
// (a frame geometry) on `screen`: right of it when there is room, else left of
// it, else wherever on the screen it covers least of `keep` (the part of
// `main` to keep in view), then of `main`; always wholly on the screen,
// top-left first where it is larger. The client area's top-left corner.
QPoint BesidePosition(const QRect& main, const QRect& keep, QSize size, const QMargins& frame, const QRect& screen);

// Resizes `window` to `wanted`, no larger than the room its screen leaves, and
// moves it wholly onto that screen.
void FitOnScreen(QWidget& window, QSize wanted);

// FitOnScreen, then the window beside `main` by BesidePosition, clear of
// `keep` (a widget of `main`) where it can be: made narrower, down to its
// content's least width `least`, where that puts it right of `main` or of `keep`.
void PlaceBeside(QWidget& window, const QWidget& main, const QWidget& keep, QSize wanted, int least);

// `content` in a frameless scroll area that fills the room it is given and
// scrolls when the content is taller or wider than that.
QScrollArea* Scrolling(QWidget* content);

// The width `edit` needs to show `text` whole, in its own font and style.
int WidthToShow(const QLineEdit& edit, const QString& text);
// The widest text Figure writes (six significant digits) and the widest
// shortest round-trip text of a number (seventeen), as samples for WidthToShow.
extern const QString WidestFigure;
extern const QString WidestRoundTrip;

}  // namespace vortane
