#include "mainwindow/progressrun.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>

#include <atomic>

void runWithProgress(QWidget *parent, const QString &label, const std::function<void(const ProgressReport &)> &work)
{
    std::atomic<int> done{0};
    std::atomic<int> total{0};
    std::atomic<bool> cancelled{false};
    const ProgressReport report = [&](int d, int t) {
        done = d;
        total = t;
        return !cancelled.load();
    };
    QThread *thread = QThread::create([&] { work(report); });

    QProgressDialog dialog(label, QStringLiteral("Annuller"), 0, 0, parent);
    dialog.setObjectName(QStringLiteral("progressDialog"));
    dialog.setWindowTitle(QStringLiteral("Retterum"));
    dialog.setWindowModality(Qt::WindowModal);
    dialog.setAutoReset(false);
    dialog.setAutoClose(false);
    dialog.setMinimumDuration(400);
    QObject::connect(&dialog, &QProgressDialog::canceled, &dialog, [&] {
        cancelled = true;
        dialog.setLabelText(QStringLiteral("Annullerer …"));
    });
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &dialog, [&] {
        if (dialog.maximum() != total)
            dialog.setMaximum(total);
        dialog.setValue(done);
    });
    QEventLoop loop;
    QObject::connect(thread, &QThread::finished, &loop, &QEventLoop::quit);
    thread->start();
    poll.start(50);
    loop.exec();
    thread->wait();
    delete thread;
    dialog.close();
}
