#include "store/privatefolder.h"

#include <QFile>

#include <cerrno>

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace store {

namespace {

constexpr int kDirFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;

struct Closer {
    int fd;
    ~Closer()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

} // namespace

QString loginName()
{
    const passwd *entry = getpwuid(geteuid());
    return entry && entry->pw_name ? QString::fromLocal8Bit(entry->pw_name).left(254) : QString();
}

PrivateFolder preparePrivateFolder(const StorePaths &paths, const QString &brugernavn)
{
    const Closer users{::open(QFile::encodeName(paths.usersRoot()).constData(), kDirFlags & ~O_NOFOLLOW)};
    if (users.fd < 0)
        return PrivateFolder::Unavailable;
    Closer user{-1};
    if (brugernavn.isEmpty()) {
        user.fd = ::dup(users.fd);
    } else {
        const QByteArray name = QFile::encodeName(brugernavn);
        if (::mkdirat(users.fd, name.constData(), 0700) != 0 && errno != EEXIST)
            return PrivateFolder::Unavailable;
        user.fd = ::openat(users.fd, name.constData(), kDirFlags);
        if (user.fd < 0)
            return errno == ENOENT ? PrivateFolder::Unavailable : PrivateFolder::NotOwn;
    }
    struct stat st {};
    if (::fstat(user.fd, &st) != 0)
        return PrivateFolder::Unavailable;
    if (st.st_uid != ::geteuid())
        return PrivateFolder::NotOwn;
    // The shared area stays open to all when a user of that name has it as private area.
    const bool isSharedArea = paths.userFolder(brugernavn) + u'/' == paths.sharedArea();
    if (!isSharedArea && (st.st_mode & 077) != 0 && ::fchmod(user.fd, 0700) != 0)
        return PrivateFolder::Unavailable;

    if (::mkdirat(user.fd, "Indstillinger", 0700) != 0 && errno != EEXIST)
        return PrivateFolder::Unavailable;
    const Closer settings{::openat(user.fd, "Indstillinger", kDirFlags)};
    return settings.fd >= 0 ? PrivateFolder::Ready : PrivateFolder::NotOwn;
}

} // namespace store
