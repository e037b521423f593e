#pragma once

#include "store/listchange.h"
#include "webimport/recipe.h"

#include <QImage>

namespace webimport {

// Where a recipe goes: the subcategory's folder and its list of recipes.
struct RecipePlace {
    store::Tree area;
    QString opskriftDir;  // the subcategory's folder
    QString opskriftFile; // its list of recipes
};

struct ImportResult {
    store::ChangeResult change; // the list change; Done when the recipe is in the book
    QString error;              // a file write that failed, Danish
};

// Inserts the recipe under name through the store's list change (lock, fresh list, name
// test), then writes its ingredient list and its description. When a file can't be written
// the entry is taken out again, so list and store still agree.
ImportResult importRecipe(const RecipePlace &place, const QString &name, const Recipe &recipe,
                          const QImage &picture);

// The same under the first free name of "name", "name (2)", "name (3)" …; used tells which.
ImportResult importRecipeUnique(const RecipePlace &place, const QString &name, const Recipe &recipe,
                                const QImage &picture, QString *used);

// A name the store accepts made from a page's name: forbidden characters become spaces, cut
// to what the file system takes; empty when nothing usable is left.
QString usableName(const QString &pageName);

// The place of "Alle/Hoved/Under" (or "<login>/Hoved/Under") below a data root, when both
// categories exist in their lists; error says why not.
bool placeOf(const QString &dataRoot, const QString &brugernavn, const QString &path, RecipePlace *place,
             QString *error);

} // namespace webimport
