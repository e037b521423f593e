#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// Reading an ingredient line into amount, unit, name and comment, and what is built on it:
// scaling to another number of servings and rewriting American measures as Danish ones.
// Reading never changes a line; the functions that rewrite one replace only the amount (and, for
// measures, the unit) and leave every other character as the user wrote it.
namespace ingredients {

struct Quantity {
    double low = 0;
    double high = 0; // high == low for a single number
};

enum class LineKind { Ingredient, Heading, Empty };

struct IngredientLine {
    LineKind kind = LineKind::Empty;
    std::optional<Quantity> quantity; // none: no amount ("salt og peber")
    // Short form ("dl", "spsk", "tsk", "g", "kg", "stk", "fed", "cup", "tbsp", "tsp", "oz", "lb",
    // "fl oz", ...); empty when none.
    QString unit;
    QString name;    // the food; a line the reader can't make sense of is kept whole here
    QString comment; // after a comma or in parentheses: "hakket", "ca. 400 g"
    bool optional = false;  // "evt.", "eventuelt"
    bool notScaled = false; // "efter smag", "til servering", "til pensling", "til stegning"
    // Where the amount and unit stand in the line (for rewriting it); -1 without an amount.
    qsizetype amountStart = -1, amountLength = 0;
};

// Never throws, and takes time in proportion to the line's length on any input.
IngredientLine readLine(const QString &line);

// As a Dane writes it: decimal comma, "½ ¼ ¾" (and "⅓ ⅔" where exact) for spoons, pieces,
// counts and dl below 1, grams rounded to 5 above 50 and to 25/50 above 500: "1½", "2,5", "250".
QString formatQuantity(double value, const QString &unit);

// The line as shown when scaled by factor; unchanged when it has no amount or is not scaled.
QString scaledLine(const QString &line, double factor);

// cups → dl, tbsp → spsk, tsp → tsk, oz → g, lb → g, fl oz → ml, sticks of butter → g;
// unchanged when nothing to convert. Volume stays volume.
QString danishMeasuresLine(const QString &line);

// "350 °F"/"350°F"/"350 F" → "175 °C" in running text, rounded to 5 degrees.
QString danishTemperatures(const QString &text);

// Cups, ounces or pounds in the lines.
bool usesAmericanMeasures(const QStringList &lines);

// "Antal: 4", "4 personer", "til 4 pers.", "4 portioner", "10 stk.": the number of servings a
// description names, if any.
std::optional<double> servingsFrom(const QString &plainText);

} // namespace ingredients
