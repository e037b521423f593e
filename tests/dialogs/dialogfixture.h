#pragma once

#include "dialogs/tinfform.h"
#include "dialogs/tredigeringsform.h"
#include "dialogs/tspform.h"

#include <QCloseEvent>
#include <QDialog>
#include <QMainWindow>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <functional>
#include <memory>

// A main window with the three dialogs, created as the program creates them.
struct DialogFixture
{
    DialogFixture()
        : mainWindow(std::make_unique<QMainWindow>())
    {
        mainWindow->setGeometry(120, 90, 600, 420);
        mainWindow->show();
        // Under a window manager a dialog is activated only over an active window.
        mainWindow->activateWindow();
        (void)QTest::qWaitForWindowActive(mainWindow.get());
        infform = new Tinfform(mainWindow.get());
        spform = new Tspform(mainWindow.get());
        redigeringsform = new Tredigeringsform(mainWindow.get());
    }
    ~DialogFixture() { mainWindow.reset(); } // takes the dialogs and the globals with it

    std::unique_ptr<QMainWindow> mainWindow;
};

// Runs action inside the dialog's modal loop once the dialog is shown and active; returns
// exec()'s result, or -1 when the action left the dialog open.
inline int execWith(QDialog *dialog, const std::function<void()> &action)
{
    QTimer::singleShot(0, dialog, [dialog, action] {
        dialog->activateWindow();
        if (QTest::qWaitForWindowActive(dialog))
            action();
        else
            QTest::qFail("dialog never became active", __FILE__, __LINE__);
        if (dialog->isVisible())
            dialog->done(-1);
    });
    return dialog->exec();
}

// What the window system's close box does.
inline void clickCloseBox(QWidget *window)
{
    QCloseEvent event;
    QCoreApplication::sendEvent(window->windowHandle(), &event);
}
