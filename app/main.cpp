// Start-up: the main window and the hidden completion dialog, then the message
// loop until the main window is closed. `vortane FILE` opens that case.
#include <QApplication>
#include <QPointer>

#include "app/calc_finished.h"
#include "app/main_window.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Vortane"));
    QApplication::setApplicationName(QStringLiteral("Vortane"));
    vortane::TFinishForm finishForm;
    const QPointer<vortane::TForm1> form1 = new vortane::TForm1(finishForm);
    form1->show();
    if (const QStringList arguments = QApplication::arguments(); arguments.size() > 1)
        form1->OpenCase(arguments.at(1));
    const int status = QApplication::exec();
    delete form1.data();  // still there only when the loop ended otherwise
    return status;
}
