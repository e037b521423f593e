#pragma once

#include <QString>
#include <QTextListFormat>

class QTextBlock;

namespace rtf {

// The number of a list's first item: 1 unless the file said otherwise.
int listStart(const QTextListFormat &format);

// The text in front of a numbered item, its start counted in: "c)" for the third item of a
// lettered list with ")" after the number. Empty for bullets and blocks outside lists.
QString listLabel(const QTextBlock &block);

// A number as the style shows it: 3 is "c", "C", "iii", "III" or "3".
QString numberText(QTextListFormat::Style style, int number);

// What follows the number when the list says nothing: Qt's own ".".
QString numberSuffix(const QTextListFormat &format);

bool isBullet(QTextListFormat::Style style);

} // namespace rtf
