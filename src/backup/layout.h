#pragma once

#include <QString>

namespace backup {

// A backup holds an area as the area holds itself: the main-category list at the top, a folder per
// main category with its Index.txt, a folder per subcategory with its Index.txt and the recipes'
// files. The manifest beside the main-category list says what made it.
inline QString mainListName() { return QStringLiteral("Hovedkategori.txt"); }
inline QString indexName() { return QStringLiteral("Index.txt"); }
inline QString manifestName() { return QStringLiteral("Retterum-sikkerhedskopi.txt"); }
inline QString descriptionSuffix() { return QStringLiteral(".rtf"); }
inline QString ingredientSuffix() { return QStringLiteral("liste.txt"); }

// A name from an archive as it can be shown in a message or on a terminal: control characters
// (an escape sequence, a line break) become "?".
QString shownName(const QString &name);

} // namespace backup
