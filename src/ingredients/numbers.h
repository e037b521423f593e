#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace ingredients {

struct NumberRead {
    double value = 0;
    qsizetype end = 0;         // first position after the number
    bool thousandsDot = false; // "1.000": a dot before exactly three digits
    bool word = false;         // written as a word ("to", "en halv")
};

// A number written with digits at pos: "2", "2,5", "2.5", "½", "1½", "1 ½", "1 1/2", "1/2",
// "1-1/2". None when there is none, or it is not one a recipe means ("1/0", too many digits).
std::optional<NumberRead> digitsAt(QStringView s, qsizetype pos);

// A number written as words at pos: "to", "tre", "et halvt", "en halv", "halvanden", "a", "one".
std::optional<NumberRead> numberWordAt(QStringView s, qsizetype pos);

// Either of the two.
std::optional<NumberRead> numberAt(QStringView s, qsizetype pos);

// value with at most the given decimals and a decimal comma, trailing zeros left out: "2,5", "3".
QString decimalComma(double value, int decimals);

// The value of a vulgar fraction character ("½", "⅓", ...), or 0.
double vulgarFraction(QChar c);

} // namespace ingredients
