#include "webimport/recipeload.h"

#include "webimport/recipesource.h"

namespace webimport {

RecipeLoad::RecipeLoad(QObject *parent)
    : QObject(parent)
{
    connect(&m_fetcher, &Fetcher::progress, this, &RecipeLoad::progress);
    connect(&m_fetcher, &Fetcher::finished, this, &RecipeLoad::fetched);
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
    read(readRecipeFile(path));
}

void RecipeLoad::cancel()
{
    m_fetcher.abort();
    m_stage = Stage::Idle;
    m_result = {};
}

void RecipeLoad::fetched(const FetchResult &result)
{
    if (m_stage == Stage::Page) {
        if (!result.ok) {
            ReadResult failed;
            failed.error = result.error;
            read(failed);
        } else {
            read(readRecipe(result.body, result.contentType, result.url.toString()));
        }
        return;
    }
    if (m_stage != Stage::Picture)
        return;
    if (result.ok)
        m_result.picture = pictureFrom(result.body);
    if (m_result.picture.isNull())
        m_result.pictureError = result.ok ? QStringLiteral("Billedet på siden er ikke et billede, som kan vises.")
                                          : QStringLiteral("Billedet kunne ikke hentes: %1").arg(result.error);
    finish();
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
    m_fetcher.start(QUrl(image), kMaxPageBytes);
}

void RecipeLoad::finish()
{
    m_stage = Stage::Idle;
    const LoadResult result = std::exchange(m_result, {});
    emit finished(result);
}

} // namespace webimport
