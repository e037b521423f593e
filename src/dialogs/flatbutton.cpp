#include "dialogs/flatbutton.h"

#include <QToolButton>

QToolButton *flatButton(QWidget *parent, const QString &name)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(name);
    button->setFixedSize(82, 50);
    button->setAutoRaise(true);
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setIconSize(QSize(24, 24));
    button->setCursor(Qt::PointingHandCursor);
    return button;
}
