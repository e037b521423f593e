#pragma once

#include "ingredients/ingredientline.h"
#include "shopping/amount.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace shopping {

// A recipe as it goes on the list: its name, its ingredient lines as stored, and the factor
// the amounts are taken by (1 for the recipe as written).
struct RecipeLines {
    QString recipe;
    QStringList lines;
    double factor = 1;
};

// One line of the shopping list: one food in one family of units.
struct Item {
    QString name;  // as the first line wrote it
    QString key;   // foodKey(name): the food, for grouping and ticking
    Family family = Family::None;
    QString unit;  // for Family::Other the unit itself; "stk" or none for counts
    // The sum in grams, millilitres or the unit; none for a food no line gave an amount for.
    std::optional<ingredients::Quantity> total;
    bool spoonsOnly = true; // every volume was given in tsk/spsk (or tsp/tbsp)
    QStringList lines;      // the source lines as written
    QStringList recipes;    // the recipes they came from, each once

    // A key that tells this item from the other of the same food ("sukker" in dl and in g).
    QString itemKey() const;
    // The total in the unit a Dane buys it in; none without an amount.
    std::optional<Written> written() const;
    // "7 dl mælk", "1,5 kg kartofler", "2-3 løg", "salt": the item as the list shows it.
    QString text() const;
};

// Every ingredient line of the recipes merged into items, in the order the foods first appear.
// Headings and empty lines are left out; a line the reader can't make sense of is an item of
// its own, under its whole text.
QList<Item> mergeRecipes(const QList<RecipeLines> &recipes);

} // namespace shopping
