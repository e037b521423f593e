#pragma once

#include "ingredients/ingredientline.h"
#include "ingredients/units.h"

namespace ingredients {

// Where each piece of the amount stands, for the functions that rewrite it.
struct Span {
    qsizetype start = -1;
    qsizetype end = -1;
    bool isSet() const { return start >= 0; }
};

struct Reading {
    IngredientLine line;
    Span low;  // the first number as written
    Span high; // the second number of a range
    Span unit; // the unit as written, dot included
    UnitKind unitKind = UnitKind::Count;
    // "2 x 400 g": the count of packs (low and high are then the size of one; the quantity is
    // the whole).
    Span packs;
    double packCount = 0;
};

// readLine with the places of the numbers and the unit.
Reading readDetailed(QStringView line);

} // namespace ingredients
