#include "webimport/pagedecode.h"

#include "store/windows1252.h"
#include "webimport/gumbotree.h"

#include <QList>
#include <QStringDecoder>
#include <QStringList>

namespace webimport {

namespace {

QString charsetOf(const QString &contentType)
{
    const qsizetype at = contentType.indexOf(QLatin1String("charset="), 0, Qt::CaseInsensitive);
    if (at < 0)
        return {};
    QString value = contentType.mid(at + 8).section(u';', 0, 0).trimmed();
    value.remove(u'"').remove(u'\'');
    return value.trimmed().toLower();
}

// Browsers look for the <meta> near the top; so do we, on the bytes as they are.
QString metaCharset(const QByteArray &bytes)
{
    const GumboDocument head(bytes.left(64 * 1024));
    QString found;
    walkElements(head.root(), [&found](const GumboNode *e) {
        if (!found.isEmpty())
            return false;
        if (e->v.element.tag == GUMBO_TAG_BODY)
            return false;
        if (e->v.element.tag != GUMBO_TAG_META)
            return true;
        const QString charset = attribute(e, "charset");
        if (!charset.isEmpty())
            found = charset.trimmed().toLower();
        else if (attribute(e, "http-equiv").compare(QLatin1String("content-type"), Qt::CaseInsensitive) == 0)
            found = charsetOf(attribute(e, "content"));
        return false;
    });
    return found;
}

QString decodeAs(const QByteArray &bytes, const QString &charset)
{
    static const QStringList western{QStringLiteral("windows-1252"), QStringLiteral("cp1252"),
                                     QStringLiteral("iso-8859-1"), QStringLiteral("iso8859-1"),
                                     QStringLiteral("latin1"), QStringLiteral("latin-1"),
                                     QStringLiteral("us-ascii"), QStringLiteral("ascii"),
                                     QStringLiteral("iso-8859-15"), QStringLiteral("x-cp1252")};
    if (western.contains(charset))
        return store::decodeWindows1252(bytes);
    if (!charset.isEmpty() && charset != QLatin1String("utf-8") && charset != QLatin1String("utf8")) {
        QStringDecoder decoder(charset.toLatin1().constData());
        if (decoder.isValid())
            return decoder.decode(bytes);
    }
    if (charset.isEmpty()) {
        // A page that names no character set and is no valid UTF-8 is an old Western page.
        QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
        QString text = utf8.decode(bytes);
        return utf8.hasError() ? store::decodeWindows1252(bytes) : text;
    }
    return QString::fromUtf8(bytes);
}

QByteArray decodeQuotedPrintable(const QByteArray &in)
{
    QByteArray out;
    out.reserve(in.size());
    for (qsizetype i = 0; i < in.size(); ++i) {
        const char c = in.at(i);
        if (c != '=') {
            out.append(c);
            continue;
        }
        if (i + 1 < in.size() && in.at(i + 1) == '\n') {
            i += 1;
        } else if (i + 2 < in.size() && in.at(i + 1) == '\r' && in.at(i + 2) == '\n') {
            i += 2;
        } else if (i + 2 < in.size()) {
            bool ok = false;
            const int value = in.mid(i + 1, 2).toInt(&ok, 16);
            if (ok) {
                out.append(char(value));
                i += 2;
            } else {
                out.append(c);
            }
        }
    }
    return out;
}

QByteArray headerValue(const QByteArray &headers, const QByteArray &name)
{
    // A header may go on over lines that begin with white space.
    const QList<QByteArray> lines = QByteArray(headers).replace("\n\t", " ").replace("\n ", " ").split('\n');
    for (const QByteArray &line : lines) {
        if (line.toLower().startsWith(QByteArray(name.toLower() + QByteArray(":"))))
            return line.mid(name.size() + 1).trimmed();
    }
    return {};
}

} // namespace

QString decodePage(const QByteArray &bytes, const QString &contentType)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.mid(3));
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        QStringDecoder decoder(QStringConverter::Utf16);
        return decoder.decode(bytes);
    }
    QString charset = charsetOf(contentType);
    if (charset.isEmpty())
        charset = metaCharset(bytes);
    return decodeAs(bytes, charset);
}

QByteArray htmlOfMhtml(const QByteArray &bytes, QString *contentType, QString *address)
{
    // The headers end at the first empty line, whichever line ends the file uses.
    const qsizetype lfEnd = bytes.indexOf("\n\n");
    const qsizetype crlfEnd = bytes.indexOf("\r\n\r\n");
    const qsizetype end = crlfEnd >= 0 && (lfEnd < 0 || crlfEnd < lfEnd) ? crlfEnd : lfEnd;
    if (end < 0)
        return bytes;
    const QByteArray headers = QByteArray(bytes.left(end)).replace('\r', "");
    const QByteArray type = headerValue(headers, "Content-Type");
    if (!type.toLower().startsWith("multipart/related"))
        return bytes;
    const qsizetype b = type.toLower().indexOf("boundary=");
    if (b < 0)
        return bytes;
    QByteArray boundary = type.mid(b + 9).split(';').first().trimmed();
    boundary.replace('"', "");
    if (boundary.isEmpty())
        return bytes;
    // Walk the parts; the first text/html one is the page.
    const QByteArray marker = "--" + boundary;
    qsizetype pos = bytes.indexOf(marker, end);
    while (pos >= 0) {
        const qsizetype partStart = pos + marker.size();
        const qsizetype next = bytes.indexOf(marker, partStart);
        QByteArray part = bytes.mid(partStart, next < 0 ? -1 : next - partStart);
        part.replace("\r\n", "\n");
        const qsizetype split = part.indexOf("\n\n");
        if (split >= 0) {
            const QByteArray partHeaders = part.left(split);
            const QByteArray partType = headerValue(partHeaders, "Content-Type");
            if (partType.toLower().startsWith("text/html")) {
                QByteArray body = part.mid(split + 2);
                const QByteArray encoding = headerValue(partHeaders, "Content-Transfer-Encoding").toLower();
                if (encoding == "quoted-printable")
                    body = decodeQuotedPrintable(body);
                else if (encoding == "base64")
                    body = QByteArray::fromBase64(body);
                *contentType = QString::fromLatin1(partType);
                if (address) {
                    QByteArray location = headerValue(headers, "Snapshot-Content-Location");
                    if (location.isEmpty())
                        location = headerValue(partHeaders, "Content-Location");
                    *address = QString::fromUtf8(location);
                }
                return body;
            }
        }
        pos = next;
    }
    return bytes;
}

} // namespace webimport
