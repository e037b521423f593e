#include "store/tree.h"

#include "store/storepaths.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSet>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <thread>
#include <utility>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace store {

namespace {

// A deeper tree than this is not the program's own; what lies below is left in place.
constexpr int kMaxRemoveDepth = 32;
constexpr mode_t kSharedFile = 0666;
constexpr mode_t kSharedFolder = 0777;
constexpr int kDirFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;

class Fd {
public:
    explicit Fd(int fd = -1)
        : m_fd(fd)
    {
    }
    Fd(Fd &&other) noexcept
        : m_fd(std::exchange(other.m_fd, -1))
    {
    }
    Fd &operator=(Fd &&other) noexcept
    {
        std::swap(m_fd, other.m_fd);
        return *this;
    }
    Fd(const Fd &) = delete;
    Fd &operator=(const Fd &) = delete;
    ~Fd()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    int get() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }
    int release() { return std::exchange(m_fd, -1); }
    // Closes and reports whether the close succeeded: on some file systems a full disk shows
    // only here.
    bool close() { return ::close(std::exchange(m_fd, -1)) == 0; }

private:
    int m_fd;
};

QByteArray encoded(const QString &name)
{
    return QFile::encodeName(name);
}

// Looser than the test of entries only in length: a file name made from an entry is longer.
bool isUsableComponent(const QString &name)
{
    if (name.isEmpty() || name == u"." || name == u"..")
        return false;
    const bool clean = std::none_of(name.cbegin(), name.cend(), [](QChar c) {
        return c == u'/' || c == u'\\' || c.category() == QChar::Other_Control;
    });
    return clean && encoded(name).size() <= 255;
}

// The folder that holds the last name of a path, and that name.
struct Place {
    Fd folder;
    QByteArray leaf;
};

