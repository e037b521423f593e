// Reads each page named on the command line and prints what the reader takes from it, one JSON
// object a line, for scripts/importsider-measure to compare with the answers.

#include "webimport/pagereader.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUrl>

#include <cstdio>

int main(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        const QString path = QString::fromLocal8Bit(argv[i]);
        QJsonObject o;
        o.insert(QStringLiteral("file"), path);
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            o.insert(QStringLiteral("error"), file.errorString());
        } else {
            const webimport::ReadResult read =
                webimport::readRecipe(file.readAll(), QString(), QUrl::fromLocalFile(path).toString());
            if (!read.ok) {
                o.insert(QStringLiteral("error"), read.error);
            } else {
                o.insert(QStringLiteral("name"), read.recipe.name);
                o.insert(QStringLiteral("ingredients"), QJsonArray::fromStringList(read.recipe.ingredients));
                QJsonArray steps;
                for (const webimport::Step &step : read.recipe.steps) {
                    if (!step.section.isEmpty())
                        steps.append(step.section);
                    steps.append(step.text);
                }
                o.insert(QStringLiteral("steps"), steps);
            }
        }
        const QByteArray line = QJsonDocument(o).toJson(QJsonDocument::Compact);
        std::fwrite(line.constData(), 1, size_t(line.size()), stdout);
        std::fputc('\n', stdout);
    }
    return 0;
}
