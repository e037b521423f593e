#include "store/listfile.h"

#include "store/windows1252.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>

namespace store {

namespace {

struct Bom {
    QByteArrayView mark;
    ListEncoding encoding;
    QStringConverter::Encoding codec;
};

// Tested in this order.
const Bom kBoms[] = {
    {"\xEF\xBB\xBF", ListEncoding::Utf8Bom, QStringConverter::Utf8},
    {"\xFF\xFE", ListEncoding::Utf16LeBom, QStringConverter::Utf16LE},
    {"\xFE\xFF", ListEncoding::Utf16BeBom, QStringConverter::Utf16BE},
};

QStringList splitLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

} // namespace

ListText parseList(const QByteArray &bytes)
{
    for (const Bom &bom : kBoms) {
        if (bytes.startsWith(bom.mark)) {
            // The mark is taken off here; a second one belongs to the first entry.
            QStringDecoder decoder(bom.codec, QStringConverter::Flag::Stateless
                                                  | QStringConverter::Flag::ConvertInitialBom);
            const QString text = decoder.decode(QByteArrayView(bytes).sliced(bom.mark.size()));
            return {splitLines(text), bom.encoding};
        }
    }
    return {splitLines(decodeWindows1252(bytes)), ListEncoding::Windows1252};
}

QByteArray encodeList(const QStringList &entries, ListEncoding encoding)
{
    QString text;
    for (const QString &entry : entries)
        text += entry + u"\r\n";

    if (encoding == ListEncoding::Windows1252) {
        // Bytes that begin like a byte-order mark would be read back in another encoding.
        const auto looksMarked = [](const QByteArray &bytes) {
            return std::any_of(std::begin(kBoms), std::end(kBoms),
                               [&bytes](const Bom &bom) { return bytes.startsWith(bom.mark); });
        };
        if (std::optional<QByteArray> bytes = encodeWindows1252(text); bytes && !looksMarked(*bytes))
            return *bytes;
        encoding = ListEncoding::Utf8Bom;
    }
    for (const Bom &bom : kBoms) {
        if (bom.encoding == encoding) {
            QStringEncoder encoder(bom.codec, QStringConverter::Flag::Stateless);
            return bom.mark.toByteArray() + QByteArray(encoder.encode(text));
        }
    }
    return {};
}

FileResult readListFile(const Tree &tree, const QString &path, ListText *list)
{
    QByteArray bytes;
    FileResult result = tree.readFile(path, &bytes, kMaxListBytes);
    if (result)
        *list = parseList(bytes);
    return result;
}

FileResult writeListFile(const Tree &tree, const QString &path, const QStringList &entries,
                         ListEncoding encoding)
{
    return tree.writeFile(path, encodeList(entries, encoding));
}

FileResult readListFile(const QString &path, ListText *list)
{
    return readListFile(Tree::aroundFile(path), path, list);
}

FileResult writeListFile(const QString &path, const QStringList &entries, ListEncoding encoding)
{
    return writeListFile(Tree::aroundFile(path), path, entries, encoding);
}

} // namespace store
