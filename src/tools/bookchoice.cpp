#include "tools/bookchoice.h"

#include "store/entryname.h"
#include "store/storepaths.h"

#include <QTextStream>

namespace {

bool splitCategory(const QString &category, bookexport::BookScope *scope)
{
    const QStringList parts = category.split(u'/');
    if (category.isEmpty() || parts.size() > 2 || parts.contains(QString()))
        return false;
    scope->hovedKat = parts.at(0);
    scope->underKat = parts.value(1);
    return true;
}

} // namespace

std::optional<BookChoice> chooseBook(const KopiOptions &options, QTextStream &err)
{
    const store::StorePaths paths(options.dataRoot);
    const bool privat = options.area != QLatin1String("Alle");
    // A login becomes a folder name: ".." or a "/" would lead out of the users root.
    if (privat && !store::isUsableName(options.area)) {
        err << QStringLiteral("Området \"%1\" kan ikke bruges som mappenavn.").arg(options.area) << '\n';
        return std::nullopt;
    }
    BookChoice choice;
    choice.area = paths.areaTree(privat, options.area);
    choice.areaFolder = paths.areaFolder(privat, options.area);
    if (!choice.area.folderExists(choice.areaFolder)) {
        err << QStringLiteral("Området \"%1\" findes ikke under \"%2\".").arg(options.area, options.dataRoot) << '\n';
        return std::nullopt;
    }
    if (!options.category.isEmpty() && !splitCategory(options.category, &choice.scope)) {
        err << QStringLiteral("--kategori skal være \"Hovedkategori\" eller \"Hovedkategori/Underkategori\".") << '\n';
        return std::nullopt;
    }
    choice.title = choice.scope.underKat.isEmpty()
                       ? (choice.scope.hovedKat.isEmpty() ? (privat ? options.area : QStringLiteral("For alle"))
                                                          : choice.scope.hovedKat)
                       : choice.scope.underKat;
    return choice;
}
