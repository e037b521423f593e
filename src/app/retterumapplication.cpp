#include "app/retterumapplication.h"

#include "app/qttexts.h"
#include "mainwindow/generalerrorreport.h"
#include "mainwindow/windowface.h"

RetterumApplication::RetterumApplication(int &argc, char **argv)
    : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Retterum"));
    setDesktopFileName(QStringLiteral("retterum"));
    setQuitOnLastWindowClosed(false);
    useDanishQtTexts(this);
}

void RetterumApplication::useWindowFace()
{
    // Every window in the main window's face. It also spares the start a second face: a line
    // edit lays out its text in the application's font before it takes its window's.
    setFont(windowFace());
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
