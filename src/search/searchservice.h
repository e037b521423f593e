#pragma once

#include "search/recipeindex.h"

#include <QObject>
#include <QStringList>

#include <atomic>
#include <memory>

class QThread;

namespace search {

struct SearchResults {
    int serial = 0;     // of the request answered
    QString typed;      // as the user typed it
    QStringList words;  // folded
    QList<Found> shown;
    int total = 0;
    int unsearched = 0; // not found, but their descriptions were past the index's budget
    bool outOfMemory = false; // the recipes could not all be read: there was not memory enough
};

class SearchWorker;

// Searches the recipe areas away from the user-interface thread. The index is built at the
// first request, with progress reported, and looked over again after every answer, so that
// what others change is found; the program's own changes are noted, and the next answer waits
// for them to be read. Answers come as signals; a newer request makes older answers stale.
class SearchService : public QObject {
    Q_OBJECT

public:
    explicit SearchService(QList<AreaSource> areas, QObject *parent = nullptr);
    ~SearchService() override;

    // Returns the serial that the answer will carry.
    int search(const QString &typed);
    // Something was changed by this program: the next answer reads it first.
    void noteChange();
    int latestSerial() const { return m_serial; }

    // More than a person reads; the total says how many there are.
    static constexpr int kMaxShown = 200;

signals:
    void building(int done, int total);
    void answered(const search::SearchResults &results);
    // An answer already given has changed because the index did.
    void changedSinceAnswer();

private:
    std::shared_ptr<std::atomic<int>> m_pending;
    std::shared_ptr<std::atomic<bool>> m_stale;
    std::shared_ptr<std::atomic<bool>> m_stopping;
    QThread *m_thread = nullptr;
    SearchWorker *m_worker = nullptr;
    int m_serial = 0;
};

} // namespace search

Q_DECLARE_METATYPE(search::SearchResults)
