#pragma once

#include <QString>

class QAction;
class QToolButton;
class QWidget;

// Lets button show and run the main window's action of that object name, following its
// caption, hint, icon and enabled state. Without such an action the button shows caption and
// stays disabled. Gives the action, or nullptr.
QAction *bindToMainAction(QToolButton *button, QWidget *mainWindow, const QString &actionName,
                          const QString &caption);
