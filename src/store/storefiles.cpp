#include "store/storefiles.h"

#include "store/storepaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <sys/stat.h>

namespace store {

namespace {

constexpr QFile::Permissions kEveryone = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser
    | QFile::WriteUser | QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther;
constexpr QFile::Permissions kEveryoneFolder = kEveryone | QFile::ExeOwner | QFile::ExeUser
    | QFile::ExeGroup | QFile::ExeOther;

} // namespace

bool makeFolder(const QString &path, bool shared)
{
    const QString folder = withoutTrailingSlash(path);
    if (!QDir().mkdir(folder))
        return false;
    if (shared)
        QFile::setPermissions(folder, kEveryoneFolder);
    return true;
}

void shareFile(const QString &path)
{
    QFile::setPermissions(path, kEveryone);
}

bool renameEntry(const QString &from, const QString &to)
{
    const QByteArray source = QFile::encodeName(withoutTrailingSlash(from));
    const QByteArray target = QFile::encodeName(withoutTrailingSlash(to));
    if (source == target)
        return true;
    // A change of letter case only is the same entry on a case-insensitive file system.
    struct stat a {};
    struct stat b {};
    const bool targetExists = ::lstat(target.constData(), &b) == 0;
    if (targetExists) {
        if (::lstat(source.constData(), &a) != 0 || a.st_ino != b.st_ino || a.st_dev != b.st_dev)
            return false;
    }
    return ::rename(source.constData(), target.constData()) == 0;
}

bool removeFolderTree(const QString &path)
{
    const QString folder = withoutTrailingSlash(path);
    const QFileInfo info(folder);
    if (info.isSymLink())
        return QFile::remove(folder);
    if (!info.isDir())
        return false;
    // QDir::removeRecursively removes links as links and does not descend into them.
    return QDir(folder).removeRecursively();
}

bool removeFile(const QString &path)
{
    return QFile::remove(path);
}

bool folderExists(const QString &path)
{
    return QFileInfo(withoutTrailingSlash(path)).isDir();
}

bool fileExists(const QString &path)
{
    return QFileInfo::exists(path);
}

} // namespace store
