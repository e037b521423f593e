#pragma once

#include <QString>

namespace shopping {

// What a unit's amounts can be added to: weights in grams, volumes in millilitres (spoons and
// cups included), counts ("stk" or none), and every other unit only to itself. Weight and
// volume never meet: a food's density is never guessed.
enum class Family { None, Weight, Volume, Count, Other };

struct UnitMeasure {
    Family family = Family::None;
    double base = 1; // grams or millilitres in one unit; 1 for counts and other units
};

// The family of a unit in its short form, as the ingredient reader writes it.
UnitMeasure measureOf(const QString &unit);

// A total in grams, millilitres or a count written as a Dane buys it: 1500 g as "1,5" "kg",
// 700 ml as "7" "dl", 3 tsk as "1" "spsk". spoonsOnly: the lines gave the volume in spoons.
struct Written {
    double low = 0;
    double high = 0;
    QString unit;
};
Written inBuyingUnit(double low, double high, Family family, const QString &unit, bool spoonsOnly);

} // namespace shopping
