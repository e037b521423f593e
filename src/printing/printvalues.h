#pragma once

#include <QString>

// What the print settings dialog's five fields hold, as numbers.
namespace printing {

struct PrintValues {
    double left = 0; // margins in centimetres
    double right = 0;
    double top = 0;
    double bottom = 0;
    int copies = 0;
};

// The comma is the decimal sign whatever the locale: the margin fields let no other through.
// field names the field in the message of the PrintError thrown for a text that is no number.
double marginValue(const QString &text, const QString &field);
// A whole number from 0 to 2147483647.
int copiesValue(const QString &text, const QString &field);

} // namespace printing
