#pragma once

#include "webimport/pagereader.h"
#include "webimport/recipeimport.h"

#include <QImage>
#include <QStringList>

#include <functional>
#include <memory>

namespace webimport {

// What a folder of recipe folders holds, as self-hosted cookbook programs keep them: one
// folder per recipe with its "recipe.json" (and perhaps "full.jpg").
struct RecipeFolder {
    QString root;        // the chosen folder, ending with "/"
    QStringList folders; // the recipe folders below it, relative, each ending with "/"
    int skipped = 0;     // links, names no path is made of, and what lay beyond the limits
    // The chosen folder, opened once when it was chosen: every read goes down from it, so a
    // link put in its place (or above it) later leads nowhere else.
    std::shared_ptr<const int> handle;
    bool opened() const { return handle != nullptr; }
};

// Deeper than any cookbook program keeps its recipes; more than any book holds.
constexpr int kMaxFolderDepth = 3;
constexpr int kMaxFolderRecipes = 5000;

// Opens the folder and walks it without following any link, at most kMaxFolderDepth levels
// down and to kMaxFolderRecipes recipes, in name order. Not opened() when it is no folder.
RecipeFolder scanRecipeFolder(const QString &folder);

struct FolderRecipe {
    ReadResult read;
    QImage picture; // "full.jpg" beside the recipe, when it is a picture
};

// Reads one recipe folder below the opened folder, never through a link, only regular files.
FolderRecipe readFolderRecipe(const RecipeFolder &folder, const QString &recipeFolder);

// One recipe folder's outcome.
struct FolderImported {
    QString folder;  // relative, as in RecipeFolder::folders
    QString name;    // the name it got in the book, when it went in
    QString failure; // Danish, when it did not
};

// Reads the recipe folders in order and puts them in under place, a few dozen in one list
// change. next(i) is called before folder i is read; when it returns false the run ends, and
// what has been read goes in whole. done is called for every folder read.
void importRecipeFolders(const RecipePlace &place, const RecipeFolder &folder, const std::function<bool(int)> &next,
                         const std::function<void(const FolderImported &)> &done);

} // namespace webimport
