#include "shopping/amount.h"

#include <QHash>

namespace shopping {

namespace {

// Spoons as Danish recipes mean them, and the American measures in their metric volumes.
const QHash<QString, UnitMeasure> &measures()
{
    static const QHash<QString, UnitMeasure> table{
        {QStringLiteral("g"), {Family::Weight, 1}},
        {QStringLiteral("kg"), {Family::Weight, 1000}},
        {QStringLiteral("mg"), {Family::Weight, 0.001}},
        {QStringLiteral("oz"), {Family::Weight, 28.35}},
        {QStringLiteral("lb"), {Family::Weight, 453.6}},
        {QStringLiteral("ml"), {Family::Volume, 1}},
        {QStringLiteral("cl"), {Family::Volume, 10}},
        {QStringLiteral("dl"), {Family::Volume, 100}},
        {QStringLiteral("l"), {Family::Volume, 1000}},
        {QStringLiteral("tsk"), {Family::Volume, 5}},
        {QStringLiteral("spsk"), {Family::Volume, 15}},
        {QStringLiteral("tsp"), {Family::Volume, 5}},
        {QStringLiteral("tbsp"), {Family::Volume, 15}},
        {QStringLiteral("cup"), {Family::Volume, 236.588}},
        {QStringLiteral("fl oz"), {Family::Volume, 29.57}},
        {QStringLiteral("pint"), {Family::Volume, 473.176}},
        {QStringLiteral("quart"), {Family::Volume, 946.353}},
        {QStringLiteral("gallon"), {Family::Volume, 3785.41}},
        {QStringLiteral("stk"), {Family::Count, 1}},
        {QString(), {Family::Count, 1}},
    };
    return table;
}

} // namespace

UnitMeasure measureOf(const QString &unit)
{
    const auto it = measures().constFind(unit);
    return it == measures().constEnd() ? UnitMeasure{Family::Other, 1} : *it;
}

Written inBuyingUnit(double low, double high, Family family, const QString &unit, bool spoonsOnly)
{
    if (family == Family::Weight) {
        if (low >= 1000)
            return {low / 1000, high / 1000, QStringLiteral("kg")};
        return {low, high, QStringLiteral("g")};
    }
    if (family == Family::Volume) {
        if (spoonsOnly && high < 100) {
            if (high < 15)
                return {low / 5, high / 5, QStringLiteral("tsk")};
            return {low / 15, high / 15, QStringLiteral("spsk")};
        }
        if (low >= 1000)
            return {low / 1000, high / 1000, QStringLiteral("l")};
        if (high >= 50)
            return {low / 100, high / 100, QStringLiteral("dl")};
        return {low, high, QStringLiteral("ml")};
    }
    return {low, high, unit};
}

} // namespace shopping
