#pragma once

#include "webimport/recipe.h"

#include <QByteArray>
#include <QList>

#include <optional>

namespace webimport {

// A recipe held only in a page's application state: JSON in a script (as frameworks store the
// state they render from, also assigned to a variable) or in a data- attribute. Whatever the
// site calls its fields, the recipe is the object with a name, ingredients and steps; amounts
// given in parts (amount, unit, ingredient, prefix, suffix) are joined into a line.
std::optional<Recipe> recipeFromState(const QList<QByteArray> &states);

} // namespace webimport
