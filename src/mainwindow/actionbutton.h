#pragma once

#include <QPushButton>

class QAction;

// A push button that shows and runs an action, following its caption, hint and enabled state.
class ActionButton : public QPushButton {
    Q_OBJECT

public:
    ActionButton(QAction *action, QWidget *parent);

private:
    void sync();

    QAction *m_action;
};
