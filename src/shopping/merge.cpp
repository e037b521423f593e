#include "shopping/merge.h"

#include "shopping/foodname.h"

#include <QHash>
#include <QSet>

namespace shopping {

namespace {

bool isSpoon(const QString &unit)
{
    return unit == u"tsk" || unit == u"spsk" || unit == u"tsp" || unit == u"tbsp";
}

QString familyTag(Family family, const QString &unit)
{
    switch (family) {
    case Family::None:
        return QStringLiteral("-");
    case Family::Weight:
        return QStringLiteral("g");
    case Family::Volume:
        return QStringLiteral("ml");
    case Family::Count:
        return QStringLiteral("stk");
    case Family::Other:
        break;
    }
    return u'=' + unit;
}

void addSource(Item &item, const QString &line, const QString &recipe)
{
    item.lines.append(line);
    if (!item.recipes.contains(recipe))
        item.recipes.append(recipe);
}

// A line with no amount says the food is needed; where another line of the food has an amount,
// that item carries it.
QList<Item> withoutBareDuplicates(QList<Item> items)
{
    QHash<QString, qsizetype> amounted;
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (items.at(i).family != Family::None && !amounted.contains(items.at(i).key))
            amounted.insert(items.at(i).key, i);
    }
    QList<Item> out;
    out.reserve(items.size());
    QList<qsizetype> newIndex(items.size(), -1);
    for (qsizetype i = 0; i < items.size(); ++i) {
        const Item &item = items.at(i);
        const auto it = amounted.constFind(item.key);
        if (item.family != Family::None || it == amounted.constEnd()) {
            newIndex[i] = out.size();
            out.append(item);
        }
    }
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (newIndex.at(i) >= 0)
            continue;
        Item &carrier = out[newIndex.at(amounted.value(items.at(i).key))];
        for (const QString &line : items.at(i).lines)
            carrier.lines.append(line);
        for (const QString &recipe : items.at(i).recipes) {
            if (!carrier.recipes.contains(recipe))
                carrier.recipes.append(recipe);
        }
    }
    return out;
}

} // namespace

QString Item::itemKey() const
{
    return key + u'\t' + familyTag(family, unit);
}

std::optional<Written> Item::written() const
{
    if (!total)
        return std::nullopt;
    return inBuyingUnit(total->low, total->high, family, unit, spoonsOnly);
}

QString Item::text() const
{
    const auto amount = written();
    if (!amount)
        return name;
    QString number = ingredients::formatQuantity(amount->low, amount->unit);
    if (amount->high != amount->low)
        number += u'-' + ingredients::formatQuantity(amount->high, amount->unit);
    if (!amount->unit.isEmpty())
        number += u' ' + amount->unit;
    return number + u' ' + name;
}

QList<Item> mergeRecipes(const QList<RecipeLines> &recipes)
{
    QList<Item> items;
    QHash<QString, qsizetype> byKey;
    QSet<qsizetype> namedForMore;
    for (const RecipeLines &recipe : recipes) {
        for (const QString &line : recipe.lines) {
            const ingredients::IngredientLine read = ingredients::readLine(line);
            if (read.kind != ingredients::LineKind::Ingredient)
                continue;
            // A line with an amount was understood: how it is cut or what it is for is no part of
            // what to buy. One without keeps its words, as they may be all there is to it.
            const QString name = read.name.trimmed().isEmpty() ? line.trimmed()
                : read.quantity                                  ? withoutCut(read.name)
                                                                 : read.name.trimmed();
            Item item;
            item.name = name;
            item.key = foodKey(name);
            if (read.quantity) {
                const UnitMeasure measure = measureOf(read.unit);
                item.family = measure.family;
                item.unit = read.unit;
                const double factor = read.notScaled ? 1 : recipe.factor;
                item.total = ingredients::Quantity{read.quantity->low * factor * measure.base,
                                                   read.quantity->high * factor * measure.base};
                item.spoonsOnly = measure.family != Family::Volume || isSpoon(read.unit);
            }
            const QString itemKey = item.itemKey();
            const auto found = byKey.constFind(itemKey);
            if (found == byKey.constEnd()) {
                if (item.family == Family::Count && item.total->high > 1)
                    namedForMore.insert(items.size());
                addSource(item, line, recipe.recipe);
                byKey.insert(itemKey, items.size());
                items.append(item);
                continue;
            }
            Item &into = items[*found];
            if (item.total) {
                into.total->low += item.total->low;
                into.total->high += item.total->high;
            }
            into.spoonsOnly = into.spoonsOnly && item.spoonsOnly;
            // "4 gulerødder" rather than "4 gulerod": the name a line wrote for more than one.
            if (into.family == Family::Count && !namedForMore.contains(*found) && item.total->high > 1) {
                into.name = item.name;
                namedForMore.insert(*found);
            }
            // "stk" only where every line counted in it; "3 løg" reads better than "3 stk løg".
            if (into.family == Family::Count && into.unit != item.unit)
                into.unit.clear();
            addSource(into, line, recipe.recipe);
        }
    }
    return withoutBareDuplicates(items);
}

} // namespace shopping
