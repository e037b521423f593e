#include "dialogs/besidewindow.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>

namespace {

int waiting = 0;

struct Waiting {
    Waiting() { ++waiting; }
    ~Waiting() { --waiting; }
    Waiting(const Waiting &) = delete;
    Waiting &operator=(const Waiting &) = delete;
};

} // namespace

void runBesideWindow(const std::function<void()> &work, QObject *handedOver)
{
    const Waiting mark;
    QEventLoop loop;
    QThread *thread = QThread::create(work);
    if (handedOver)
        handedOver->moveToThread(thread);
    QObject::connect(thread, &QThread::finished, &loop, &QEventLoop::quit);
    thread->start();
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    thread->wait();
    delete thread;
}

void answerWhileWaiting()
{
    // A restore waits for the lock on a thread of its own; only the window's thread answers.
    if (QThread::currentThread() != QCoreApplication::instance()->thread())
        return;
    const Waiting mark;
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

bool isWaitingBesideWindow()
{
    return waiting > 0;
}
