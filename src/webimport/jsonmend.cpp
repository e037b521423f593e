#include "webimport/jsonmend.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace webimport {

namespace {

bool at(const QByteArray &s, qsizetype i, const char *token)
{
    const qsizetype length = qsizetype(qstrlen(token));
    return i + length <= s.size() && qstrncmp(s.constData() + i, token, size_t(length)) == 0;
}

// Past a comma: only white space before the closing bracket makes it a trailing one.
bool trailingComma(const QByteArray &s, qsizetype i)
{
    for (qsizetype j = i + 1; j < s.size(); ++j) {
        const char c = s.at(j);
        if (c == ' ' || c == '\n' || c == '\r' || c == '\t')
            continue;
        return c == '}' || c == ']';
    }
    return false;
}

QJsonValue valueOf(const QJsonDocument &doc)
{
    return doc.isArray() ? QJsonValue(doc.array()) : QJsonValue(doc.object());
}

} // namespace

QByteArray mendedJson(const QByteArray &s)
{
    QByteArray out;
    out.reserve(s.size());
    bool inString = false;
    bool escaped = false;
    for (qsizetype i = 0; i < s.size(); ++i) {
        const char c = s.at(i);
        if (inString) {
            if (escaped) {
                escaped = false;
                out.append(c);
            } else if (c == '\\') {
                escaped = true;
                out.append(c);
            } else if (c == '"') {
                inString = false;
                out.append(c);
            } else if (c == '\n') {
                out.append("\\n");
            } else if (uchar(c) < 0x20) {
                out.append(' ');
            } else {
                out.append(c);
            }
            continue;
        }
        if (c == '"') {
            inString = true;
            out.append(c);
        } else if (at(s, i, "//")) {
            while (i + 1 < s.size() && s.at(i + 1) != '\n')
                ++i;
        } else if (at(s, i, "/*")) {
            const qsizetype end = s.indexOf("*/", i + 2);
            i = end < 0 ? s.size() : end + 1;
        } else if (at(s, i, "<![CDATA[")) {
            i += 8;
        } else if (at(s, i, "]]>")) {
            i += 2;
        } else if (at(s, i, "<!--")) {
            i += 3;
        } else if (at(s, i, "-->")) {
            i += 2;
        } else if (c == ',' && trailingComma(s, i)) {
            continue;
        } else {
            out.append(c);
        }
    }
    return out;
}

QJsonValue parseJsonLd(const QByteArray &bytes, bool *ok)
{
    QJsonParseError error;
    QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError)
        doc = QJsonDocument::fromJson(mendedJson(bytes), &error);
    *ok = error.error == QJsonParseError::NoError;
    return *ok ? valueOf(doc) : QJsonValue();
}

} // namespace webimport
