#include "stallmeter.h"

#include <QEvent>
#include <QEventLoop>
#include <QWidget>

#include <algorithm>

StallMeter::StallMeter()
{
    m_clock.start();
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(5);
    connect(&m_timer, &QTimer::timeout, this, [this] { tick(); });
    m_timer.start();
}

void StallMeter::begin()
{
    m_worst = 0;
    m_last = m_clock.nsecsElapsed();
}

double StallMeter::endMs()
{
    tick();
    return double(m_worst) / 1e6;
}

void StallMeter::tick()
{
    const qint64 now = m_clock.nsecsElapsed();
    m_worst = std::max(m_worst, now - m_last);
    m_last = now;
}

bool runUntil(const std::function<bool()> &done, int timeoutMs)
{
    QEventLoop loop;
    QTimer poll;
    poll.setTimerType(Qt::PreciseTimer);
    QElapsedTimer clock;
    clock.start();
    bool ok = false;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done()) {
            ok = true;
            loop.quit();
        } else if (clock.elapsed() > timeoutMs) {
            loop.quit();
        }
    });
    poll.start(1);
    loop.exec();
    return ok;
}

PaintWatch::PaintWatch(QWidget *widget)
{
    widget->installEventFilter(this);
}

bool PaintWatch::eventFilter(QObject *, QEvent *event)
{
    if (event->type() == QEvent::Paint)
        painted = true;
    return false;
}
