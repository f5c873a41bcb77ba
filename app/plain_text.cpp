#include "app/plain_text.h"

#include <QLabel>
#include <QPushButton>
#include <QTextDocument>

namespace vortane {

QLabel* PlainLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    return label;
}

QString PlainToolTip(const QString& text) {
    if (!Qt::mightBeRichText(text)) return text;
    return QStringLiteral("<p style=\"white-space:pre-wrap\">%1</p>").arg(text.toHtmlEscaped());
}

QString TitleText(const QString& text) {
    QString shown = text;
    return shown.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
}

QString MenuText(const QString& text) {
    QString shown = text;
    return shown.replace(u'&', QStringLiteral("&&"));
}

QMessageBox::StandardButton ShowPlainMessage(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                             const QString& text, QMessageBox::StandardButtons buttons,
                                             QMessageBox::StandardButton defaultButton,
                                             const std::vector<ButtonCaption>& captions) {
    QMessageBox box(icon, title, text, buttons, parent);
    box.setTextFormat(Qt::PlainText);
    for (const auto& [which, caption] : captions)
        if (QAbstractButton* button = box.button(which)) button->setText(caption);
    // As the static functions choose it: the button asked for, else the first
    // that accepts.
    if (defaultButton != QMessageBox::NoButton) {
        box.setDefaultButton(defaultButton);
    } else {
        for (QAbstractButton* button : box.buttons()) {
            if (box.buttonRole(button) != QMessageBox::AcceptRole) continue;
            if (auto* push = qobject_cast<QPushButton*>(button)) box.setDefaultButton(push);
            break;
        }
    }
    if (box.exec() == -1) return QMessageBox::Cancel;
    return box.standardButton(box.clickedButton());
}

void WarnPlain(QWidget* parent, const QString& title, const QString& text) {
    ShowPlainMessage(parent, QMessageBox::Warning, title, text);
}

}  // namespace vortane
