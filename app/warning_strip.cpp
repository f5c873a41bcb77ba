#include "app/warning_strip.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

#include <utility>

#include "app/core_text.h"
#include "app/elided_label.h"

namespace vortane {

WarningStrip::WarningStrip(std::function<void()> showAllWarnings, QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("WarningStrip"));
    setAccessibleName(QStringLiteral("Warnings of the last run"));
    setFrameStyle(QFrame::StyledPanel | QFrame::Plain);
    setAutoFillBackground(true);
    QPalette pale = palette();
    pale.setColor(QPalette::Window, QColor(255, 244, 206));
    pale.setColor(QPalette::WindowText, Qt::black);
    setPalette(pale);

    auto* icon = new QLabel;
    const int side = fontMetrics().height();
    icon->setPixmap(QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(side, side));
    icon->setAccessibleName(QStringLiteral("Warning"));
    text_ = new ElidedLabel(Qt::ElideRight);
    text_->setObjectName(QStringLiteral("FirstWarning"));
    text_->setAccessibleName(QStringLiteral("Warnings"));
    auto* showAll = new QPushButton(QStringLiteral("Show &Warnings"));
    showAll->setObjectName(QStringLiteral("ShowWarnings"));
    showAll->setAccessibleName(QStringLiteral("Show the warnings in the Results window"));
    showAll->setToolTip(QStringLiteral("Opens the Results window at its Warnings (Alt+W)"));
    showAll->setFocusPolicy(Qt::ClickFocus);
    connect(showAll, &QPushButton::clicked, this, std::move(showAllWarnings));

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 1, 2, 1);
    layout->addWidget(icon);
    layout->addWidget(text_, 1);
    layout->addWidget(showAll);
    hide();
}

void WarningStrip::ShowWarnings(const std::vector<std::string>& warnings) {
    if (warnings.empty()) {
        hide();
        return;
    }
    const QString count = warnings.size() == 1 ? QStringLiteral("1 warning")
                                               : QStringLiteral("%1 warnings").arg(warnings.size());
    text_->SetFullText(count + QStringLiteral(": ") + FromUtf8(warnings.front()));
    show();
}

}  // namespace vortane
