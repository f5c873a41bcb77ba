#pragma once

#include <QObject>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <vector>

namespace vortane::testing {

// Closes every modal box the program shows by pressing Enter in it, as a user
// would, and records what each box showed.
class ModalCloser : public QObject {
public:
    struct Shown {
        QString title;
        QString text;     // a message box's text, or the dialog's Label1
        bool critical;    // the error box of a fault
        QRect frame;      // where it was shown
        bool closedByEnter;
        Qt::TextFormat format;  // how the text is read: plain, rich or guessed
    };

    ModalCloser();

    // "title: text" of each box, in order.
    QStringList Seen() const;

    std::vector<Shown> shown;

    // Raises the invalid-operation and division-by-zero flags while a box is
    // open, as the toolkit's own arithmetic may.
    bool raisesFloatingPointFlags = false;

private:
    void CloseActiveModal();

    QTimer timer_;
};

}  // namespace vortane::testing
