#include "tools/kopipdf.h"

#include "bookexport/cookbook.h"
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

int runKopiPdf(const KopiOptions &options, QTextStream &out, QTextStream &err)
{
    const store::StorePaths paths(options.dataRoot);
    const bool privat = options.area != QLatin1String("Alle");
    // A login becomes a folder name: ".." or a "/" would lead out of the users root.
    if (privat && !store::isUsableName(options.area)) {
        err << QStringLiteral("Området \"%1\" kan ikke bruges som mappenavn.").arg(options.area) << '\n';
        return 1;
    }
    bookexport::CookbookRequest request;
    request.area = paths.areaTree(privat, options.area);
    request.areaFolder = paths.areaFolder(privat, options.area);
    if (!request.area.folderExists(request.areaFolder)) {
        err << QStringLiteral("Området \"%1\" findes ikke under \"%2\".").arg(options.area, options.dataRoot) << '\n';
        return 1;
    }
    if (!options.category.isEmpty() && !splitCategory(options.category, &request.scope)) {
        err << QStringLiteral("--kategori skal være \"Hovedkategori\" eller \"Hovedkategori/Underkategori\".") << '\n';
        return 1;
    }
    request.title = request.scope.underKat.isEmpty()
                        ? (request.scope.hovedKat.isEmpty() ? (privat ? options.area : QStringLiteral("For alle"))
                                                            : request.scope.hovedKat)
                        : request.scope.underKat;
    request.date = QDate::currentDate();
    request.file = options.file;

    const bookexport::CookbookResult result = bookexport::writeCookbook(request);
    for (const QString &problem : result.problems)
        err << problem << '\n';
    for (const QString &recipe : result.unreadable)
        err << QStringLiteral("Kan ikke læses: ") << recipe << '\n';
    if (result.outcome != bookexport::CookbookResult::Outcome::Written) {
        err << result.error << '\n';
        return 1;
    }
    out << QStringLiteral("%1: %2 opskrifter på %3 sider, %4 kunne ikke læses.")
               .arg(options.file)
               .arg(result.recipes)
               .arg(result.pages)
               .arg(result.unreadable.size())
        << '\n';
    return result.unreadable.isEmpty() && result.problems.isEmpty() ? 0 : 1;
}
