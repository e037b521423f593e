#pragma once

#include "webimport/recipe.h"

namespace webimport {

// What pages put around a recipe's lines for the eye, taken off: check-box glyphs and bullets
// before a line, step numbers the page writes itself when the steps are a numbered list
// anyway, and the recipe's name standing as its first step.
void tidyLines(Recipe *recipe);

} // namespace webimport
