#include "dialogs/besidewindow.h"

#include <QCoreApplication>
#include <QCursor>
#include <QEventLoop>
#include <QGuiApplication>
#include <QThread>
#include <QTimer>

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
    // Clicks and keys wait meanwhile: work that lasts long enough to be noticed says so with the
    // busy pointer, and most of it ends before that.
    QTimer busy;
    busy.setSingleShot(true);
    bool pointerShown = false;
    QObject::connect(&busy, &QTimer::timeout, &loop, [&pointerShown] {
        QGuiApplication::setOverrideCursor(QCursor(Qt::BusyCursor));
        pointerShown = true;
    });
    busy.start(kBusyPointerAfterMs);
    thread->start();
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    thread->wait();
    delete thread;
    if (pointerShown)
        QGuiApplication::restoreOverrideCursor();
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
