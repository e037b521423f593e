#pragma once

#include <QByteArray>

// An RTF document around body, with a header whose fonts and colours the cases refer to:
// \f0 Arial, \f1 Cyrillic, \f2 Symbol, \f3 Japanese; \cf1 red.
QByteArray rtfDocument(const QByteArray &body);
