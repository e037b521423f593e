#pragma once

#include "webimport/recipeimport.h"
#include "webimport/recipeload.h"

#include <functional>

// What the recipe-fetching dialog asks of the window it fetches for.
struct HentTarget {
    webimport::RecipePlace place; // the chosen subcategory
    // The store's objection to a name, as "Indfør" tells it; empty when the name can be used.
    std::function<QString(const QString &name)> nameProblem;
    // Puts the recipe into the book under name and opens it; false when it is not in the book
    // (the user has been told why).
    std::function<bool(const QString &name, const webimport::LoadResult &loaded)> insert;
    // After a folder's recipes went into the subcategory.
    std::function<void()> folderImported;
};
