#pragma once

#include <QByteArray>
#include <QList>

namespace webimport {

// The page without the text of its scripts and styles, which hold no recipe but most of the
// bytes of a large page; JSON-LD scripts are kept whole. Script text ends where the HTML
// parser ends it, at the first "</script", so the page's markup parses as before.
// The text of the other scripts that may hold the page's recipe as application state (those
// that name ingredients) goes to state, when given.
QByteArray withoutScriptText(const QByteArray &html, QList<QByteArray> *state = nullptr);

} // namespace webimport
