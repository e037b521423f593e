#pragma once

#include <QByteArray>
#include <QJsonValue>

namespace webimport {

// A JSON-LD block as sites write it, parsed: when strict JSON fails, the common slips are
// mended first (comments, CDATA and HTML comment wrappers, trailing commas, raw control
// characters in strings). ok is false when it still is no JSON.
QJsonValue parseJsonLd(const QByteArray &bytes, bool *ok);

// The slips mended, strings left as they are but for raw line breaks, which become \n.
QByteArray mendedJson(const QByteArray &bytes);

} // namespace webimport
