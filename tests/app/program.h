#pragma once

#include <QDir>
#include <QLineEdit>
#include <QPointer>
#include <QStringList>
#include <QTableWidget>
#include <QVariant>
#include <QTemporaryDir>
#include <QWidget>

#include <memory>

#include "app/calc_finished.h"
#include "app/main_window.h"

namespace vortane::testing {

// The first widget of type `Widget` in `window` whose accessible name is
// `name`; none when no widget has it.
template <class Widget>
Widget* Named(QWidget& window, const QString& name) {
    for (Widget* widget : window.findChildren<Widget*>())
        if (widget->accessibleName() == name) return widget;
    return nullptr;
}

// Types `text` into `edit` in place of what it holds, as a user does.
void Type(QLineEdit* edit, const QString& text);

// The line edit named `name` in `window` set to `text`.
void Type(QWidget& window, const QString& name, const QString& text);
// The combo box named `name` in `window` set to the item holding `data`.
void Choose(QWidget& window, const QString& name, const QVariant& data);
// A design dialog's result, as its text box shows it.
QString Outcome(QWidget& dialog);
// A table's cell text; empty for no cell.
QString CellText(const QTableWidget& table, int row, int column);
// A file's bytes; empty when it cannot be read.
QByteArray FileBytes(const QString& path);

// In the Study window `window`, chooses the input whose combo is named
// `input` by its caption and types its From, To and Step (their names
// followed by `suffix`, " (second input)").
void Sweep(QWidget& window, const QString& input, const QString& caption, const QStringList& bounds,
           const QString& suffix = {});

// The program as start-up builds it, started in a fresh scratch directory,
// holding the given subdirectories, that is the current directory until the
// program is dropped.
class Program {
public:
    explicit Program(const QStringList& subdirectories = {});
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Shows the main window and waits until it is active; false when it never is.
    bool Show() const;
    // Shows the main window and waits until it is on the screen, as under
    // Xvfb with no window manager to make it active; false when it never is.
    bool ShowExposed() const;
    // Presses OK, which runs the case.
    void PressOk() const;

    template <class Widget>
    Widget* Find(const QString& name) const {
        return form1->findChild<Widget*>(name);
    }
    QLineEdit* Edit(int box) const;
    QStringList ListedFiles() const;  // the lines of FileListBox1
    QString Scratch() const;          // the scratch directory, canonical

    QPointer<TForm1> form1;
    std::unique_ptr<TFinishForm> finishForm;

private:
    QString previousDirectory_;
    QTemporaryDir scratch_;
};

}  // namespace vortane::testing
