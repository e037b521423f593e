#include "bookexport/bookcontents.h"

#include "store/listfile.h"
#include "store/storepaths.h"

namespace bookexport {

namespace {

using store::StorePaths;

// The entries of a list file; a missing file is an empty list, as in the window.
bool readList(const store::Tree &area, const QString &path, QStringList *entries, QStringList *problems)
{
    entries->clear();
    if (path.isEmpty() || !area.exists(path))
        return true;
    store::ListText list;
    const store::FileResult read = store::readListFile(area, path, &list);
    if (!read) {
        problems->append(read.error + u'.');
        return false;
    }
    *entries = list.entries;
    return true;
}

QString findEntry(const QStringList &entries, const QString &wanted)
{
    for (const QString &entry : entries)
        if (entry.compare(wanted, Qt::CaseInsensitive) == 0)
            return entry;
    return {};
}

void addMainCategory(const store::Tree &area, const QString &areaFolder, const QString &hovedKat,
                     const QString &onlyUnderKat, BookContents *book)
{
    const QString mainFolder = StorePaths::subFolder(area, areaFolder, hovedKat);
    QStringList subs;
    if (mainFolder.isEmpty()) {
        book->problems.append(QStringLiteral("Hovedkategorien \"%1\" kan ikke læses: navnet kan ikke bruges som mappenavn.").arg(hovedKat));
        return;
    }
    if (!readList(area, StorePaths::indexFile(mainFolder), &subs, &book->problems))
        return;
    if (!onlyUnderKat.isEmpty()) {
        const QString found = findEntry(subs, onlyUnderKat);
        if (found.isEmpty()) {
            book->error = QStringLiteral("Underkategorien \"%1\" findes ikke i \"%2\".").arg(onlyUnderKat, hovedKat);
            return;
        }
        subs = QStringList{found};
    }
    for (const QString &underKat : subs) {
        BookSection section{hovedKat, underKat, StorePaths::subFolder(area, mainFolder, underKat), {}};
        if (section.folder.isEmpty()) {
            book->problems.append(QStringLiteral("Underkategorien \"%1\" kan ikke læses: navnet kan ikke bruges som mappenavn.").arg(underKat));
            continue;
        }
        if (readList(area, StorePaths::indexFile(section.folder), &section.recipes, &book->problems)
            && !section.recipes.isEmpty())
            book->sections.append(section);
    }
}

} // namespace

int BookContents::recipeCount() const
{
    int count = 0;
    for (const BookSection &section : sections)
        count += int(section.recipes.size());
    return count;
}

BookContents readContents(const store::Tree &area, const QString &areaFolder, const BookScope &scope)
{
    BookContents book;
    QStringList mains;
    if (!readList(area, StorePaths::mainCategoryFile(areaFolder), &mains, &book.problems)) {
        book.error = book.problems.takeLast();
        return book;
    }
    if (!scope.hovedKat.isEmpty()) {
        const QString found = findEntry(mains, scope.hovedKat);
        if (found.isEmpty()) {
            book.error = QStringLiteral("Hovedkategorien \"%1\" findes ikke.").arg(scope.hovedKat);
            return book;
        }
        mains = QStringList{found};
    }
    for (const QString &hovedKat : mains) {
        addMainCategory(area, areaFolder, hovedKat, scope.underKat, &book);
        if (!book.error.isEmpty())
            break;
    }
    return book;
}

} // namespace bookexport
