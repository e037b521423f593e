#pragma once

#include "backup/utf8locale.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QMap>
#include <QString>

#include <archive.h>
#include <archive_entry.h>

// Archives made the way a stranger could make them: any path, any kind of entry.
struct ZipEntry {
    enum class Kind { File, Folder, Symlink, Hardlink, Device };
    QString path;
    QByteArray data;
    Kind kind = Kind::File;
    QString target; // of a link

    static ZipEntry file(const QString &path, const QByteArray &data) { return {path, data, Kind::File, {}}; }
};

inline bool writeZip(const QString &zipPath, const QList<ZipEntry> &entries)
{
    const backup::Utf8Locale utf8;
    archive *a = archive_write_new();
    archive_write_set_format_zip(a);
    archive_write_set_options(a, "zip:hdrcharset=UTF-8");
    bool ok = archive_write_open_filename(a, QFile::encodeName(zipPath).constData()) == ARCHIVE_OK;
    for (const ZipEntry &e : entries) {
        archive_entry *entry = archive_entry_new();
        archive_entry_set_pathname_utf8(entry, e.path.toUtf8().constData());
        archive_entry_set_perm(entry, 0644);
        switch (e.kind) {
        case ZipEntry::Kind::File:
            archive_entry_set_filetype(entry, AE_IFREG);
            archive_entry_set_size(entry, e.data.size());
            break;
        case ZipEntry::Kind::Folder:
            archive_entry_set_filetype(entry, AE_IFDIR);
            break;
        case ZipEntry::Kind::Symlink:
            archive_entry_set_filetype(entry, AE_IFLNK);
            archive_entry_set_symlink_utf8(entry, e.target.toUtf8().constData());
            break;
        case ZipEntry::Kind::Hardlink:
            archive_entry_set_filetype(entry, AE_IFREG);
            archive_entry_set_hardlink_utf8(entry, e.target.toUtf8().constData());
            break;
        case ZipEntry::Kind::Device:
            archive_entry_set_filetype(entry, AE_IFCHR);
            archive_entry_set_rdev(entry, 0x0103);
            break;
        }
        ok = ok && archive_write_header(a, entry) == ARCHIVE_OK;
        if (e.kind == ZipEntry::Kind::File && !e.data.isEmpty())
            ok = ok && archive_write_data(a, e.data.constData(), size_t(e.data.size())) == e.data.size();
        archive_entry_free(entry);
    }
    ok = archive_write_close(a) == ARCHIVE_OK && ok;
    archive_write_free(a);
    return ok;
}

// Every regular entry of an archive and its content.
inline QMap<QString, QByteArray> readZip(const QString &zipPath)
{
    const backup::Utf8Locale utf8;
    QMap<QString, QByteArray> result;
    archive *a = archive_read_new();
    archive_read_support_format_zip(a);
    if (archive_read_open_filename(a, QFile::encodeName(zipPath).constData(), 65536) == ARCHIVE_OK) {
        archive_entry *entry = nullptr;
        while (archive_read_next_header(a, &entry) == ARCHIVE_OK) {
            QByteArray data;
            char buffer[65536];
            la_ssize_t n;
            while ((n = archive_read_data(a, buffer, sizeof buffer)) > 0)
                data.append(buffer, qsizetype(n));
            result.insert(QString::fromUtf8(archive_entry_pathname_utf8(entry)), data);
        }
    }
    archive_read_free(a);
    return result;
}

// Gives an entry another kind in the central directory, where zip keeps a Unix mode: a zip
// writer makes no devices, but anyone can write these bytes.
inline QByteArray withUnixMode(QByteArray zip, const QString &entryName, quint32 mode)
{
    const QByteArray name = entryName.toUtf8();
    const auto u16 = [&zip](qsizetype at) { return quint32(quint8(zip[at])) | quint32(quint8(zip[at + 1])) << 8; };
    for (qsizetype at = zip.indexOf("PK\x01\x02"); at >= 0; at = zip.indexOf("PK\x01\x02", at + 4)) {
        if (zip.mid(at + 46, u16(at + 28)) != name)
            continue;
        zip[at + 40] = char(mode & 0xff);
        zip[at + 41] = char((mode >> 8) & 0xff);
    }
    return zip;
}

// The directory at the end says it starts past the file's end: an entry-by-entry reader still
// finds every file, so only a reader that looks at the directory tells the damage.
inline QByteArray withDirectoryOutside(QByteArray zip)
{
    const qsizetype end = zip.lastIndexOf("PK\x05\x06");
    if (end >= 0 && end + 20 <= zip.size()) {
        zip[end + 16] = char(0xff);
        zip[end + 19] = char(0x7f);
    }
    return zip;
}
