#include "app/firstpaintprobe.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <unistd.h>

namespace {

class FirstPaintProbe : public QObject {
public:
    FirstPaintProbe(QWidget *window, int fd)
        : QObject(window)
        , m_fd(fd)
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            // The frame is flushed to the window system right after the paint events of this
            // pass, before the event loop runs again.
            QTimer::singleShot(0, this, [this] {
                const char byte = 1;
                [[maybe_unused]] const ssize_t n = ::write(m_fd, &byte, 1);
                ::close(m_fd);
                deleteLater();
            });
        }
        return false;
    }

private:
    int m_fd;
};

} // namespace

void reportFirstPaintIfAsked(QWidget *window)
{
    bool ok = false;
    const int fd = qEnvironmentVariableIntValue("RETTERUM_FIRST_PAINT_FD", &ok);
    if (ok && fd > 2)
        new FirstPaintProbe(window, fd);
}
