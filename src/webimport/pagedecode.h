#pragma once

#include <QByteArray>
#include <QString>

namespace webimport {

// The page as text: the character set from the HTTP header, then the page's own <meta>, then
// UTF-8, or Windows-1252 when the bytes are no UTF-8. "iso-8859-1" and "latin1" are read as
// Windows-1252, as browsers do.
QString decodePage(const QByteArray &bytes, const QString &contentType);

// The HTML part of a page saved as MHTML, with its content type and the address it was saved
// from; the bytes as they are when they are no MHTML.
QByteArray htmlOfMhtml(const QByteArray &bytes, QString *contentType, QString *address = nullptr);

} // namespace webimport
