#pragma once

#include <QMessageBox>
#include <QString>

#include <utility>
#include <vector>

class QLabel;
class QWidget;

namespace vortane {

// Text that is the user's (a case's name, a path, a box's text, a message
// quoting one) shown as it is: never read as markup, a mnemonic or a title's
// modification mark.

// A label that shows its text as typed.
QLabel* PlainLabel(const QString& text = {}, QWidget* parent = nullptr);

// A tooltip of `text` as typed: the toolkit reads a tooltip that looks like
// markup as markup, so such a text is escaped, its blanks and line breaks kept.
QString PlainToolTip(const QString& text);

// `text` in a window title, its "[*]" shown as typed rather than taken for
// the modification mark.
QString TitleText(const QString& text);

// `text` as a menu item, its "&" shown rather than taken for a mnemonic.
QString MenuText(const QString& text);

// A button's own caption, with its mnemonic ("&Save").
using ButtonCaption = std::pair<QMessageBox::StandardButton, QString>;

// A modal message box whose text is shown as typed; the buttons and the
// answer as QMessageBox's static functions give them (Cancel when the box is
// closed without one), a button named in `captions` under its caption there.
QMessageBox::StandardButton ShowPlainMessage(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                             const QString& text,
                                             QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                             QMessageBox::StandardButton defaultButton = QMessageBox::NoButton,
                                             const std::vector<ButtonCaption>& captions = {});

// A warning whose text is shown as typed.
void WarnPlain(QWidget* parent, const QString& title, const QString& text);

}  // namespace vortane
