#pragma once

#include "webimport/fetcher.h"
#include "webimport/pagereader.h"

#include <QImage>
#include <QObject>

namespace webimport {

struct LoadResult {
    ReadResult read;
    QImage picture;       // null when the recipe names none or it could not be had
    QString pictureError; // Danish, when the recipe names a picture that could not be had
};

// Reads a recipe from an address or a file and then fetches the picture it names, without
// holding the window: every download within the fetcher's limits, and stopped at any moment.
class RecipeLoad : public QObject {
    Q_OBJECT
public:
    explicit RecipeLoad(QObject *parent = nullptr);

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

    Fetcher m_fetcher;
    Stage m_stage = Stage::Idle;
    LoadResult m_result;
};

} // namespace webimport
