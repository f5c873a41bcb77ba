// Start-up: the main window and the hidden completion dialog, then the message
// loop until the main window is closed.
#include <QApplication>
#include <QPointer>

#include "app/calc_finished.h"
#include "app/main_window.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    vortane::TFinishForm finishForm;
    const QPointer<vortane::TForm1> form1 = new vortane::TForm1(finishForm);
    form1->show();
    const int status = QApplication::exec();
    delete form1.data();  // still there only when the loop ended otherwise
    return status;
}
