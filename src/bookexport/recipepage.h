#pragma once

#include "store/fileresult.h"
#include "store/tree.h"

#include <QFont>
#include <QString>

class QTextDocument;

namespace bookexport {

// The face of the book's own texts: headings, contents, page numbers.
QFont bookFont(qreal pointSize, bool bold = false);

// A recipe's page as the book shows it, read through the store's gate: its name as heading,
// "Ingredienser:" and the ingredient lines in the print styles, two empty lines, and the
// description with its own formatting. Missing files give an empty list or description, as
// in the window. A failure (a file that can't be read) leaves doc empty and names the reason.
store::FileResult composeRecipe(const store::Tree &area, const QString &folder, const QString &name,
                                QTextDocument *doc);

// The page that stands in the book for a recipe that can't be read: its name and why.
void composeUnreadable(const QString &name, const QString &reason, QTextDocument *doc);

} // namespace bookexport
