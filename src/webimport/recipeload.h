#pragma once

#include "webimport/fetcher.h"
#include "webimport/pagereader.h"

#include <QImage>
#include <QList>
#include <QObject>

#include <functional>

class QThread;

namespace webimport {

struct LoadResult {
    ReadResult read;
    QImage picture;       // null when the recipe names none or it could not be had
    QString pictureError; // Danish, when the recipe names a picture that could not be had
    QByteArray descriptionRtf; // the description as it will be saved, picture and all
};

// Reads a recipe from an address or a file and then fetches the picture it names, without
// holding the window: every download within the fetcher's limits, the page read, the picture
// decoded and the description written on threads of their own, and stopped at any moment.
class RecipeLoad : public QObject {
    Q_OBJECT
public:
    explicit RecipeLoad(QObject *parent = nullptr);
    ~RecipeLoad() override;

    void startAddress(const QUrl &url);
    void startFile(const QString &path);
    // Stops whatever runs; finished is not sent for it.
    void cancel();
    bool isRunning() const { return m_stage != Stage::Idle; }

signals:
    void progress(qint64 received, qint64 total);
    void finished(const webimport::LoadResult &result);

private:
    enum class Stage { Idle, Page, Picture };

    void fetched(const FetchResult &result);
    void read(ReadResult read);
    void finish();
    // Runs work on a thread of its own, then(): unless the load was cancelled or started anew.
    void beside(std::function<void()> work, std::function<void()> then);

    Fetcher m_fetcher;
    Stage m_stage = Stage::Idle;
    Fetcher::Reach m_pictureReach = Fetcher::Reach::OutsideOnly;
    LoadResult m_result;
    int m_generation = 0;
    QList<QThread *> m_workers; // waited for when the load goes
};

} // namespace webimport
