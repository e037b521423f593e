#include "search/searchservice.h"

#include "search/textfold.h"

#include <QThread>

namespace search {

// Lives on the service's thread and alone touches the index, so the index needs no lock.
class SearchWorker : public QObject {
    Q_OBJECT

public:
    SearchWorker(QList<AreaSource> areas, std::shared_ptr<std::atomic<int>> pending,
                 std::shared_ptr<std::atomic<bool>> stale, std::shared_ptr<std::atomic<bool>> stopping)
        : m_index(std::move(areas))
        , m_pending(std::move(pending))
        , m_stale(std::move(stale))
        , m_stopping(std::move(stopping))
    {
    }

    void answer(int serial, const QString &typed)
    {
        --*m_pending;
        if (*m_stopping)
            return;
        RecipeIndex::Refreshed refreshed;
        if (!m_built) {
            RecipeIndex::Watcher watcher;
            watcher.progress = [this](int done, int total) { emit building(done, total); };
            watcher.stop = [this] { return bool(*m_stopping); };
            refreshed = m_index.refresh(watcher);
            m_built = refreshed.complete;
            m_stale->store(false);
        } else if (m_stale->exchange(false)) {
            refreshed = m_index.refresh();
            m_built = !refreshed.outOfMemory;
        }
        if (refreshed.outOfMemory) {
            SearchResults failed;
            failed.serial = serial;
            failed.typed = typed;
            failed.outOfMemory = true;
            emit answered(failed);
            return;
        }
        // A newer request is waiting: this answer would be stale before it is seen.
        if (*m_stopping || *m_pending > 0)
            return;
        const SearchResults results = find(serial, typed);
        emit answered(results);
        // Then a look for what others changed, given up as soon as the user types on.
        if (*m_pending > 0)
            return;
        RecipeIndex::Watcher watcher;
        watcher.stop = [this] { return *m_pending > 0 || *m_stopping; };
        const RecipeIndex::Refreshed after = m_index.refresh(watcher);
        if (after.outOfMemory)
            m_built = false;
        else if (after.changed && !*m_stopping)
            emit changedSinceAnswer();
    }

signals:
    void building(int done, int total);
    void answered(const search::SearchResults &results);
    void changedSinceAnswer();

private:
    SearchResults find(int serial, const QString &typed) const
    {
        SearchResults results;
        results.serial = serial;
        results.typed = typed;
        results.words = queryWords(typed);
        RecipeIndex::Results found = m_index.search(results.words, SearchService::kMaxShown);
        results.shown = std::move(found.shown);
        results.total = found.total;
        results.unsearched = found.unsearched;
        return results;
    }

    RecipeIndex m_index;
    bool m_built = false;
    std::shared_ptr<std::atomic<int>> m_pending;
    std::shared_ptr<std::atomic<bool>> m_stale;
    std::shared_ptr<std::atomic<bool>> m_stopping;
};

SearchService::SearchService(QList<AreaSource> areas, QObject *parent)
    : QObject(parent)
    , m_pending(std::make_shared<std::atomic<int>>(0))
    , m_stale(std::make_shared<std::atomic<bool>>(false))
    , m_stopping(std::make_shared<std::atomic<bool>>(false))
{
    qRegisterMetaType<search::SearchResults>();
    m_thread = new QThread(this);
    m_worker = new SearchWorker(std::move(areas), m_pending, m_stale, m_stopping);
    m_worker->moveToThread(m_thread);
    connect(m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
    connect(m_worker, &SearchWorker::building, this, &SearchService::building);
    connect(m_worker, &SearchWorker::answered, this, &SearchService::answered);
    connect(m_worker, &SearchWorker::changedSinceAnswer, this, &SearchService::changedSinceAnswer);
    m_thread->start();
}

SearchService::~SearchService()
{
    m_stopping->store(true);
    m_thread->quit();
    m_thread->wait();
}

int SearchService::search(const QString &typed)
{
    const int serial = ++m_serial;
    ++*m_pending;
    QMetaObject::invokeMethod(m_worker, [worker = m_worker, serial, typed] { worker->answer(serial, typed); },
                              Qt::QueuedConnection);
    return serial;
}

void SearchService::noteChange()
{
    m_stale->store(true);
}

} // namespace search

#include "searchservice.moc"
