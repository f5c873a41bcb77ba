#include "app/screen_fit.h"

#include <QLineEdit>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QWidget>

#include <algorithm>
#include <vector>

namespace vortane {

const QString WidestFigure = QStringLiteral("-8.88888e-308");
const QString WidestRoundTrip = QStringLiteral("-8.8888888888888888e-308");

namespace {

QMargins MarginsBetween(const QRect& frame, const QRect& client) {
    return {client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
            frame.bottom() - client.bottom()};
}

// The screen's available area, less the frame: where the client area may go.
QRect Room(const QWidget& window) {
    const QScreen* screen = window.screen();
    return screen == nullptr ? QRect() : screen->availableGeometry() - FrameOf(window);
}

// `area` moved the least to lie within `screen`, its top-left kept where it
// does not fit.
QRect WithinScreen(QRect area, const QRect& screen) {
    area.moveRight(std::min(area.right(), screen.right()));
    area.moveBottom(std::min(area.bottom(), screen.bottom()));
    area.moveLeft(std::max(area.left(), screen.left()));
    area.moveTop(std::max(area.top(), screen.top()));
    return area;
}

}  // namespace

QMargins FrameOf(const QWidget& window) {
    if (window.isVisible()) return MarginsBetween(window.frameGeometry(), window.geometry());
    const QWidget* owner = window.parentWidget() != nullptr ? window.parentWidget()->window() : nullptr;
    if (owner != nullptr && owner->isVisible()) return MarginsBetween(owner->frameGeometry(), owner->geometry());
    return {};
}

QPoint BesidePosition(const QRect& main, const QRect& keep, QSize size, const QMargins& frame, const QRect& screen) {
    const QSize outer = size.grownBy(frame);
    // Of `keep`, then of the rest of `main`: the first outweighs the second.
    const auto covered = [&main, &keep](const QRect& area) {
        const auto of = [&area](const QRect& part) {
            const QRect common = area.intersected(part);
            return static_cast<long long>(common.width()) * common.height();
        };
        return of(keep) * (static_cast<long long>(main.width()) * main.height() + 1) + of(main);
    };
    // Right, then left, of the main window, level with its top; then the
    // screen's corners and edges, whichever hides least of it.
    const int right = main.right() + 1;
    const int left = main.left() - outer.width();
    std::vector<QRect> places{QRect(QPoint(right, main.top()), outer), QRect(QPoint(left, main.top()), outer)};
    for (const int x : {screen.left(), screen.right() + 1 - outer.width()})
        for (const int y : {screen.top(), main.top(), screen.bottom() + 1 - outer.height()})
            places.emplace_back(QPoint(x, y), outer);
    QRect best;
    long long least = -1;
    for (const QRect& place : places) {
        const QRect shown = WithinScreen(place, screen);
        const long long hidden = covered(shown);
        if (least < 0 || hidden < least) {
            best = shown;
            least = hidden;
        }
        if (least == 0) break;
    }
    return best.topLeft() + QPoint(frame.left(), frame.top());
}

void FitOnScreen(QWidget& window, QSize wanted) {
    const QRect room = Room(window);
    if (room.isEmpty()) {
        window.resize(wanted);
        return;
    }
    window.resize(wanted.boundedTo(room.size()).expandedTo(window.minimumSize()));
    window.move(WithinScreen(window.frameGeometry(), window.screen()->availableGeometry()).topLeft());
}

void PlaceBeside(QWidget& window, const QWidget& main, const QWidget& keep, QSize wanted, int least) {
    FitOnScreen(window, wanted);
    const QScreen* screen = main.screen();
    if (screen == nullptr) return;
    const QMargins frame = FrameOf(window);
    const QRect kept(keep.mapToGlobal(QPoint(0, 0)), keep.size());
    // Narrower, down to what its content needs, to stand right of the main
    // window, or at least right of `keep`.
    const QRect room = screen->availableGeometry();
    for (const int right : {main.frameGeometry().right(), kept.right()}) {
        const int width = room.right() - right - frame.left() - frame.right();
        if (window.width() <= width) break;
        if (least <= width) {
            window.resize(width, window.height());
            break;
        }
    }
    const QPoint client =
        BesidePosition(main.frameGeometry(), kept, window.size(), frame, screen->availableGeometry());
    window.move(client - QPoint(frame.left(), frame.top()));
}

QScrollArea* Scrolling(QWidget* content) {
    auto* area = new QScrollArea;
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(true);
    area->setWidget(content);
    return area;
}

int WidthToShow(const QLineEdit& edit, const QString& text) {
    // As QLineEdit::sizeHint reckons it: the text, the edit's two-pixel
    // margins and its text margins, then the style's frame round them.
    constexpr int HorizontalMargin = 2;
    const QMargins margins = edit.textMargins() + edit.contentsMargins();
    const int width =
        edit.fontMetrics().horizontalAdvance(text) + 2 * HorizontalMargin + margins.left() + margins.right();
    QStyleOptionFrame option;
    option.initFrom(&edit);
    option.lineWidth = edit.hasFrame() ? edit.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &edit) : 0;
    return edit.style()->sizeFromContents(QStyle::CT_LineEdit, &option, QSize(width, edit.sizeHint().height()), &edit)
        .width();
}

}  // namespace vortane
