#pragma once

#include <QString>
#include <QUrl>

class QTextEdit;

// Looking a word of the description up on the web: the text to search for, taken from the
// editor, and the address of each search service.
namespace websearch {

enum class Service { Google, Bing, YouTube };

// Hyphen, digits, the letters A to Z in both cases and Æ Ø Å æ ø å; everything else ends a word.
bool isWordCharacter(QChar c);

// The selected text without one trailing space, or else the word around the caret on its
// displayed line; empty when there is none. Selection, caret and focus stay as they are.
QString findText(const QTextEdit *edit);

// The text searched for when none is found, so the browser still shows something.
QString missingWordText();

// The search address for text, percent-encoded into the query so the whole text is searched
// for: a "&" or "#" in it must not cut the query short.
QUrl searchAddress(Service service, const QString &text);

} // namespace websearch
