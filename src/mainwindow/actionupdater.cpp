#include "mainwindow/actionupdater.h"

#include <QAction>
#include <QCoreApplication>
#include <QEvent>

ActionUpdater::ActionUpdater(QObject *parent)
    : QObject(parent)
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(0);
    connect(&m_timer, &QTimer::timeout, this, &ActionUpdater::updateRequested);
    QCoreApplication::instance()->installEventFilter(this);
    schedule();
}

void ActionUpdater::schedule()
{
    if (!m_timer.isActive())
        m_timer.start();
}

bool ActionUpdater::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::Shortcut:
    case QEvent::Resize:
    case QEvent::WindowStateChange:
    case QEvent::FocusIn:
        schedule();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
