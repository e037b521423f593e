#include "app/qttexts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

bool useDanishQtTexts(QCoreApplication *application)
{
    auto *translator = new QTranslator(application);
    if (!translator->load(QStringLiteral("qtbase_da"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}
