#pragma once

#include "store/fileresult.h"
#include "store/tree.h"

#include <QByteArray>
#include <QStringList>

namespace store {

// How a list file was found on disk; a list read with a byte-order mark is written back with it.
enum class ListEncoding { Windows1252, Utf8Bom, Utf16LeBom, Utf16BeBom };

struct ListText {
    QStringList entries;
    ListEncoding encoding = ListEncoding::Windows1252;
};

// Bytes to entries: byte-order mark detection, CR LF / LF / lone CR, text after the last line end
// counts as an entry, a final line end adds none.
ListText parseList(const QByteArray &bytes);

// Entries to bytes, CR LF after every line. Entries that Windows-1252 can't hold make the whole
// list UTF-8 with a mark rather than losing characters.
QByteArray encodeList(const QStringList &entries, ListEncoding encoding);

// Larger than any list a person keeps; a bigger file is refused rather than read.
constexpr qint64 kMaxListBytes = 16 * 1024 * 1024;

// Reads the whole file through the store's gate. The caller tests first that it exists.
FileResult readListFile(const Tree &tree, const QString &path, ListText *list);

// Replaces the file whole and atomically: a failed write leaves the old file as it was.
FileResult writeListFile(const Tree &tree, const QString &path, const QStringList &entries,
                         ListEncoding encoding = ListEncoding::Windows1252);

// The same for a file in a folder of the program's own (settings), reached as given.
FileResult readListFile(const QString &path, ListText *list);
FileResult writeListFile(const QString &path, const QStringList &entries,
                         ListEncoding encoding = ListEncoding::Windows1252);

} // namespace store
