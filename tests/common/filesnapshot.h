#pragma once

#include <QCryptographicHash>
#include <QDirIterator>
#include <QFile>
#include <QMap>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// Everything below a folder, links not followed: for each path its kind, mode and content (a
// hash) or link target. Two snapshots differ exactly where something was changed. The areas'
// lock files, which hold nothing, are left out.
inline QMap<QString, QString> fileSnapshot(const QString &folder)
{
    QMap<QString, QString> result;
    QDirIterator it(folder, QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (it.fileName() == u".retterum-laas")
            continue;
        const QByteArray native = QFile::encodeName(path);
        struct stat st {};
        if (::lstat(native.constData(), &st) != 0)
            continue;
        QString line = QString::number(st.st_mode, 8);
        if (S_ISLNK(st.st_mode)) {
            char target[4096];
            const ssize_t n = ::readlink(native.constData(), target, sizeof target);
            line += u" -> " + QString::fromLocal8Bit(target, int(std::max<ssize_t>(n, 0)));
        } else if (S_ISREG(st.st_mode)) {
            QFile file(path);
            if (file.open(QIODevice::ReadOnly))
                line += u' ' + QString::fromLatin1(QCryptographicHash::hash(file.readAll(), QCryptographicHash::Md5).toHex());
        }
        result.insert(path.mid(folder.size()), line);
    }
    return result;
}

// The paths whose entries differ between two snapshots, for a readable failure.
inline QStringList snapshotChanges(const QMap<QString, QString> &before, const QMap<QString, QString> &after)
{
    QStringList changed;
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        if (after.value(it.key()) != it.value())
            changed.append(it.key());
    }
    for (auto it = after.cbegin(); it != after.cend(); ++it) {
        if (!before.contains(it.key()))
            changed.append(it.key());
    }
    changed.sort();
    return changed;
}
