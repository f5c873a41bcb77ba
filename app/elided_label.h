#pragma once

#include <QLabel>

namespace vortane {

// A one-line label that never grows with its text: the text is cut with "…"
// at the label's width (at the start or the end), and its whole text is the
// tooltip and the accessible description.
class ElidedLabel final : public QLabel {
public:
    explicit ElidedLabel(Qt::TextElideMode mode, QWidget* parent = nullptr);

    void SetFullText(const QString& text);
    const QString& FullText() const { return full_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Elide();

    const Qt::TextElideMode mode_;
    QString full_;
};

}  // namespace vortane
