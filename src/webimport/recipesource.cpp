#include "webimport/recipesource.h"

#include "store/tree.h"

#include <QFileInfo>
#include <QImageReader>
#include <QBuffer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUrl>

namespace webimport {

ReadResult readRecipeFile(const QString &path)
{
    // Through the store's gate: only a regular file, never through a link, never a pipe that
    // would block, never more than a page may be.
    const QString file = QFileInfo(path).absoluteFilePath();
    QByteArray bytes;
    if (const store::FileResult read = store::Tree::aroundFile(file).readFile(file, &bytes, kMaxPageBytes); !read) {
        ReadResult result;
        result.error = read.error;
        return result;
    }
    return readRecipe(bytes, QString(), QUrl::fromLocalFile(file).toString());
}

QImage pictureFrom(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer);
    // A picture that claims to be huge is refused before it is decoded.
    const QSize size = reader.size();
    if (size.isValid() && qint64(size.width()) * size.height() > 40LL * 1000 * 1000)
        return {};
    return reader.read();
}

bool isWebAddress(const QString &text)
{
    const QUrl url(text.trimmed(), QUrl::StrictMode);
    return url.isValid() && (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https"))
        && !url.host().isEmpty();
}

QByteArray recipeJson(const Recipe &recipe)
{
    QJsonObject o;
    const auto put = [&o](const char *key, const QString &value) {
        if (!value.isEmpty())
            o.insert(QLatin1String(key), value);
    };
    put("name", recipe.name);
    if (!recipe.ingredients.isEmpty())
        o.insert(QStringLiteral("ingredients"), QJsonArray::fromStringList(recipe.ingredients));
    if (!recipe.steps.isEmpty()) {
        QJsonArray steps;
        for (const Step &step : recipe.steps)
            steps.append(step.text);
        o.insert(QStringLiteral("steps"), steps);
    }
    put("yield", recipe.yield);
    put("totalTime", recipe.totalTime);
    put("image", recipe.image);
    put("source", recipe.source);
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}

} // namespace webimport
