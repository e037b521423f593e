#pragma once

#include "printing/tprintform.h"

#include <QApplication>
#include <QCloseEvent>
#include <QPrintPreviewDialog>
#include <QTimer>
#include <QWindow>
#include <functional>

// Runs act once the print settings dialog is the modal window on top (an error box may come
// first), from inside the dialog's own event loop.
inline void whenPrintDialogOnTop(const std::function<void()> &act)
{
    QTimer::singleShot(0, printform, [act] {
        if (printform->isVisible() && QApplication::activeModalWidget() == printform)
            act();
        else
            whenPrintDialogOnTop(act);
    });
}

// Runs act once a print preview is the modal window on top, from inside its event loop; act
// should close it.
inline void whenPreviewOnTop(const std::function<void(QPrintPreviewDialog *)> &act)
{
    QTimer::singleShot(0, qApp, [act] {
        if (auto *preview = qobject_cast<QPrintPreviewDialog *>(QApplication::activeModalWidget()); preview && preview->isVisible())
            act(preview);
        else
            whenPreviewOnTop(act);
    });
}

// Opens the dialog modally, as a print command does; whileOpen acts as the user and should
// close it. A dialog left open by a failed check is cancelled. Gives the modal result.
inline int openPrintDialog(const std::function<void()> &whileOpen)
{
    whenPrintDialogOnTop([whileOpen] {
        whileOpen();
        if (printform->isVisible())
            printform->reject();
    });
    return printform->exec();
}

// The close box, through the window as the window system sends it.
inline void closeWithCloseBox(QWidget *window)
{
    QCloseEvent event;
    QCoreApplication::sendEvent(window->windowHandle(), &event);
}
