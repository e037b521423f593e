#include "dialogs/besidewindow.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QTest>
#include <QTimer>

#include <atomic>
#include <thread>

class TestBesideWindow : public QObject {
    Q_OBJECT
private slots:
    void longWork_showsTheBusyPointerUntilDone();
};

void TestBesideWindow::longWork_showsTheBusyPointerUntilDone()
{
    // The work lasts until the window's thread has seen the busy pointer (or gives up after
    // a while, for the test to fail rather than hang).
    std::atomic<bool> pointerSeen{false};
    int ticks = 0;
    QTimer watch;
    connect(&watch, &QTimer::timeout, this, [&] {
        ++ticks;
        const QCursor *pointer = QGuiApplication::overrideCursor();
        if (pointer && pointer->shape() == Qt::BusyCursor)
            pointerSeen = true;
    });
    watch.start(5);
    bool workDone = false;
    runBesideWindow([&] {
        const QDeadlineTimer patience(10000);
        while (!pointerSeen && !patience.hasExpired())
            std::this_thread::yield();
        workDone = true;
    });
    QVERIFY(workDone);
    QVERIFY2(pointerSeen, "no busy pointer while the work went on");
    QVERIFY(ticks > 1); // the window went on answering meanwhile
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
}

QTEST_MAIN(TestBesideWindow)
#include "tst_besidewindow.moc"
