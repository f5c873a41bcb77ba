// The User's Guide: the window Help opens, its links, and the HTML copy the
// package carries.
#include <QAction>
#include <QFile>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSet>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>

#include <algorithm>
#include <vector>

#include "app/guide_document.h"
#include "app/guide_window.h"
#include "program.h"

namespace vortane::testing {

namespace {

struct Heading {
    int level;
    QString text;
    bool operator==(const Heading&) const = default;
};

QString ReadText(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll());
}

// The headings of the guide's Markdown, read from its source line by line,
// apart from the reader under test.
std::vector<Heading> SourceHeadings() {
    static const QRegularExpression atx(QStringLiteral("^(#{1,6}) +(.*?)[ #]*$"));
    std::vector<Heading> headings;
    bool fenced = false;
    for (const QString& line : ReadText(QStringLiteral(VORTANE_SOURCE_GUIDE)).split(u'\n')) {
        if (line.startsWith(QStringLiteral("```"))) fenced = !fenced;
        if (const auto match = atx.match(line); !fenced && match.hasMatch())
            headings.push_back({static_cast<int>(match.capturedLength(1)), match.captured(2)});
    }
    return headings;
}

std::vector<Heading> DocumentHeadings(const QTextDocument& document) {
    std::vector<Heading> headings;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        if (const int level = block.blockFormat().headingLevel(); level > 0) headings.push_back({level, block.text()});
    return headings;
}

// A link of the document: where it is and where it points.
struct Link {
    int position;
    QString href;
};

std::vector<Link> InternalLinks(const QTextDocument& document) {
    std::vector<Link> links;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QString href = it.fragment().charFormat().anchorHref();
            if (href.startsWith(u'#')) links.push_back({it.fragment().position() + 1, href});
        }
    return links;
}

QTextBlock HeadingBlock(const QTextDocument& document, const QString& anchor) {
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        if (block.blockFormat().headingLevel() > 0 &&
            block.begin().fragment().charFormat().anchorNames().contains(anchor))
            return block;
    return {};
}

GuideWindow* OpenGuide(const Program& program) {
    program.form1->findChild<QAction*>(QStringLiteral("UserGuideAction"))->trigger();
    return program.form1->findChild<GuideWindow*>();
}

}  // namespace

class GuideTest : public QObject {
    Q_OBJECT

private slots:
    // Help > User's Guide shows the guide compiled into the program, in one
    // window of its own that a second request raises again.
    void helpShowsTheGuideInAWindow() {
        Program program;
        QVERIFY(program.Show());
        const auto* action = program.form1->findChild<QAction*>(QStringLiteral("UserGuideAction"));
        QVERIFY(action != nullptr);
        QCOMPARE(action->text(), QStringLiteral("User's &Guide"));
        QMenu* help = nullptr;
        for (QMenu* menu : program.Find<QWidget>(QStringLiteral("MenuBar"))->findChildren<QMenu*>())
            if (menu->title() == QStringLiteral("&Help")) help = menu;
        QVERIFY(help != nullptr && help->actions().contains(action));
        QVERIFY(program.form1->findChild<GuideWindow*>() == nullptr);  // made when first asked for

        GuideWindow* guide = OpenGuide(program);
        QVERIFY(guide != nullptr);
        QVERIFY(guide->isVisible() && guide->isWindow());
        QCOMPARE(guide->accessibleName(), QStringLiteral("User's Guide"));
        QCOMPARE(guide->Browser().accessibleName(), QStringLiteral("User's Guide text"));
        QCOMPARE(guide->Browser().source(), GuideSource);

        const std::vector<Heading> headings = SourceHeadings();
        QVERIFY(headings.size() > 10);
        QVERIFY(DocumentHeadings(*guide->Browser().document()) == headings);
        for (const QString& section : {QStringLiteral("Goal Seek"), QStringLiteral("Optimise"),
                                       QStringLiteral("Limits and feasibility"), QStringLiteral("The Study"),
                                       QStringLiteral("The feasible map")})
            QVERIFY2(std::find(headings.begin(), headings.end(), Heading{2, section}) != headings.end(),
                     qPrintable(section));

        guide->close();
        QCOMPARE(OpenGuide(program), guide);
        QVERIFY(guide->isVisible());
        QCOMPARE(program.form1->findChildren<GuideWindow*>().size(), 1);
    }

