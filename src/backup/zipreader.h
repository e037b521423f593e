#pragma once

#include "backup/utf8locale.h"

#include <QByteArray>
#include <QString>

struct archive;
struct archive_entry;

namespace backup {

// A zip file read entry by entry with libarchive. Only a regular file is opened (a pipe named
// like a backup never blocks), and only the zip format is read.
class ZipReader {
public:
    ZipReader() = default;
    ~ZipReader();
    ZipReader(const ZipReader &) = delete;
    ZipReader &operator=(const ZipReader &) = delete;

    // error: Danish, why the file can't be read at all.
    bool open(const QString &path, QString *error);
    qint64 fileSize() const { return m_fileSize; }

    enum class Next { Entry, End, Damaged };
    Next next();
    archive_entry *entry() const { return m_entry; }
    // What libarchive says went wrong, for the message.
    QString errorText() const;

    enum class Data { Ok, TooLarge, Damaged };
    // The current entry's data, refused as soon as it grows past maxBytes, whatever its header
    // declared.
    Data read(QByteArray *bytes, qint64 maxBytes);
    bool skip();

    // Read to its end entry by entry, a zip whose directory at the end is missing or damaged
    // can still look whole: the directory is read too, and must name as many entries.
    bool directoryNames(int entries) const;

private:
    Utf8Locale m_utf8;
    archive *m_archive = nullptr;
    archive_entry *m_entry = nullptr;
    int m_fd = -1;
    qint64 m_fileSize = 0;
};

} // namespace backup
