#include "modal_closer.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMessageBox>
#include <QTest>

#include <cfenv>

namespace vortane::testing {

ModalCloser::ModalCloser() {
    connect(&timer_, &QTimer::timeout, this, &ModalCloser::CloseActiveModal);
    timer_.start(10);
}

QStringList ModalCloser::Seen() const {
    QStringList seen;
    for (const Shown& box : shown) seen << box.title + QStringLiteral(": ") + box.text;
    return seen;
}

void ModalCloser::CloseActiveModal() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || !modal->isVisible()) return;
    Shown box{modal->windowTitle(), {}, false, modal->frameGeometry(), false, Qt::AutoText};
    if (auto* message = qobject_cast<QMessageBox*>(modal)) {
        box.text = message->text();
        box.critical = message->icon() == QMessageBox::Critical;
        box.format = message->textFormat();
    } else if (auto* label = modal->findChild<QLabel*>(QStringLiteral("Label1"))) {
        box.text = label->text();
        box.format = label->textFormat();
    }
    if (raisesFloatingPointFlags) std::feraiseexcept(FE_INVALID | FE_DIVBYZERO);
    QTest::keyClick(modal, Qt::Key_Return);
    box.closedByEnter = !modal->isVisible();
    if (!box.closedByEnter) {
        if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
    }
    shown.push_back(box);
}

}  // namespace vortane::testing
