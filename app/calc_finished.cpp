#include "app/calc_finished.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

#include "case/input_pages.h"

#include "app/core_text.h"
#include "app/interface_style.h"
#include "app/pictures.h"

namespace vortane {

TFinishForm::TFinishForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("FinishForm"));
    setWindowTitle(QStringLiteral("Finsh"));
    setWindowIcon(CrispIcon(IconImage));
    setFont(InterfaceFont(12));
    setFixedSize(304, 179);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(16, 16, 273, 49);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);

    Label1 = new QLabel(FromUtf8(CalculationFinished), Panel1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(19, 16, 238, 16);
    Label1->setFont(CondensedToWidth(InterfaceFont(16), Label1->text(), Label1->width()));
    SetTextColour(*Label1, CaptionBlue);

    Label2 = new QLabel(QStringLiteral("2008.8.6"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setFont(InterfaceFont(15));
    Label2->move(122, 104);
    Label2->adjustSize();

    BitBtn1 = new QPushButton(CrispIcon(OkGlyph), QStringLiteral("OK"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(112, 136, 73, 25);
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &TFinishForm::BitBtn1Click);
}

void TFinishForm::ShowModal() {
    setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(),
                                    screen()->availableGeometry()));
    exec();
}

void TFinishForm::BitBtn1Click() { accept(); }

}  // namespace vortane
