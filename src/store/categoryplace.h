#pragma once

#include "store/tree.h"

#include <QString>

namespace store {

// A subcategory found through the lists: its area, its folder and its list of recipes.
struct CategoryPlace {
    Tree area;
    QString folder;
    QString list;
};

// The subcategory sub of the main category main in the shared area ("Alle") or the user's
// private one (area == brugernavn), when both categories stand in their lists; error says why
// not, in Danish.
bool findSubcategory(const QString &dataRoot, const QString &brugernavn, const QString &area, const QString &main,
                     const QString &sub, CategoryPlace *place, QString *error);

} // namespace store
