#pragma once

#include <QString>
#include <QStringList>

namespace search {

// The form in which texts are compared: lower case, accents dropped, but æ, ø and å kept as
// letters of their own. Every UTF-16 unit becomes exactly one, so a position in the folded
// text is the same position in the original.
QString foldText(const QString &text);

// The words of what the user typed, folded, without repeats.
QStringList queryWords(const QString &typed);

} // namespace search
