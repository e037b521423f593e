#pragma once

#include "store/tree.h"

#include <QList>
#include <QString>
#include <QStringList>

// Which recipes a book holds, read from the area's lists through the store's gate: names only,
// the recipes themselves are read one at a time while the book is written.
namespace bookexport {

struct BookScope {
    QString hovedKat; // empty: the whole area
    QString underKat; // empty: the whole main category
};

struct BookSection {
    QString hovedKat;
    QString underKat;
    QString folder; // the subcategory's folder, as the store composes it
    QStringList recipes;
};

struct BookContents {
    QList<BookSection> sections; // in the lists' order; a subcategory without recipes is left out
    QStringList problems;        // lists that could not be read, each a Danish sentence
    QString error;               // the chosen category does not exist: nothing to write
    int recipeCount() const;
};

// areaFolder: the area's folder, ending with "/". A category named in scope is looked up in its
// list without regard to letter case.
BookContents readContents(const store::Tree &area, const QString &areaFolder, const BookScope &scope);

} // namespace bookexport
