#pragma once

#include <QUrl>
#include <QWidget>

class QPushButton;
class QTextBrowser;

namespace vortane {

// Where the User's Guide is compiled in (docs/guide.md as a Qt resource).
inline const QUrl GuideSource{QStringLiteral("qrc:/guide/guide.md")};

// The User's Guide in a window of the program: the Markdown shown by a text
// browser whose headings carry the anchors the guide's links name, so that
// its table of contents and cross-references scroll to their sections. Back
// and Forward (Alt+Left, Alt+Right) retrace the links followed, Contents
// returns to the top. A link out of the guide opens in the desktop's browser.
class GuideWindow final : public QWidget {
    Q_OBJECT

public:
    explicit GuideWindow(QWidget* parent = nullptr);

    QTextBrowser& Browser() const { return *browser_; }

private:
    QTextBrowser* browser_;
    QPushButton* back_;
    QPushButton* forward_;
};

// Help > User's Guide: the one guide window of `owner`, made the first time,
// shown and raised.
GuideWindow& ShowUserGuide(QWidget& owner);

}  // namespace vortane
