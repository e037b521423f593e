#pragma once

#include "webimport/recipe.h"

#include <QString>

#include <optional>

namespace webimport {

// The recipe of an HTML page: JSON-LD first, microdata when there is none, and the markup of
// the common blog recipe plugins where schema.org data leaves quantities out or is missing.
std::optional<Recipe> recipeFromHtml(const QString &page);

} // namespace webimport
