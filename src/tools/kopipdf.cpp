#include "tools/kopipdf.h"

#include "bookexport/cookbook.h"
#include "tools/bookchoice.h"

#include <QTextStream>


int runKopiPdf(const KopiOptions &options, QTextStream &out, QTextStream &err)
{
    const std::optional<BookChoice> choice = chooseBook(options, err);
    if (!choice)
        return 1;
    bookexport::CookbookRequest request;
    request.area = choice->area;
    request.areaFolder = choice->areaFolder;
    request.scope = choice->scope;
    request.title = choice->title;
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
