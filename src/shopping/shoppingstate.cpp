#include "shopping/shoppingstate.h"

namespace shopping {

QList<Item> ShoppingState::items() const
{
    QList<RecipeLines> lines;
    lines.reserve(recipes.size());
    for (const ListRecipe &recipe : recipes)
        lines.append({recipe.name, recipe.lines, recipe.factor});
    return mergeRecipes(lines);
}

} // namespace shopping
