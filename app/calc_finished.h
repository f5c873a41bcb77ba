#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

namespace vortane {

// The completion dialog: confirms a run that has written its complete report.
// One instance lives from start-up to the end; closing it only hides it.
class TFinishForm final : public QDialog {
    Q_OBJECT

public:
    explicit TFinishForm(QWidget* parent = nullptr);

    // Shows the dialog modally, centred on the screen, until it is closed.
    void ShowModal();

private:
    void BitBtn1Click();

    QFrame* Panel1;
    QLabel* Label1;
    QLabel* Label2;
    QPushButton* BitBtn1;
};

}  // namespace vortane
