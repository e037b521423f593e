#pragma once

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/mount.h>
#include <unistd.h>

// A small file system of its own (tmpfs), so that a test can fill it. Mounting needs root: CI
// runs as root; elsewhere the test is skipped, but under CI=true it fails instead.
class SmallDisk {
public:
    SmallDisk()
    {
        if (::geteuid() == 0 && m_dir.isValid())
            m_mounted = ::mount("tmpfs", QFile::encodeName(m_dir.path()).constData(), "tmpfs", 0,
                                "size=512k,mode=0777") == 0;
    }
    ~SmallDisk()
    {
        if (m_mounted)
            ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk &) = delete;
    SmallDisk &operator=(const SmallDisk &) = delete;

    bool isMounted() const { return m_mounted; }
    QString path() const { return m_dir.path(); }

    // Takes every free byte, so that the next write fails for want of space.
    void fill() const
    {
        QFile filler(m_dir.path() + QStringLiteral("/.fyld"));
        QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Append));
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size() && filler.flush()) {
        }
        const QByteArray byte(1, 'x');
        while (filler.write(byte) == 1 && filler.flush()) {
        }
    }

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
};

// Use at the start of a test that needs a SmallDisk.
#define REQUIRE_SMALL_DISK(disk)                                                                   \
    do {                                                                                           \
        if (!(disk).isMounted()) {                                                                 \
            if (qEnvironmentVariable("CI") == QLatin1String("true"))                               \
                QFAIL("a small file system could not be mounted; CI runs as root and must");       \
            QSKIP("mounting a small file system needs root");                                      \
        }                                                                                          \
    } while (false)
