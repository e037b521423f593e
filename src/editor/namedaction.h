#pragma once

#include <QAction>
#include <QKeySequence>

// An action with the control name, caption and hint the program knows it by; the hint reaches
// the hint bar as the status tip.
inline QAction *namedAction(QObject *parent, const char *objectName, const QString &caption,
                            const QString &hint, const QKeySequence &shortcut = {})
{
    auto *action = new QAction(caption, parent);
    action->setObjectName(QString::fromLatin1(objectName));
    action->setStatusTip(hint);
    action->setShortcut(shortcut);
    return action;
}
