#include "options/actionbinding.h"

#include <QAction>
#include <QToolButton>

QAction *bindToMainAction(QToolButton *button, QWidget *mainWindow, const QString &actionName,
                          const QString &caption)
{
    QAction *action = mainWindow ? mainWindow->findChild<QAction *>(actionName) : nullptr;
    if (action) {
        button->setDefaultAction(action);
    } else {
        button->setText(caption);
        button->setEnabled(false);
    }
    return action;
}
