#pragma once

#include "bookexport/bookcontents.h"
#include "store/tree.h"
#include "tools/kopioptions.h"

#include <optional>

class QTextStream;

// The area and category --område and --kategori name, checked, and the title the book gets.
struct BookChoice {
    store::Tree area;
    QString areaFolder;
    bookexport::BookScope scope;
    QString title;
};

// Nothing, with a Danish message on err, when the area or the category can't be used.
std::optional<BookChoice> chooseBook(const KopiOptions &options, QTextStream &err);
