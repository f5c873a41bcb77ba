#include "app/guide_window.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <QTextBrowser>
#include <QVBoxLayout>

#include <algorithm>

#include "app/guide_document.h"

namespace vortane {

namespace {

const QColor CodeBackground{0xf3, 0xf3, 0xf3};
const QColor RuleColour{0xb4, 0xb4, 0xb4};

// The guide laid out for reading: a blank line's room above each section's
// heading, which Markdown as read sets flush under the text before it; code
// on a shaded ground; tables ruled with single lines, their cells padded.
void LayOutForReading(QTextDocument& document, int line) {
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        QTextBlockFormat format = block.blockFormat();
        if (format.headingLevel() >= 2) {
            format.setTopMargin(line);
            format.setBottomMargin(line / 3.0);
        } else if (format.hasProperty(QTextFormat::BlockCodeLanguage)) {
            format.setBackground(CodeBackground);
        } else {
            continue;
        }
        QTextCursor(block).setBlockFormat(format);
    }
    for (QTextFrame* frame : document.rootFrame()->childFrames())
        if (auto* table = qobject_cast<QTextTable*>(frame)) {
            QTextTableFormat format = table->format();
            format.setBorderCollapse(true);
            format.setBorder(1);
            format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
            format.setBorderBrush(RuleColour);
            format.setCellPadding(3);
            table->setFormat(format);
        }
}

}  // namespace

GuideWindow::GuideWindow(QWidget* parent)
    : QWidget(parent, Qt::Window),
      browser_(new QTextBrowser),
      back_(new QPushButton(QStringLiteral("Back"))),
      forward_(new QPushButton(QStringLiteral("Forward"))) {
    setObjectName(QStringLiteral("GuideWindow"));
    setWindowTitle(QStringLiteral("User's Guide — Vortane"));
    setAccessibleName(QStringLiteral("User's Guide"));

    browser_->setAccessibleName(QStringLiteral("User's Guide text"));
    browser_->setOpenExternalLinks(true);
    // The anchors go on the headings whenever the guide is loaded. They change
    // no text, so the document does not announce them: a change announced
    // would make the browser load the guide afresh, without them, at the next
    // link followed.
    connect(browser_, &QTextBrowser::sourceChanged, browser_, [this] {
        const QSignalBlocker quiet(browser_->document());
        MarkHeadings(*browser_->document());
        LayOutForReading(*browser_->document(), browser_->fontMetrics().lineSpacing());
    });
    browser_->setSource(GuideSource);

    back_->setAccessibleName(QStringLiteral("Back to the previous place in the guide"));
    forward_->setAccessibleName(QStringLiteral("Forward to the next place in the guide"));
    auto* contents = new QPushButton(QStringLiteral("Contents"));
    contents->setAccessibleName(QStringLiteral("Contents: the top of the guide"));
    back_->setEnabled(false);
    forward_->setEnabled(false);
    connect(back_, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward_, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(contents, &QPushButton::clicked, browser_, &QTextBrowser::home);
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QPushButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QPushButton::setEnabled);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(back_);
    buttons->addWidget(forward_);
    buttons->addWidget(contents);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(browser_, 1);

    // A page's width of text, as high as the screen allows, in its middle.
    const QRect screen = (parent != nullptr ? parent->screen() : QGuiApplication::primaryScreen())->availableGeometry();
    setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter,
                                    QSize(std::min(900, screen.width()), std::min(760, screen.height())), screen));
}

GuideWindow& ShowUserGuide(QWidget& owner) {
    auto* window = owner.findChild<GuideWindow*>(QString(), Qt::FindDirectChildrenOnly);
    if (window == nullptr) window = new GuideWindow(&owner);
    window->show();
    window->raise();
    window->activateWindow();
    return *window;
}

}  // namespace vortane