Fd openRoot(const QString &root)
{
    return Fd(::open(encoded(root).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
}

Fd openFolders(const QString &root, const QStringList &names, qsizetype count)
{
    Fd fd = openRoot(root);
    for (qsizetype i = 0; i < count && fd.valid(); ++i)
        fd = Fd(::openat(fd.get(), encoded(names.at(i)).constData(), kDirFlags));
    return fd;
}

bool writeAll(int fd, const QByteArray &bytes)
{
    const char *data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, data, size_t(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        left -= n;
    }
    return true;
}

bool readAll(int fd, qint64 maxBytes, QByteArray *bytes)
{
    QByteArray result;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            break;
        if (result.size() + n > maxBytes)
            return false;
        result.append(buffer, n);
    }
    *bytes = std::move(result);
    return true;
}

QByteArray temporaryName()
{
    return ".retterum-" + QByteArray::number(QRandomGenerator::global()->generate64(), 16) + ".tmp";
}

bool sameEntry(int folderA, const QByteArray &a, int folderB, const QByteArray &b)
{
    struct stat sa {};
    struct stat sb {};
    return ::fstatat(folderA, a.constData(), &sa, AT_SYMLINK_NOFOLLOW) == 0
        && ::fstatat(folderB, b.constData(), &sb, AT_SYMLINK_NOFOLLOW) == 0
        && sa.st_ino == sb.st_ino && sa.st_dev == sb.st_dev;
}

bool removeContents(int folder, int depth)
{
    std::vector<QByteArray> names;
    {
        DIR *dir = ::fdopendir(::dup(folder));
        if (!dir)
            return false;
        while (const dirent *entry = ::readdir(dir)) {
            const QByteArray name(entry->d_name);
            if (name != "." && name != "..")
                names.push_back(name);
        }
        ::closedir(dir);
    }
    bool all = true;
    for (const QByteArray &name : names) {
        struct stat st {};
        if (::fstatat(folder, name.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0)
            continue;
        if (S_ISDIR(st.st_mode)) {
            const Fd sub(::openat(folder, name.constData(), kDirFlags));
            if (!sub.valid() || depth >= kMaxRemoveDepth || !removeContents(sub.get(), depth + 1)) {
                all = false;
                continue;
            }
            all = ::unlinkat(folder, name.constData(), AT_REMOVEDIR) == 0 && all;
        } else {
            all = ::unlinkat(folder, name.constData(), 0) == 0 && all;
        }
    }
    return all;
}

} // namespace

Tree::Tree(QString root, bool shared, Reserved reserved)
    : m_root(withoutTrailingSlash(std::move(root)) + u'/')
    , m_shared(shared)
    , m_reserved(reserved)
{
}

Tree Tree::aroundFile(const QString &filePath)
{
    return Tree(QFileInfo(filePath).path(), false);
}

QString Tree::folder(const QString &parent, const QString &entry) const
{
    if (parent.isEmpty() || m_root.size() <= 1 || !isUsableName(entry) || isStoreFileName(entry))
        return {};
    if (parent == m_root && isReservedName(entry, m_reserved))
        return {};
    return parent + entry + u'/';
}

QString Tree::file(const QString &folder, const QString &entry, const QString &suffix) const
{
    if (folder.isEmpty() || m_root.size() <= 1 || !isUsableName(entry))
        return {};
    return folder + entry + suffix;
}

QString Tree::fixedFile(const QString &folder, const QString &fileName)
{
    return folder.isEmpty() ? QString() : folder + fileName;
}

std::optional<QStringList> Tree::names(const QString &path) const
{
    if (m_root.size() <= 1 || !path.startsWith(m_root))
        return std::nullopt;
    QString rest = path.mid(m_root.size());
    if (rest.endsWith(u'/'))
        rest.chop(1);
    if (rest.isEmpty())
        return QStringList();
    const QStringList names = rest.split(u'/');
    for (const QString &name : names) {
        if (!isUsableComponent(name))
            return std::nullopt;
    }
    if (isReservedName(names.first(), m_reserved))
        return std::nullopt;
    return names;
}

namespace {

std::optional<Place> openPlace(const QString &root, const std::optional<QStringList> &names)
{
    if (!names || names->isEmpty())
        return std::nullopt;
    Fd folder = openFolders(root, *names, names->size() - 1);
    if (!folder.valid())
        return std::nullopt;
    return Place{std::move(folder), encoded(names->last())};
}

} // namespace

FileResult Tree::readFile(const QString &path, QByteArray *bytes, qint64 maxBytes) const
{
    const std::optional<Place> place = openPlace(m_root, names(path));
    if (!place)
        return FileResult::readFailed(path);
    // Non-blocking, so that a pipe planted in place of a file can't hold the program.
    const Fd file(::openat(place->folder.get(), place->leaf.constData(),
                           O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat st {};
    if (!file.valid() || ::fstat(file.get(), &st) != 0 || !S_ISREG(st.st_mode))
        return FileResult::readFailed(path);
    if (st.st_size > maxBytes)
        return FileResult::tooLarge(path);
    if (!readAll(file.get(), maxBytes, bytes))
        return FileResult::readFailed(path);
    return FileResult::success();
}

namespace {

// Writes bytes to a new temporary file beside the place's file, flushed to disk when asked,
// with the mode the file will have; its name in *temporary. Nothing is left on failure.
bool writeTemporary(const Place &place, bool shared, const QByteArray &bytes, bool flush, QByteArray *temporary)
{
    const int folder = place.folder.get();
    struct stat old {};
    const bool hadFile = ::fstatat(folder, place.leaf.constData(), &old, AT_SYMLINK_NOFOLLOW) == 0;
    if (hadFile && S_ISDIR(old.st_mode))
        return false;

    Fd file;
    for (int attempt = 0; attempt < 8 && !file.valid(); ++attempt) {
        *temporary = temporaryName();
        file = Fd(::openat(folder, temporary->constData(),
                           O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
        if (!file.valid() && errno != EEXIST)
            break;
    }
    if (!file.valid())
        return false;

    // The mode is set on the open file, never by path: a path could lead somewhere else.
    mode_t mode = 0;
    if (shared)
        mode = kSharedFile;
    else if (hadFile && S_ISREG(old.st_mode))
        mode = old.st_mode & 07777;
    const bool written = writeAll(file.get(), bytes) && (mode == 0 || ::fchmod(file.get(), mode) == 0)
        && (!flush || ::fsync(file.get()) == 0) && file.close();
    if (!written)
        ::unlinkat(folder, temporary->constData(), 0);
    return written;
}

} // namespace

FileResult Tree::writeFile(const QString &path, const QByteArray &bytes) const
{
    const std::optional<Place> place = openPlace(m_root, names(path));
    QByteArray temporary;
    if (!place || !writeTemporary(*place, m_shared, bytes, true, &temporary))
        return FileResult::writeFailed(path);
    const int folder = place->folder.get();
    if (::renameat(folder, temporary.constData(), folder, place->leaf.constData()) != 0) {
        ::unlinkat(folder, temporary.constData(), 0);
        return FileResult::writeFailed(path);
    }
    ::fsync(folder);
    return FileResult::success();
}

FileResult Tree::writeFiles(const QList<std::pair<QString, QByteArray>> &files) const
{
    struct Written {
        Place place;
        QByteArray temporary;
    };
    std::vector<Written> written;
    const auto dropTemporaries = [&written](size_t from) {
        for (size_t i = from; i < written.size(); ++i)
            ::unlinkat(written[i].place.folder.get(), written[i].temporary.constData(), 0);
    };
    for (const auto &[path, bytes] : files) {
        std::optional<Place> place = openPlace(m_root, names(path));
        QByteArray temporary;
        if (!place || !writeTemporary(*place, m_shared, bytes, false, &temporary)) {
            dropTemporaries(0);
            return FileResult::writeFailed(path);
        }
        written.push_back({std::move(*place), temporary});
    }
    // One flush of the file system for them all: every file is whole on disk before any
    // name leads to it.
    if (!written.empty() && ::syncfs(written.front().place.folder.get()) != 0) {
        dropTemporaries(0);
        return FileResult::writeFailed(files.first().first);
    }
    QSet<QString> folders;
    std::vector<int> toFlush;
    for (size_t i = 0; i < written.size(); ++i) {
        const int folder = written[i].place.folder.get();
        if (::renameat(folder, written[i].temporary.constData(), folder, written[i].place.leaf.constData()) != 0) {
            dropTemporaries(i);
            return FileResult::writeFailed(files.at(qsizetype(i)).first);
        }
        const QString parent = files.at(qsizetype(i)).first.section(u'/', 0, -2);
        if (!folders.contains(parent)) {
            folders.insert(parent);
            toFlush.push_back(folder);
        }
    }
    for (const int folder : toFlush)
        ::fsync(folder);
    return FileResult::success();
}

bool Tree::makeFolder(const QString &path) const
{
    const std::optional<Place> place = openPlace(m_root, names(path));
    if (!place || ::mkdirat(place->folder.get(), place->leaf.constData(), 0777) != 0)
        return false;
    if (m_shared) {
        const Fd made(::openat(place->folder.get(), place->leaf.constData(), kDirFlags));
        if (made.valid())
            ::fchmod(made.get(), kSharedFolder);
    }
    return true;
}

bool Tree::rename(const QString &from, const QString &to) const
{
    const std::optional<Place> source = openPlace(m_root, names(from));
    const std::optional<Place> target = openPlace(m_root, names(to));
    if (!source || !target)
        return false;
    const int a = source->folder.get();
    const int b = target->folder.get();
    if (::renameat2(a, source->leaf.constData(), b, target->leaf.constData(), RENAME_NOREPLACE) == 0)
        return true;
    const int error = errno;
    if (error == EEXIST) {
        // A change of letter case only is the same entry on a case-insensitive file system.
        return sameEntry(a, source->leaf, b, target->leaf)
            && ::renameat(a, source->leaf.constData(), b, target->leaf.constData()) == 0;
    }
    if (error != EINVAL && error != ENOSYS)
        return false;
    // A file system without the no-replace rename (some network shares): test first.
    struct stat st {};
    if (::fstatat(b, target->leaf.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0
        && !sameEntry(a, source->leaf, b, target->leaf))
        return false;
    return ::renameat(a, source->leaf.constData(), b, target->leaf.constData()) == 0;
}

bool Tree::removeFolder(const QString &path) const
{
    const std::optional<Place> place = openPlace(m_root, names(path));
    if (!place)
        return false;
    const int folder = place->folder.get();
    const char *leaf = place->leaf.constData();
    struct stat st {};
    if (::fstatat(folder, leaf, &st, AT_SYMLINK_NOFOLLOW) != 0)
        return false;
    if (!S_ISDIR(st.st_mode))
        return S_ISLNK(st.st_mode) && ::unlinkat(folder, leaf, 0) == 0;
    const Fd contents(::openat(folder, leaf, kDirFlags));
    if (!contents.valid())
        return false;
    const bool emptied = removeContents(contents.get(), 0);
    return ::unlinkat(folder, leaf, AT_REMOVEDIR) == 0 && emptied;
}

bool Tree::removeFile(const QString &path) const
{
    const std::optional<Place> place = openPlace(m_root, names(path));
    return place && ::unlinkat(place->folder.get(), place->leaf.constData(), 0) == 0;
}

bool Tree::removeEmptyFolder(const QString &path) const
{
    const std::optional<Place> place = openPlace(m_root, names(path));
    return place && ::unlinkat(place->folder.get(), place->leaf.constData(), AT_REMOVEDIR) == 0;
}

bool Tree::folderExists(const QString &path) const
{
    const std::optional<QStringList> parts = names(path);
    return parts && openFolders(m_root, *parts, parts->size()).valid();
}

bool Tree::exists(const QString &path) const
{
    const std::optional<Place> place = openPlace(m_root, names(path));
    struct stat st {};
    return place && ::fstatat(place->folder.get(), place->leaf.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0;
}

bool Tree::isFile(const QString &path) const
{
    const std::optional<Place> place = openPlace(m_root, names(path));
    struct stat st {};
    return place && ::fstatat(place->folder.get(), place->leaf.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0
        && S_ISREG(st.st_mode);
}

bool Tree::isWriteProtected(const QString &path) const
{
    const std::optional<Place> place = openPlace(m_root, names(path));
    struct stat st {};
    return place && ::fstatat(place->folder.get(), place->leaf.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0
        && S_ISREG(st.st_mode) && (st.st_mode & 0222) == 0;
}

int AreaLock::timeoutMs = 3000;

AreaLock::AreaLock(AreaLock &&other) noexcept
    : m_fd(std::exchange(other.m_fd, -1))
    , m_state(other.m_state)
    , m_blocker(std::move(other.m_blocker))
{
}

AreaLock &AreaLock::operator=(AreaLock &&other) noexcept
{
    std::swap(m_fd, other.m_fd);
    std::swap(m_state, other.m_state);
    std::swap(m_blocker, other.m_blocker);
    return *this;
}

AreaLock::~AreaLock()
{
    if (m_fd >= 0)
        ::close(m_fd); // closing the last descriptor releases the lock
}

namespace {

// A lock file of its own: the lists are replaced by renaming, so a lock on a list would be a
// lock on a file that is gone.
constexpr char kLockFile[] = ".retterum-laas";

// Puts a fresh lock file in place, readable and writable by everyone who may change the area,
// so that no one ever sees it with a mode that shuts others out. What stood there (a link, a
// pipe, a file others can't open) is replaced; an empty folder is removed first.
enum class Placed { Done, Failed, Blocked };
Placed placeLockFile(int root, bool shared, bool replace)
{
    struct stat st {};
    if (replace && ::fstatat(root, kLockFile, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(st.st_mode)
        && ::unlinkat(root, kLockFile, AT_REMOVEDIR) != 0)
        return Placed::Blocked;
    QByteArray temporary;
    Fd file;
    for (int attempt = 0; attempt < 8 && !file.valid(); ++attempt) {
        temporary = temporaryName();
        file = Fd(::openat(root, temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
        if (!file.valid() && errno != EEXIST)
            return Placed::Failed;
    }
    if (!file.valid())
        return Placed::Failed;
    const bool ready = (!shared || ::fchmod(file.get(), kSharedFile) == 0) && file.close();
    bool placed = false;
    if (ready) {
        // Never over a lock file someone else has just made: that one may be held already.
        placed = replace ? ::renameat(root, temporary.constData(), root, kLockFile) == 0
                         : ::linkat(root, temporary.constData(), root, kLockFile, 0) == 0;
    }
    ::unlinkat(root, temporary.constData(), 0);
    return placed ? Placed::Done : Placed::Failed;
}

// The lock file opened for locking, when what stands at its name is a regular file this user
// can open; an invalid descriptor with errno set otherwise.
Fd openLockFile(int root)
{
    struct stat st {};
    if (::fstatat(root, kLockFile, &st, AT_SYMLINK_NOFOLLOW) != 0)
        return Fd();
    if (!S_ISREG(st.st_mode)) {
        errno = EINVAL;
        return Fd();
    }
    Fd file(::openat(root, kLockFile, O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat opened {};
    if (file.valid() && (::fstat(file.get(), &opened) != 0 || opened.st_ino != st.st_ino)) {
        errno = EAGAIN;
        return Fd();
    }
    return file;
}

bool stillInPlace(int root, int file)
{
    struct stat placed {};
    struct stat held {};
    return ::fstatat(root, kLockFile, &placed, AT_SYMLINK_NOFOLLOW) == 0 && ::fstat(file, &held) == 0
        && placed.st_ino == held.st_ino && placed.st_dev == held.st_dev;
}

} // namespace

void (*AreaLock::whileWaiting)() = nullptr;

AreaLock Tree::lock() const
{
    using State = AreaLock::State;
    if (m_root.size() <= 1)
        return AreaLock();
    const Fd root = openRoot(m_root);
    if (!root.valid())
        return AreaLock();
    // Root may change anything; anyone else needs the area to be writable.
    if (::faccessat(root.get(), ".", W_OK, AT_EACCESS) != 0)
        return AreaLock(errno == EACCES || errno == EROFS || errno == EPERM ? State::NotAllowed : State::Busy);

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(AreaLock::timeoutMs);
    for (int placings = 0;;) {
        Fd file = openLockFile(root.get());
        if (!file.valid()) {
            const int error = errno;
            if (++placings > 8)
                return AreaLock(State::Busy);
            if (error == EAGAIN)
                continue; // replaced between the look and the open
            switch (placeLockFile(root.get(), m_shared, error != ENOENT)) {
            case Placed::Blocked:
                return AreaLock(State::Blocked, m_root + QString::fromLatin1(kLockFile));
            case Placed::Failed:
                if (errno == EACCES || errno == EROFS || errno == EPERM)
                    return AreaLock(State::NotAllowed);
                break;
            case Placed::Done:
                break;
            }
            continue;
        }
        // Lock records of the open file, not of the process: two windows of one program exclude
        // each other as two programs do.
        struct flock request {};
        request.l_type = F_WRLCK;
        request.l_whence = SEEK_SET;
        if (::fcntl(file.get(), F_OFD_SETLK, &request) == 0) {
            // Someone may have replaced the file after it was opened: a lock on a file no one
            // else can find excludes no one.
            if (!stillInPlace(root.get(), file.get())) {
                if (++placings > 8)
                    return AreaLock(State::Busy);
                continue;
            }
            AreaLock lock(file.get());
            (void)file.release();
            return lock;
        }
        if ((errno != EAGAIN && errno != EACCES && errno != EINTR) || std::chrono::steady_clock::now() >= deadline)
            return AreaLock(State::Busy);
        if (AreaLock::whileWaiting)
            AreaLock::whileWaiting();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

std::optional<QList<Tree::Entry>> Tree::entries(const QString &folder) const
{
    const std::optional<QStringList> parts = names(folder);
    if (!parts)
        return std::nullopt;
    const Fd opened = openFolders(m_root, *parts, parts->size());
    if (!opened.valid())
        return std::nullopt;
    return entriesOf(opened.get());
}

std::optional<QList<Tree::Entry>> Tree::entriesOf(int folder)
{
    DIR *dir = ::fdopendir(::dup(folder));
    if (!dir)
        return std::nullopt;
    QList<Entry> found;
    while (const dirent *entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name == "." || name == "..")
            continue;
        struct stat st {};
        if (::fstatat(folder, name.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0)
            continue;
        const Entry::Kind kind = S_ISDIR(st.st_mode) ? Entry::Kind::Folder
            : S_ISREG(st.st_mode)                    ? Entry::Kind::File
                                                     : Entry::Kind::Other;
        found.append({QFile::decodeName(name), kind, qint64(st.st_mtim.tv_sec)});
    }
    ::closedir(dir);
    return found;
}

Tree::Stamp Tree::stamp(const QString &path) const
{
    const std::optional<Place> place = openPlace(m_root, names(path));
    struct stat st {};
    if (!place || ::fstatat(place->folder.get(), place->leaf.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0)
        return {};
    return {qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec, qint64(st.st_size), quint64(st.st_ino)};
}

} // namespace store
