#pragma once

#include <QString>
#include <QStringList>

namespace site {

// The part of a file name made from a recipe's name: lower-case ASCII letters, digits and "-"
// only (æ, ø and å as "ae", "oe" and "aa", accents dropped), at most kMaxStemLength long, never
// empty and never a name a file system reserves ("con", "nul", "lpt1" ...). Such a name is the
// same on every file system and needs no escaping in an address.
QString fileStem(const QString &name);
constexpr int kMaxStemLength = 60;

// One stem per key, each unique, in the order of keys. A key is what tells two recipes apart
// (category path and name); a stem that more than one key would get is followed by a short
// digest of each key, so a page keeps its name from one export to the next whatever is added
// before it.
QStringList uniqueStems(const QStringList &names, const QStringList &keys);

} // namespace site
