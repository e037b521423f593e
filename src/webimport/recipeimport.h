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

// A recipe read and made ready to store: its ingredient lines and its description as RTF, so
// that many can wait for one list change without holding their pictures.
struct PreparedRecipe {
    QString name;
    QStringList ingredients;
    QByteArray description;
};
PreparedRecipe prepareRecipe(const QString &name, const Recipe &recipe, const QImage &picture);

// Inserts the recipes in one list change, each under the first free of "name", "name (2)" …
// (used[i] tells which), then writes their files; a recipe whose files can't be written is
// taken out again. One result per recipe.
QList<ImportResult> importPrepared(const RecipePlace &place, const QList<PreparedRecipe> &recipes, QStringList *used);

// Why a recipe did not go in, in Danish.
QString importFailure(const ImportResult &result);

// A name the store accepts made from a page's name: forbidden characters become spaces, cut
// to what the file system takes; empty when nothing usable is left.
QString usableName(const QString &pageName);

// The place of "Alle/Hoved/Under" (or "<login>/Hoved/Under") below a data root, when both
// categories exist in their lists; error says why not.
bool placeOf(const QString &dataRoot, const QString &brugernavn, const QString &path, RecipePlace *place,
             QString *error);

} // namespace webimport
