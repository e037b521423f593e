#include "webimport/recipesource.h"

#include <QDir>
#include <QFile>
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
    ReadResult result;
    const QFileInfo info(path);
    // Only a regular file: a pipe or device would block or never end.
    if (!info.exists() || !info.isFile()) {
        result.error = QStringLiteral("Filen \"%1\" kan ikke læses").arg(path);
        return result;
    }
    if (info.size() > kMaxPageBytes) {
        result.error = QStringLiteral("Filen \"%1\" er for stor til at blive åbnet").arg(path);
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = QStringLiteral("Filen \"%1\" kan ikke læses").arg(path);
        return result;
    }
    const QByteArray bytes = file.read(kMaxPageBytes + 1);
    return readRecipe(bytes, QString(), QUrl::fromLocalFile(info.absoluteFilePath()).toString());
}

QStringList recipeJsonFiles(const QString &folder)
{
    QStringList files;
    const QDir dir(folder);
    const QStringList subfolders = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString &sub : subfolders) {
        const QFileInfo file(dir.filePath(sub + QStringLiteral("/recipe.json")));
        if (file.isFile() && !file.isSymLink())
            files << file.filePath();
    }
    return files;
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
