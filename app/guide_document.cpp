#include "app/guide_document.h"

#include <QHash>
#include <QStringList>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextList>
#include <QTextTable>

#include <vector>

namespace vortane {

namespace {

// The anchors of a document's headings in their order: a repeated anchor
// takes "-1", "-2", ...
class AnchorNamer {
public:
    QString Next(const QString& heading) {
        const QString anchor = HeadingAnchor(heading);
        const int repeats = seen_[anchor]++;
        return repeats == 0 ? anchor : anchor + QLatin1Char('-') + QString::number(repeats);
    }

private:
    QHash<QString, int> seen_;
};

bool IsCode(const QTextBlock& block) { return block.blockFormat().hasProperty(QTextFormat::BlockCodeLanguage); }

bool IsMonospace(const QTextCharFormat& format) {
    return format.fontFixedPitch() || format.fontFamilies().toStringList().contains(QStringLiteral("monospace"));
}

QString Escaped(const QString& text) {
    QString escaped = text.toHtmlEscaped();
    escaped.replace(QChar::LineSeparator, QStringLiteral("<br>"));
    escaped.replace(QChar::Nbsp, QStringLiteral("&nbsp;"));
    return escaped;
}

// A block's text with its inline formats. Headings and table heads are bold
// throughout by their own tag, so `bold` false leaves their weight out.
QString Inline(const QTextBlock& block, bool bold = true) {
    QString html;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        const QTextCharFormat format = fragment.charFormat();
        if (format.isImageFormat()) {
            const QTextImageFormat image = format.toImageFormat();
            html += QStringLiteral("<img src=\"%1\" alt=\"\">").arg(image.name().toHtmlEscaped());
            continue;
        }
        QString text = Escaped(fragment.text());
        if (IsMonospace(format)) text = QStringLiteral("<code>") + text + QStringLiteral("</code>");
        if (format.fontStrikeOut()) text = QStringLiteral("<s>") + text + QStringLiteral("</s>");
        if (format.fontItalic()) text = QStringLiteral("<em>") + text + QStringLiteral("</em>");
        if (bold && format.fontWeight() >= QFont::Bold)
            text = QStringLiteral("<strong>") + text + QStringLiteral("</strong>");
        if (format.isAnchor() && !format.anchorHref().isEmpty())
            text = QStringLiteral("<a href=\"%1\">%2</a>").arg(format.anchorHref().toHtmlEscaped(), text);
        html += text;
    }
    return html;
}

// Writes the blocks and tables of a frame; lists open and close by the
// nesting of their indents.
class HtmlWriter {
public:
    QString Page(const QTextDocument& document) {
        Frame(*document.rootFrame());
        return QStringLiteral("<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
                              "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
                              "<title>%1</title>\n<style>\n%2</style>\n</head>\n<body>\n%3</body>\n</html>\n")
            .arg(title_, Style(), body_);
    }

private:
    static QString Style() {
        return QStringLiteral(
            "body { font-family: sans-serif; line-height: 1.45; color: #1d1d1d; max-width: 54em;"
            " margin: 2em auto; padding: 0 1.2em; }\n"
            "h1, h2, h3 { line-height: 1.2; }\n"
            "h2 { border-bottom: 1px solid #c8c8c8; padding-bottom: 0.2em; margin-top: 1.8em; }\n"
            "code, pre { font-family: monospace; background: #f3f3f3; }\n"
            "code { padding: 0 0.2em; }\n"
            "pre { padding: 0.6em 1em; overflow-x: auto; }\n"
            "pre code { padding: 0; }\n"
            "table { border-collapse: collapse; margin: 1em 0; }\n"
            "th, td { border: 1px solid #b4b4b4; padding: 0.25em 0.5em; text-align: left; vertical-align: top; }\n"
            "th { background: #ececec; }\n"
            "blockquote { margin-left: 0; padding-left: 1em; border-left: 4px solid #c8c8c8; color: #444; }\n"
            "@media print { body { max-width: none; margin: 0; } a { color: inherit; } }\n");
    }

    void Frame(const QTextFrame& frame) {
        for (auto it = frame.begin(); !it.atEnd(); ++it) {
            if (const auto* table = qobject_cast<const QTextTable*>(it.currentFrame())) {
                CloseLists(-1);
                EndCode();
                Table(*table);
            } else if (it.currentBlock().isValid()) {
                Block(it.currentBlock());
            }
        }
        CloseLists(-1);
        EndCode();
    }

