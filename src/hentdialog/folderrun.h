#pragma once

#include "webimport/recipeimport.h"

#include <QMutex>
#include <QStringList>
#include <QThread>

#include <atomic>
#include <functional>
#include <memory>

// A folder of recipe folders going into a subcategory on a thread of its own: the scan, the
// reading and the pictures, and each recipe's list change and files, while the window answers.
// Stops between two recipes when asked, so no recipe is left half.
class FolderRun {
public:
    struct State {
        int total = -1; // -1 until the folder is scanned
        int next = 0;   // recipe folders taken, the one under way included
        QString current;
        int imported = 0;
        int skipped = 0;
        QStringList failures;
    };

    // changed is called on the worker after each step; finished when the run has ended.
    FolderRun(const webimport::RecipePlace &place, const QString &folder, std::function<void()> changed);
    ~FolderRun(); // stops and waits

    void stop() { m_stop = true; }
    bool stopped() const { return m_stop; }
    void wait() { m_worker->wait(); }
    QThread *worker() const { return m_worker.get(); }
    State state() const;

private:
    void work(const webimport::RecipePlace &place, const QString &folder);

    std::function<void()> m_changed;
    std::atomic<bool> m_stop{false};
    mutable QMutex m_mutex;
    State m_state;
    std::unique_ptr<QThread> m_worker;
};
