#pragma once

#include "shopping/groups.h"
#include "shopping/merge.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

namespace shopping {

// A recipe on the list, with its lines as they were when it was added, so that taking it off
// again takes out exactly what it put in.
struct ListRecipe {
    QString key;  // "Alle/Hovedkategori/Underkategori/Navn": only compared, never a path
    QString name; // as the list shows it
    double factor = 1;
    QStringList lines;
    bool operator==(const ListRecipe &o) const
    {
        return key == o.key && name == o.name && factor == o.factor && lines == o.lines;
    }
};

// A line the user wrote on the list: "køkkenrulle".
struct FreeLine {
    QString text;
    bool ticked = false;
    Group group = Group::Andet;
    bool operator==(const FreeLine &o) const { return text == o.text && ticked == o.ticked && group == o.group; }
};

// Everything the user's list holds.
struct ShoppingState {
    QList<ListRecipe> recipes;
    QSet<QString> ticked; // Item::itemKey() of the items ticked off
    QList<FreeLine> freeLines;
    GroupChoices groups; // the user's moves of a food to another group

    QList<Item> items() const;
    bool operator==(const ShoppingState &o) const
    {
        return recipes == o.recipes && ticked == o.ticked && freeLines == o.freeLines && groups == o.groups;
    }
};

} // namespace shopping
