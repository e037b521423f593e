#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>

class QWidget;

// Ticks every 5 ms and remembers the longest gap while it measures.
class StallMeter : public QObject {
public:
    StallMeter();
    void begin();
    double endMs();

private:
    void tick();

    QElapsedTimer m_clock;
    QTimer m_timer;
    qint64 m_last = 0;
    qint64 m_worst = 0;
};

// Runs the event loop until done() holds, looking every millisecond; false after timeoutMs.
bool runUntil(const std::function<bool()> &done, int timeoutMs = 300000);

// Whether a widget has painted since the watch was put on it.
struct PaintWatch : QObject {
    explicit PaintWatch(QWidget *widget);
    bool eventFilter(QObject *, QEvent *event) override;
    bool painted = false;
};
