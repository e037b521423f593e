#include "app/retterumapplication.h"

#include "mainwindow/generalerrorreport.h"

RetterumApplication::RetterumApplication(int &argc, char **argv)
    : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Retterum"));
    setDesktopFileName(QStringLiteral("retterum"));
    setQuitOnLastWindowClosed(false);
}

bool RetterumApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        reportCurrentException();
        return false;
    }
}
