#include "mainwindow/actionbutton.h"

#include <QAction>

ActionButton::ActionButton(QAction *action, QWidget *parent)
    : QPushButton(parent)
    , m_action(action)
{
    setAutoDefault(false);
    setCursor(Qt::PointingHandCursor);
    connect(this, &QPushButton::clicked, m_action, &QAction::trigger);
    connect(m_action, &QAction::changed, this, &ActionButton::sync);
    sync();
}

void ActionButton::sync()
{
    setText(m_action->text());
    setStatusTip(m_action->statusTip());
    setEnabled(m_action->isEnabled());
}
