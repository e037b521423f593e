#pragma once

#include "store/listfile.h"
#include "store/storepaths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// A throw-away data root laid out as the installation lays it out: a program folder, the
// users root and the shared area.
class TestDataRoot {
public:
    // parent: where the root is made (a small disk, say); the system's temporary folder if empty.
    explicit TestDataRoot(const QString &parent = QString())
        : m_dir(parent.isEmpty() ? QDir::tempPath() + QStringLiteral("/retterum-XXXXXX")
                                 : parent + QStringLiteral("/retterum-XXXXXX"))
    {
        QDir root(m_dir.path());
        root.mkpath(QStringLiteral("Program"));
        root.mkpath(QStringLiteral("Brugere/Alle"));
    }

    bool isValid() const { return m_dir.isValid(); }
    QString path() const { return m_dir.path(); }
    store::StorePaths paths() const { return store::StorePaths(m_dir.path()); }
    QString file(const QString &relative) const { return m_dir.path() + u'/' + relative; }

    // Writes a list file below the root, making its folders.
    void writeList(const QString &relative, const QStringList &entries,
                   store::ListEncoding encoding = store::ListEncoding::Windows1252) const
    {
        writeListAt(file(relative), entries, encoding);
    }

    static void writeListAt(const QString &full, const QStringList &entries,
                            store::ListEncoding encoding = store::ListEncoding::Windows1252)
    {
        QDir().mkpath(QFileInfo(full).path());
        QVERIFY(store::writeListFile(full, entries, encoding));
    }

    void writeBytes(const QString &relative, const QByteArray &bytes) const
    {
        const QString full = file(relative);
        QDir().mkpath(QFileInfo(full).path());
        QFile f(full);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    QStringList readList(const QString &relative) const
    {
        store::ListText list;
        if (!store::readListFile(file(relative), &list))
            return {QStringLiteral("<kan ikke læses>")};
        return list.entries;
    }

private:
    QTemporaryDir m_dir;
};
