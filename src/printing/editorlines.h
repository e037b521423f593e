#pragma once

#include <QString>

class QTextEdit;

// Lines of a rich-text editor are its paragraphs. The text goes in as plain text in the format
// the editor would give typed text (what the standard heading and text styles set), whatever
// markup it looks like.
namespace printing {

// Adds a paragraph after the last; an empty editor takes it as its first.
void addLine(QTextEdit *edit, const QString &text);
// Inserts a paragraph before paragraph index (0 = first); past the end it is added.
void insertLine(QTextEdit *edit, int index, const QString &text);

} // namespace printing