    // Every link within the guide names a heading; a click on each entry of
    // the contents brings its section to the top; Back and Forward retrace.
    void linksScrollToTheirSections() {
        Program program;
        QVERIFY(program.Show());
        GuideWindow* guide = OpenGuide(program);
        QVERIFY(QTest::qWaitForWindowExposed(guide));
        QTextBrowser& browser = guide->Browser();
        const QTextDocument& document = *browser.document();

        const std::vector<Link> links = InternalLinks(document);
        QVERIFY(links.size() > 10);
        for (const Link& link : links)
            QVERIFY2(HeadingBlock(document, link.href.mid(1)).isValid(), qPrintable(link.href));

        const QTextBlock contents = HeadingBlock(document, QStringLiteral("contents"));
        QVERIFY(contents.isValid());
        QTextBlock end = contents.next();
        while (end.isValid() && end.blockFormat().headingLevel() == 0) end = end.next();
        QPushButton* const top = Named<QPushButton>(*guide, QStringLiteral("Contents: the top of the guide"));
        QPushButton* const back = Named<QPushButton>(*guide, QStringLiteral("Back to the previous place in the guide"));
        QVERIFY(top != nullptr && back != nullptr && end.isValid());
        const int line = browser.fontMetrics().lineSpacing();
        QScrollBar& scroll = *browser.verticalScrollBar();
        int followed = 0;
        for (const Link& link : links) {
            if (link.position < contents.position() || link.position >= end.position()) continue;
            QTest::mouseClick(top, Qt::LeftButton);
            QCOMPARE(scroll.value(), 0);
            QTextCursor at(browser.document());
            at.setPosition(link.position);
            QTest::mouseClick(browser.viewport(), Qt::LeftButton, {}, browser.cursorRect(at).center());
            const QTextBlock heading = HeadingBlock(document, link.href.mid(1));
            const int y = browser.cursorRect(QTextCursor(heading)).top();
            // At the top, unless the end of the guide holds the view.
            QVERIFY2(scroll.value() > 0 && y >= 0 && (y <= line || scroll.value() == scroll.maximum()),
                     qPrintable(QStringLiteral("%1: heading at %2, scrolled %3 of %4")
                                    .arg(link.href)
                                    .arg(y)
                                    .arg(scroll.value())
                                    .arg(scroll.maximum())));
            ++followed;
        }
        QVERIFY(followed >= 13);
        QVERIFY(back->isEnabled());
        QTest::mouseClick(back, Qt::LeftButton);  // to the contents, before the last link
        QCOMPARE(scroll.value(), 0);
        QTest::keyClick(&browser, Qt::Key_Right, Qt::AltModifier);  // forward to the last section again
        QVERIFY(scroll.value() > 0);
    }

    // A heading's anchor as the guide's links write it.
    void headingAnchors() {
        QCOMPARE(HeadingAnchor(QStringLiteral("Goal Seek")), QStringLiteral("goal-seek"));
        QCOMPARE(HeadingAnchor(QStringLiteral("The Study: one or two inputs")),
                 QStringLiteral("the-study-one-or-two-inputs"));
        QCOMPARE(HeadingAnchor(QStringLiteral("ΔT ≤ 30 ℃, at 350 kg/hr")), QStringLiteral("δt--30--at-350-kghr"));
        QCOMPARE(HeadingAnchor(QStringLiteral("snake_case and-hyphen")), QStringLiteral("snake_case-and-hyphen"));
    }

    // The page written from Markdown: structure, anchors and escaping.
    void htmlOfMarkdown() {
        QTextDocument document;
        document.setMarkdown(QStringLiteral("# A & B\n\n"
                                            "Text with `a<b`, **bold**, *em* and [a link](#a--b).\n\n"
                                            "## Repeat\n\n## Repeat\n\n"
                                            "- one\n  - inner\n- two\n\n"
                                            "1. first\n\n"
                                            "| H1 | H2 |\n|---|---|\n| x | `y` |\n\n"
                                            "    code <line>\n    second\n"));
        const QString html = GuideHtml(document);
        for (const QString& piece : {
                 QStringLiteral("<!DOCTYPE html>\n<html lang=\"en\">"),
                 QStringLiteral("<title>A &amp; B</title>"),
                 QStringLiteral("<h1 id=\"a--b\">A &amp; B</h1>"),
                 QStringLiteral("<p>Text with <code>a&lt;b</code>, <strong>bold</strong>, <em>em</em> and "
                                "<a href=\"#a--b\">a link</a>.</p>"),
                 QStringLiteral("<h2 id=\"repeat\">Repeat</h2>\n<h2 id=\"repeat-1\">Repeat</h2>"),
                 QStringLiteral("<ul>\n<li>one<ul>\n<li>inner</li>\n</ul>\n</li>\n<li>two</li>\n</ul>\n"
                                "<ol>\n<li>first</li>\n</ol>\n"),
                 QStringLiteral("<table>\n<thead>\n<tr><th>H1</th><th>H2</th></tr>\n</thead>\n<tbody>\n"
                                "<tr><td>x</td><td><code>y</code></td></tr>\n</tbody>\n</table>"),
                 QStringLiteral("<pre><code>code &lt;line&gt;\nsecond</code></pre>"),
             })
            QVERIFY2(html.contains(piece), qPrintable(piece + QStringLiteral("\n---- in ----\n") + html));
        QVERIFY(!html.contains(QStringLiteral("a<b")));
    }

    // The HTML copy the build wrote from docs/guide.md holds every heading,
    // in order, with the anchor the guide's links name.
    void htmlCopyHoldsEveryHeading() {
        const QString html = ReadText(QStringLiteral(VORTANE_GUIDE_HTML));
        QVERIFY2(!html.isEmpty(), VORTANE_GUIDE_HTML);
        qsizetype from = 0;
        QSet<QString> anchors;
        for (const auto& [level, text] : SourceHeadings()) {
            const QString anchor = HeadingAnchor(text);
            QVERIFY2(!anchors.contains(anchor), qPrintable(text));
            anchors.insert(anchor);
            const QString tag = QStringLiteral("<h%1 id=\"%2\">%3</h%1>").arg(level).arg(anchor, text.toHtmlEscaped());
            const qsizetype at = html.indexOf(tag, from);
            QVERIFY2(at >= 0, qPrintable(tag));
            from = at + tag.size();
        }
        static const QRegularExpression href(QStringLiteral("href=\"#([^\"]*)\""));
        for (const auto& match : href.globalMatch(html))
            QVERIFY2(anchors.contains(match.captured(1)), qPrintable(match.captured(0)));
    }
};

}  // namespace vortane::testing

QTEST_MAIN(vortane::testing::GuideTest)
#include "guide_test.moc"
