#pragma once

#include "bookexport/bookcontents.h"
#include "store/tree.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <functional>

// A subcategory, main category or whole area as one PDF book: a title page, a contents list with
// page numbers, each recipe from a new page, page numbers in the footer and an outline of
// categories and recipes. Recipes are read, laid out and drawn one at a time, twice (the first
// time to count the pages the contents list names), so the book is never held in memory.
namespace bookexport {

struct CookbookRequest {
    store::Tree area;   // the area's gate
    QString areaFolder; // its folder, ending with "/"
    BookScope scope;
    QString title;      // on the title page: the area's or the category's name
    QDate date;
    QString file;       // the PDF; it appears only when whole
    // Margins in centimetres, as the print settings dialog gives them.
    double left = 2.5;
    double right = 1;
    double top = 2;
    double bottom = 1.5;
};

struct CookbookWatcher {
    std::function<void(int done, int total)> progress;
    std::function<bool()> stop; // true: stop soon, and write nothing
};

struct CookbookResult {
    enum class Outcome { Written, Cancelled, Failed };
    Outcome outcome = Outcome::Failed;
    QString error; // Danish, when it failed
    int recipes = 0;
    int pages = 0;
    // "Hovedkategori / Underkategori / Opskrift: why", for each recipe listed as unreadable.
    QStringList unreadable;
    // Lists that could not be read, and recipes that changed while the book was made.
    QStringList problems;
};

CookbookResult writeCookbook(const CookbookRequest &request, const CookbookWatcher &watcher = {});

} // namespace bookexport
