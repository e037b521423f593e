#pragma once

#include <QObject>
#include <QTimer>

// Runs the update handlers once when the program has handled its pending input: one zero-delay
// timer, armed by every input event and every command, coalesces any number of triggers.
class ActionUpdater : public QObject {
    Q_OBJECT

public:
    explicit ActionUpdater(QObject *parent);

    void schedule();

signals:
    void updateRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QTimer m_timer;
};
