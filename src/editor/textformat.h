#pragma once

#include <QColor>
#include <QString>

class QTextEdit;

// Character attributes of a rich-text editor's selection; with nothing selected they are the
// attributes of the insertion point, so the text typed next takes them.
namespace textformat {

void setFontName(QTextEdit *edit, const QString &name);
// Whole points; the editor keeps twentieths of a point.
void setSize(QTextEdit *edit, int points);
void setColor(QTextEdit *edit, const QColor &color);

// The font name at the selection; the document's base font for text that has none.
QString fontName(const QTextEdit *edit);
// Whole points with the remainder dropped: 10.5 points reads as 10.
int size(const QTextEdit *edit);
// The automatic text colour is resolved to the editor's text colour.
QColor color(const QTextEdit *edit);
// False for plain text, which shows in the editor's (the look's) text colour.
bool hasOwnColor(const QTextEdit *edit);

// The standard heading (14 points, blue) and standard text (10 points, black) in the
// standard font; bold, italic, underline, strike-out and paragraphs stay as they are.
void setStandardOverskrift(QTextEdit *RE, const QString &standardFont);
void setStandardTekst(QTextEdit *RE, const QString &standardFont);

} // namespace textformat
