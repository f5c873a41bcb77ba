#include "app/elided_label.h"

#include "app/plain_text.h"

namespace vortane {

ElidedLabel::ElidedLabel(Qt::TextElideMode mode, QWidget* parent) : QLabel(parent), mode_(mode) {
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    setTextFormat(Qt::PlainText);
}

void ElidedLabel::SetFullText(const QString& text) {
    full_ = text;
    setToolTip(PlainToolTip(text));
    setAccessibleDescription(text);
    Elide();
}

void ElidedLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    Elide();
}

void ElidedLabel::Elide() { setText(fontMetrics().elidedText(full_, mode_, contentsRect().width())); }

}  // namespace vortane
