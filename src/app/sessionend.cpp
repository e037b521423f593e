#include "app/sessionend.h"

#include "mainwindow/generalerrorreport.h"
#include "mainwindow/tmainform.h"

#include <QApplication>
#include <QSessionManager>
#include <QSocketNotifier>

#include <csignal>

#include <sys/socket.h>
#include <unistd.h>

namespace {

int g_signalPipe[2] = {-1, -1};

// Only async-signal-safe work here: the event loop does the rest.
void onTerminate(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(g_signalPipe[0], &byte, 1);
}

} // namespace

void closeInOrderAtSessionEnd(QApplication *app)
{
    QObject::connect(app, &QGuiApplication::commitDataRequest, app, [](QSessionManager &) {
        if (mainform)
            guardedCommand([] { mainform->GemOpt(); });
    });

    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_signalPipe) != 0)
        return;
    auto *notifier = new QSocketNotifier(g_signalPipe[1], QSocketNotifier::Read, app);
    QObject::connect(notifier, &QSocketNotifier::activated, app, [] {
        char byte;
        [[maybe_unused]] const ssize_t n = ::read(g_signalPipe[1], &byte, 1);
        if (mainform)
            mainform->close();
        else
            QCoreApplication::quit();
    });
    struct sigaction action {};
    action.sa_handler = onTerminate;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &action, nullptr);
}
