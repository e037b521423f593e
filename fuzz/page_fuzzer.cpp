// Feeds arbitrary bytes to the reader of web pages and schema.org files, as a page served as
// HTML and as a file of unknown type, and prints what it found as the command line does.

#include "webimport/pagereader.h"
#include "webimport/recipesource.h"

#include <QGuiApplication>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication *app = new QGuiApplication(*argc, *argv);
    Q_UNUSED(app);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    for (const QString &type : {QStringLiteral("text/html; charset=utf-8"), QString()}) {
        const webimport::ReadResult read = webimport::readRecipe(input, type, QStringLiteral("https://example.org/a/"));
        if (read.ok)
            webimport::recipeJson(read.recipe);
    }
    return 0;
}
