#pragma once

#include <QString>

class QTextDocument;

namespace vortane {

// The anchor a heading is linked by, as a Markdown viewer of the repository
// names it: the text in lower case, each blank a hyphen, every character but
// a letter, a digit, '-' and '_' left out ("Goal seek: one input" is
// "goal-seek-one-input").
QString HeadingAnchor(const QString& heading);

// Gives each heading of `document` (Markdown as QTextDocument reads it) its
// anchor, so that a link "#anchor" scrolls to it; the n-th repeat of a
// heading's anchor takes "-n". Headings that carry their anchors already are
// left as they are.
void MarkHeadings(QTextDocument& document);

// `document` as one HTML5 page in UTF-8 that loads nothing from elsewhere:
// headings with their anchors as ids, paragraphs, lists, tables (the first
// row as their head), code blocks, block quotes and rules; within a line
// strong, emphasis, code, links and images. Every text is escaped. The title
// is the first heading's text.
QString GuideHtml(const QTextDocument& document);

}  // namespace vortane
