#pragma once

#include "store/entryname.h"
#include "store/fileresult.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <utility>

namespace store {

// An exclusive advisory lock on a whole area, held while one change is made to it, so that
// several windows or users change its lists one after the other. The system drops it with the
// process, so a crash never leaves it behind.
class AreaLock {
public:
    enum class State {
        Held,
        Busy,       // another change holds it and did not finish in time
        NotAllowed, // the area is write-protected for this user
        Blocked,    // a folder stands where the lock file must be: blocker() names it
    };

    AreaLock() = default;
    explicit AreaLock(int fd)
        : m_fd(fd)
        , m_state(State::Held)
    {
    }
    AreaLock(State state, QString blocker = {})
        : m_state(state)
        , m_blocker(std::move(blocker))
    {
    }
    AreaLock(AreaLock &&other) noexcept;
    AreaLock &operator=(AreaLock &&other) noexcept;
    AreaLock(const AreaLock &) = delete;
    AreaLock &operator=(const AreaLock &) = delete;
    ~AreaLock();

    bool isHeld() const { return m_fd >= 0; }
    State state() const { return m_state; }
    QString blocker() const { return m_blocker; }

    // How long a change waits for another one to finish before it gives up.
    static int timeoutMs;
    // Called between attempts while another change holds the lock, so that a window can go on
    // answering while it waits.
    static void (*whileWaiting)();

private:
    int m_fd = -1;
    State m_state = State::Busy;
    QString m_blocker;
};

// The store's one gate between entry names and the file system. Every path below the root is
// composed here from names that pass the name test, and every file operation walks the path
// from the root one name at a time without following a link, so nothing another user plants
// in a shared area (a link, a pipe, a name like "..") can make the program touch anything
// outside it. Paths are the strings the navigation keeps: root + names joined by "/"; a
// folder path ends with "/".
class Tree {
public:
    Tree() = default; // no root: every path is refused
    Tree(QString root, bool shared, Reserved reserved = Reserved::Nothing);
    // A tree whose root is the folder of the file: the settings folder, a test's file.
    static Tree aroundFile(const QString &filePath);

    QString root() const { return m_root; }
    bool isShared() const { return m_shared; }
    Reserved reserved() const { return m_reserved; }

    // parent + name + "/", or empty when no folder may be made of that name there.
    QString folder(const QString &parent, const QString &entry) const;
    // folder + entry + suffix, or empty when the entry can't name a file.
    QString file(const QString &folder, const QString &entry, const QString &suffix) const;
    // folder + a fixed file name such as "Index.txt", or empty when the folder is.
    static QString fixedFile(const QString &folder, const QString &fileName);

    // Only a regular file is read, never through a link or from a pipe; one larger than
    // maxBytes is refused.
    FileResult readFile(const QString &path, QByteArray *bytes, qint64 maxBytes) const;
    // Replaces the file whole and atomically, every step checked; a failure leaves the old
    // file as it was. A link at the path is replaced, never written through.
    FileResult writeFile(const QString &path, const QByteArray &bytes) const;
    // Many files as writeFile writes one, for thousands at a time: all are written and made
    // durable with one flush of the file system before any is renamed in. On failure, the
    // files not yet renamed in are as they were; error names the file that failed.
    FileResult writeFiles(const QList<std::pair<QString, QByteArray>> &files) const;

    // Folder and file operations report whether they did their work and raise nothing.
    bool makeFolder(const QString &path) const;
    // Never replaces what stands at the new path, except the same entry in other letter case.
    bool rename(const QString &from, const QString &to) const;
    // Deletes a folder with everything in it as far as it can; a link is removed as a link.
    bool removeFolder(const QString &path) const;
    bool removeFile(const QString &path) const;
    // Only a folder with nothing in it, never through a link.
    bool removeEmptyFolder(const QString &path) const;
    bool folderExists(const QString &path) const; // a real folder, reached without links
    bool exists(const QString &path) const;       // anything at all, a link included
    bool isFile(const QString &path) const;       // a regular file, not a link to one
    // A regular file whose owner took away every write permission: replacing it would go
    // against their wish, though the folder allows it.
    bool isWriteProtected(const QString &path) const;

    // Waits up to AreaLock::timeoutMs for the area's lock; an unheld lock when it can't be had.
    AreaLock lock() const;

    // When and how a file was last written, to tell whether someone else has changed it.
    struct Stamp {
        qint64 modified = 0; // nanoseconds
        qint64 size = -1;
        quint64 inode = 0;
        bool operator==(const Stamp &o) const
        {
            return modified == o.modified && size == o.size && inode == o.inode;
        }
        bool operator!=(const Stamp &o) const { return !(*this == o); }
    };
    // An empty stamp (size -1) when nothing is there.
    Stamp stamp(const QString &path) const;

    // What a folder holds, links and all, without following any of them; nothing when the
    // folder can't be reached.
    struct Entry {
        enum class Kind { Folder, File, Other };
        QString name;
        Kind kind = Kind::Other;
        qint64 modifiedSecs = 0;
    };
    std::optional<QList<Entry>> entries(const QString &folder) const;
    // The same for a folder already open (a descriptor of the caller's, left open).
    static std::optional<QList<Entry>> entriesOf(int folder);

    // The names of path below the root, when it is a path this tree accepts.
    std::optional<QStringList> names(const QString &path) const;

private:
    QString m_root; // ends with "/"
    bool m_shared = false;
    Reserved m_reserved = Reserved::Nothing;
};

} // namespace store
