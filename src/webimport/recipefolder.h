#pragma once

#include "webimport/pagereader.h"

#include <QImage>
#include <QStringList>

namespace webimport {

// What a folder of recipe folders holds, as self-hosted cookbook programs keep them: one
// folder per recipe with its "recipe.json" (and perhaps "full.jpg").
struct RecipeFolder {
    QString root;        // the chosen folder, ending with "/"
    QStringList folders; // the recipe folders below it, relative, each ending with "/"
    int skipped = 0;     // links, names no path is made of, and what lay beyond the limits
};

// Deeper than any cookbook program keeps its recipes; more than any book holds.
constexpr int kMaxFolderDepth = 3;
constexpr int kMaxFolderRecipes = 5000;

// Walks the folder without following any link, at most kMaxFolderDepth levels down and to
// kMaxFolderRecipes recipes, in name order.
RecipeFolder scanRecipeFolder(const QString &folder);

struct FolderRecipe {
    ReadResult read;
    QImage picture; // "full.jpg" beside the recipe, when it is a picture
};

// Reads one recipe folder through the chosen folder's gate, never through a link.
FolderRecipe readFolderRecipe(const RecipeFolder &folder, const QString &recipeFolder);

} // namespace webimport
