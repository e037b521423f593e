#include "webimport/recipeload.h"

#include "rtf/rtfwriter.h"
#include "webimport/description.h"
#include "webimport/recipesource.h"

#include <QTextDocument>
#include <QThread>

#include <memory>

namespace webimport {

RecipeLoad::RecipeLoad(QObject *parent)
    : QObject(parent)
{
    connect(&m_fetcher, &Fetcher::progress, this, &RecipeLoad::progress);
    connect(&m_fetcher, &Fetcher::finished, this, &RecipeLoad::fetched);
}

RecipeLoad::~RecipeLoad()
{
    for (QThread *worker : std::as_const(m_workers)) {
        worker->wait();
        delete worker;
    }
}

void RecipeLoad::startAddress(const QUrl &url)
{
    cancel();
    m_stage = Stage::Page;
    m_fetcher.start(url, kMaxPageBytes);
}

void RecipeLoad::startFile(const QString &path)
{
    cancel();
    m_stage = Stage::Page;
    auto result = std::make_shared<ReadResult>();
    beside([result, path] { *result = readRecipeFile(path); }, [this, result] { read(std::move(*result)); });
}

void RecipeLoad::cancel()
{
    m_fetcher.abort();
    m_stage = Stage::Idle;
    m_result = {};
    m_pictureReach = Fetcher::Reach::OutsideOnly; // a file read from disk stays so
    ++m_generation; // what still runs beside is not waited for: its result is dropped
}

void RecipeLoad::beside(std::function<void()> work, std::function<void()> then)
{
    QThread *worker = QThread::create(std::move(work));
    m_workers.append(worker);
    connect(worker, &QThread::finished, this, [this, worker, then = std::move(then), generation = m_generation] {
        m_workers.removeOne(worker);
        worker->deleteLater();
        if (generation == m_generation)
            then();
    });
    worker->start();
}

void RecipeLoad::fetched(const FetchResult &result)
{
    if (m_stage == Stage::Page) {
        if (!result.ok) {
            ReadResult failed;
            failed.error = result.error;
            read(failed);
            return;
        }
        // A page from this machine or the house may show its pictures from there; no other may.
        m_pictureReach = result.fromInside ? Fetcher::Reach::Anywhere : Fetcher::Reach::OutsideOnly;
        auto page = std::make_shared<ReadResult>();
        beside([page, result] { *page = readRecipe(result.body, result.contentType, result.url.toString()); },
               [this, page] { read(std::move(*page)); });
        return;
    }
    if (m_stage != Stage::Picture)
        return;
    if (!result.ok) {
        m_result.pictureError = QStringLiteral("Billedet kunne ikke hentes: %1").arg(result.error);
        finish();
        return;
    }
    auto picture = std::make_shared<QImage>();
    beside([picture, body = result.body] { *picture = pictureFrom(body); },
           [this, picture] {
               m_result.picture = std::move(*picture);
               if (m_result.picture.isNull())
                   m_result.pictureError = QStringLiteral("Billedet på siden er ikke et billede, som kan vises.");
               finish();
           });
}

void RecipeLoad::read(ReadResult read)
{
    m_result.read = std::move(read);
    const QString image = m_result.read.recipe.image;
    // A picture in a saved page's own folder is not read: a page names no file to open.
    if (!m_result.read.ok || !isWebAddress(image)) {
        finish();
        return;
    }
    m_stage = Stage::Picture;
    m_fetcher.start(QUrl(image), kMaxPageBytes, m_pictureReach);
}

void RecipeLoad::finish()
{
    auto result = std::make_shared<LoadResult>(std::exchange(m_result, {}));
    const auto done = [this, result] {
        m_stage = Stage::Idle;
        emit finished(*result);
    };
    if (!result->read.ok) {
        done();
        return;
    }
    beside([result] { result->descriptionRtf = rtf::write(*descriptionDocument(result->read.recipe, result->picture)); },
           done);
}

} // namespace webimport
