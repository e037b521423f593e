#include "backup/zipreader.h"

#include "backup/libarchive.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace backup {

ZipReader::~ZipReader()
{
    if (m_archive)
        libarchive()->archive_read_free(m_archive);
    if (m_fd >= 0)
        ::close(m_fd);
}

bool ZipReader::open(const QString &path, QString *error)
{
    if (!libarchive(error))
        return false;
    const QByteArray native = QFile::encodeName(path);
    m_fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    struct stat st {};
    if (m_fd < 0 || ::fstat(m_fd, &st) != 0) {
        *error = QStringLiteral("Filen \"%1\" kan ikke læses.").arg(path);
        return false;
    }
    if (!S_ISREG(st.st_mode)) {
        *error = QStringLiteral("\"%1\" er ikke en almindelig fil.").arg(path);
        return false;
    }
    m_fileSize = st.st_size;
    m_archive = libarchive()->archive_read_new();
    libarchive()->archive_read_support_format_zip(m_archive);
    if (libarchive()->archive_read_open_fd(m_archive, m_fd, 64 * 1024) != ARCHIVE_OK) {
        *error = QStringLiteral("Filen \"%1\" er ikke en sikkerhedskopi (et zip-arkiv), eller den er beskadiget.").arg(path);
        return false;
    }
    return true;
}

ZipReader::Next ZipReader::next()
{
    const int status = libarchive()->archive_read_next_header(m_archive, &m_entry);
    if (status == ARCHIVE_EOF)
        return Next::End;
    // A warning is a header libarchive could only partly make sense of: not trusted either.
    return status == ARCHIVE_OK ? Next::Entry : Next::Damaged;
}

QString ZipReader::errorText() const
{
    // Never empty: an empty text would read as no damage at all.
    const char *text = m_archive ? libarchive()->archive_error_string(m_archive) : nullptr;
    return text && *text ? QString::fromLocal8Bit(text) : QStringLiteral("filen slutter for tidligt eller er ødelagt");
}

ZipReader::Data ZipReader::read(QByteArray *bytes, qint64 maxBytes)
{
    bytes->clear();
    char buffer[64 * 1024];
    for (;;) {
        const la_ssize_t n = libarchive()->archive_read_data(m_archive, buffer, sizeof buffer);
        if (n == 0)
            return Data::Ok;
        if (n < 0)
            return Data::Damaged;
        if (bytes->size() + n > maxBytes)
            return Data::TooLarge;
        bytes->append(buffer, qsizetype(n));
    }
}

bool ZipReader::skip()
{
    return libarchive()->archive_read_data_skip(m_archive) == ARCHIVE_OK;
}

bool ZipReader::directoryNames(int entries) const
{
    if (m_fd < 0 || ::lseek(m_fd, 0, SEEK_SET) != 0)
        return false;
    archive *directory = libarchive()->archive_read_new();
    libarchive()->archive_read_support_format_zip_seekable(directory);
    int named = 0;
    bool whole = libarchive()->archive_read_open_fd(directory, m_fd, 64 * 1024) == ARCHIVE_OK;
    archive_entry *entry = nullptr;
    while (whole) {
        const int status = libarchive()->archive_read_next_header(directory, &entry);
        if (status == ARCHIVE_EOF)
            break;
        whole = status == ARCHIVE_OK;
        ++named;
    }
    libarchive()->archive_read_free(directory);
    return whole && named == entries;
}

} // namespace backup