    void Block(const QTextBlock& block) {
        if (IsCode(block)) {
            CloseLists(-1);
            code_ << block.text().toHtmlEscaped();
            return;
        }
        EndCode();
        if (const QTextList* list = block.textList()) {
            ListItem(*list, block);
            return;
        }
        CloseLists(-1);
        const QTextBlockFormat format = block.blockFormat();
        if (const int level = format.headingLevel(); level > 0) {
            const QString text = block.text();
            if (title_.isEmpty()) title_ = text.toHtmlEscaped();
            body_ += QStringLiteral("<h%1 id=\"%2\">%3</h%1>\n")
                         .arg(QString::number(level), anchors_.Next(text).toHtmlEscaped(), Inline(block, false));
        } else if (format.hasProperty(QTextFormat::BlockTrailingHorizontalRulerWidth)) {
            body_ += QStringLiteral("<hr>\n");
        } else if (!block.text().trimmed().isEmpty()) {
            const bool quote = format.hasProperty(QTextFormat::BlockQuoteLevel);
            body_ += (quote ? QStringLiteral("<blockquote><p>%1</p></blockquote>\n") : QStringLiteral("<p>%1</p>\n"))
                         .arg(Inline(block));
        }
    }

    void ListItem(const QTextList& list, const QTextBlock& block) {
        const int indent = list.format().indent();
        CloseLists(indent, &list);
        if (open_.empty() || open_.back().indent < indent) {
            const bool ordered = list.format().style() <= QTextListFormat::ListDecimal;
            body_ += ordered ? QStringLiteral("<ol>\n") : QStringLiteral("<ul>\n");
            open_.push_back({&list, indent, ordered});
        } else {
            body_ += QStringLiteral("</li>\n");
        }
        body_ += QStringLiteral("<li>") + Inline(block);
    }

    // Closes the lists nested deeper than `indent`, and one at `indent` that
    // is not `list`; -1 closes them all.
    void CloseLists(int indent, const QTextList* list = nullptr) {
        while (!open_.empty() && (indent < 0 || open_.back().indent > indent ||
                                  (open_.back().indent == indent && open_.back().list != list))) {
            body_ += open_.back().ordered ? QStringLiteral("</li>\n</ol>\n") : QStringLiteral("</li>\n</ul>\n");
            open_.pop_back();
        }
    }

    void EndCode() {
        if (code_.isEmpty()) return;
        body_ += QStringLiteral("<pre><code>") + code_.join(QLatin1Char('\n')) + QStringLiteral("</code></pre>\n");
        code_.clear();
    }

    // A Markdown table's first row is its head.
    void Table(const QTextTable& table) {
        body_ += QStringLiteral("<table>\n");
        for (int row = 0; row < table.rows(); ++row) {
            const QString cellTag = row == 0 ? QStringLiteral("th") : QStringLiteral("td");
            body_ += row == 0 ? QStringLiteral("<thead>\n<tr>") : QStringLiteral("<tr>");
            for (int column = 0; column < table.columns(); ++column) {
                const QTextTableCell cell = table.cellAt(row, column);
                QStringList blocks;
                for (auto it = cell.begin(); !it.atEnd(); ++it)
                    if (it.currentBlock().isValid()) blocks << Inline(it.currentBlock(), row != 0);
                body_ += QStringLiteral("<%1>%2</%1>").arg(cellTag, blocks.join(QStringLiteral("<br>")));
            }
            body_ += row == 0 ? QStringLiteral("</tr>\n</thead>\n<tbody>\n") : QStringLiteral("</tr>\n");
        }
        body_ += QStringLiteral("</tbody>\n</table>\n");
    }

    struct OpenList {
        const QTextList* list;
        int indent;
        bool ordered;
    };

    QString title_;
    QString body_;
    QStringList code_;  // the lines of the code block under way
    std::vector<OpenList> open_;
    AnchorNamer anchors_;
};

}  // namespace

QString HeadingAnchor(const QString& heading) {
    QString anchor;
    for (const QChar c : heading.toLower()) {
        if (c.isLetterOrNumber() || c == u'-' || c == u'_')
            anchor += c;
        else if (c == u' ')
            anchor += u'-';
    }
    return anchor;
}

void MarkHeadings(QTextDocument& document) {
    AnchorNamer anchors;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() == 0 || block.text().isEmpty()) continue;
        const QString anchor = anchors.Next(block.text());
        if (block.begin().fragment().charFormat().anchorNames().contains(anchor)) continue;
        QTextCursor cursor(block);
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        QTextCharFormat format;
        format.setAnchor(true);
        format.setAnchorNames({anchor});
        cursor.mergeCharFormat(format);
    }
}

QString GuideHtml(const QTextDocument& document) { return HtmlWriter().Page(document); }

}  // namespace vortane
