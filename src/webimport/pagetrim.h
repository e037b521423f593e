#pragma once

#include <QByteArray>

namespace webimport {

// The page without the text of its scripts and styles, which hold no recipe but most of the
// bytes of a large page; JSON-LD scripts are kept whole. Script text ends where the HTML
// parser ends it, at the first "</script", so the page's markup parses as before.
QByteArray withoutScriptText(const QByteArray &html);

} // namespace webimport
