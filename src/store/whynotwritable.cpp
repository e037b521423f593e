#include "store/whynotwritable.h"

#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>
#include <unistd.h>

namespace store {

QString whyNotWritable(const QString &path)
{
    const QFileInfo file(path);
    const QString folder = file.absolutePath();
    struct stat folderStat {};
    if (::stat(QFile::encodeName(folder).constData(), &folderStat) != 0 || !S_ISDIR(folderStat.st_mode))
        return QStringLiteral("Mappen \"%1\" findes ikke.").arg(folder);
    if (file.isDir())
        return QStringLiteral("\"%1\" er en mappe.").arg(path);
    if (::access(QFile::encodeName(folder).constData(), W_OK | X_OK) != 0)
        return QStringLiteral("Du har ikke lov til at skrive i mappen \"%1\".").arg(folder);
    // In a folder like /tmp only a file's owner may replace it.
    if (file.exists() && (folderStat.st_mode & S_ISVTX) && file.ownerId() != ::geteuid() && ::geteuid() != 0)
        return QStringLiteral("Filen tilhører en anden bruger.");
    if (file.exists() && ::access(QFile::encodeName(path).constData(), W_OK) != 0)
        return QStringLiteral("Filen er skrivebeskyttet.");
    return {};
}

} // namespace store
