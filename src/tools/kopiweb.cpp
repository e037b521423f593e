#include "tools/kopiweb.h"

#include "site/siteexport.h"
#include "tools/bookchoice.h"

#include <QTextStream>

int runKopiWeb(const KopiOptions &options, QTextStream &out, QTextStream &err)
{
    const std::optional<BookChoice> choice = chooseBook(options, err);
    if (!choice)
        return 1;
    site::SiteRequest request;
    request.area = choice->area;
    request.areaFolder = choice->areaFolder;
    request.scope = choice->scope;
    request.title = choice->title;
    request.folder = options.file;

    const site::SiteResult result = site::exportSite(request);
    for (const QString &problem : result.problems)
        err << problem << '\n';
    for (const QString &recipe : result.unreadable)
        err << QStringLiteral("Kan ikke læses: ") << recipe << '\n';
    if (result.outcome != site::SiteResult::Outcome::Written) {
        err << result.error << '\n';
        return 1;
    }
    out << QStringLiteral("%1: %2 opskrifter; %3 filer skrevet, %4 uændrede, %5 fjernet; %6 kunne ikke læses.")
               .arg(options.file)
               .arg(result.recipes)
               .arg(result.written)
               .arg(result.unchanged)
               .arg(result.removed)
               .arg(result.unreadable.size())
        << '\n';
    return result.unreadable.isEmpty() && result.problems.isEmpty() ? 0 : 1;
}
