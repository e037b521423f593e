#include "store/exclusivefile.h"

#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace store {

std::function<void(const QString &)> ExclusiveFile::testHook;

namespace {

QByteArray temporaryName()
{
    return ".retterum-" + QByteArray::number(QRandomGenerator::global()->generate64(), 16) + ".tmp";
}

// The process's umask without setting it: setting it, even back, races with other threads.
mode_t currentUmask()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray &line : status.readAll().split('\n')) {
            bool number = false;
            const uint mask = line.startsWith("Umask:") ? line.mid(6).trimmed().toUInt(&number, 8) : 0;
            if (number)
                return mode_t(mask & 0777);
        }
    }
    return 022;
}

bool writeAll(int fd, const char *data, ssize_t length)
{
    while (length > 0) {
        const ssize_t n = ::write(fd, data, size_t(length));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        length -= n;
    }
    return true;
}

} // namespace

ExclusiveFile::ExclusiveFile(QString target)
    : m_target(std::move(target))
{
}

ExclusiveFile::~ExclusiveFile()
{
    m_file.close();
    if (!m_committed && isOurs(m_name))
        ::unlinkat(m_folder, m_name.constData(), 0);
    if (m_fd >= 0)
        ::close(m_fd);
    if (m_folder >= 0)
        ::close(m_folder);
}

bool ExclusiveFile::open()
{
    const QFileInfo info(m_target);
    m_leaf = QFile::encodeName(info.fileName());
    if (m_leaf.isEmpty() || m_leaf == "." || m_leaf == "..") {
        errno = EISDIR;
        return false;
    }
    // The folder is the user's choice, links in its path included; from here on every step is
    // taken in the folder once opened, so its name can't be turned elsewhere in between.
    m_folder = ::open(QFile::encodeName(info.absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (m_folder < 0)
        return false;
    struct stat old {};
    if (::fstatat(m_folder, m_leaf.constData(), &old, AT_SYMLINK_NOFOLLOW) == 0) {
        if (S_ISDIR(old.st_mode)) {
            errno = EISDIR;
            return false;
        }
    }
    // A file of the user's own keeps its mode; what another user left there lends it nothing.
    const bool ownFile = S_ISREG(old.st_mode) && old.st_uid == ::geteuid() && old.st_nlink > 0;
    m_mode = ownFile ? (old.st_mode & 0777) : (0666 & ~currentUmask());
    if (!makeTemporary())
        return false;
    if (testHook)
        testHook(temporaryPath());
    return true;
}

bool ExclusiveFile::makeTemporary()
{
    // Closed to others until it is whole: nobody can open it to write in between.
    for (int attempt = 0; attempt < 8; ++attempt) {
        const QByteArray name = temporaryName();
        const int fd = ::openat(m_folder, name.constData(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd >= 0) {
            m_file.close();
            if (m_fd >= 0)
                ::close(m_fd);
            m_fd = fd;
            m_name = name;
            return m_file.open(m_fd, QIODevice::ReadWrite, QFileDevice::DontCloseHandle);
        }
        if (errno != EEXIST)
            return false;
    }
    return false;
}

QString ExclusiveFile::descriptorName() const
{
    return QStringLiteral("/proc/self/fd/%1").arg(m_fd);
}

QString ExclusiveFile::temporaryPath() const
{
    return QFileInfo(m_target).absolutePath() + u'/' + QFile::decodeName(m_name);
}

bool ExclusiveFile::isOurs(const QByteArray &name) const
{
    struct stat here {};
    struct stat ours {};
    return !name.isEmpty() && m_folder >= 0 && m_fd >= 0
        && ::fstatat(m_folder, name.constData(), &here, AT_SYMLINK_NOFOLLOW) == 0 && ::fstat(m_fd, &ours) == 0
        && S_ISREG(here.st_mode) && here.st_dev == ours.st_dev && here.st_ino == ours.st_ino;
}

// Someone took the temporary name away: the bytes go over into a new file, as the old one is no
// longer ours to name.
bool ExclusiveFile::moveToFreshName()
{
    const int old = ::dup(m_fd);
    if (old < 0 || !makeTemporary()) {
        if (old >= 0)
            ::close(old);
        return false;
    }
    char buffer[65536];
    off_t at = 0;
    bool copied = true;
    for (;;) {
        const ssize_t n = ::pread(old, buffer, sizeof buffer, at);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            copied = n == 0;
            break;
        }
        if (!writeAll(m_fd, buffer, n)) {
            copied = false;
            break;
        }
        at += n;
    }
    ::close(old);
    return copied && ::fchmod(m_fd, m_mode) == 0 && ::fsync(m_fd) == 0;
}

bool ExclusiveFile::commit()
{
    if (m_fd < 0 || !m_file.flush() || ::fchmod(m_fd, m_mode) != 0 || ::fsync(m_fd) != 0)
        return false;
    // A few rounds against someone who keeps swapping names, then the write fails.
    for (int attempt = 0; attempt < 4; ++attempt) {
        if (!isOurs(m_name) && !moveToFreshName())
            return false;
        if (testHook)
            testHook(temporaryPath());
        // rename() replaces a link at the target; it never writes through one.
        if (::renameat(m_folder, m_name.constData(), m_folder, m_leaf.constData()) != 0) {
            const int error = errno;
            if (isOurs(m_name))
                ::unlinkat(m_folder, m_name.constData(), 0);
            errno = error;
            return false;
        }
        m_name.clear();
        if (isOurs(m_leaf)) {
            ::fsync(m_folder);
            m_committed = true;
            return true;
        }
        // What was renamed in was planted at our name: it goes again rather than stand as the
        // user's file.
        struct stat planted {};
        if (::fstatat(m_folder, m_leaf.constData(), &planted, AT_SYMLINK_NOFOLLOW) == 0 && !S_ISDIR(planted.st_mode))
            ::unlinkat(m_folder, m_leaf.constData(), 0);
    }
    return false;
}

} // namespace store
