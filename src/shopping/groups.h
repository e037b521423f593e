#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

namespace shopping {

// Where a food stands in a Danish supermarket, in the order one walks through it.
enum class Group { FrugtOgGroent, Broed, Mejeri, KoedOgFisk, Kolonial, Frost, Andet };

// "frugt og grønt", "brød", "mejeri", "kød og fisk", "kolonial", "frost", "andet".
QString groupName(Group group);
// The group of such a name; false when it names none.
bool groupFromName(const QString &name, Group *group);
QList<Group> allGroups();

// The user's own choices: the food's key (foodKey) and the group the user moved it to.
using GroupChoices = QHash<QString, Group>;

// The user's choice for the food, else the shipped table of common foods (a compound finds its
// last part: "hvedemel" is "mel", "piskefløde" is "fløde"), else "andet".
Group groupOf(const QString &name, const GroupChoices &choices = {});

} // namespace shopping
