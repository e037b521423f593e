// What the options dialog decides for the main window: its look and going into the tray.
#include "mainwindow/tmainform.h"

#include "options/styleregistry.h"

#include <QEvent>
#include <QSystemTrayIcon>
#include <QTimer>

void Tmainform::applyDesign()
{
    // The dialogs don't exist yet while the settings are read: the message waits for them.
    if (!design::trySetStyle(DesignName))
        m_startMessages << design::unknownDesignMessage(DesignName);
}

void Tmainform::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange || !isMinimized())
        return;
    // Hidden only where an icon can bring the window back; otherwise it minimises as usual.
    if (TrayIcon->isVisible() && QSystemTrayIcon::isSystemTrayAvailable())
        QTimer::singleShot(0, this, [this] {
            if (isMinimized())
                hide();
        });
}
