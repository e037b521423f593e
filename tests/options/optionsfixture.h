#pragma once

#include "mainwindow/tmainform.h"
#include "testdataroot.h"

#include <QTemporaryDir>
#include <QtTest>

// A home and configuration folder of the test's own, so that nothing reaches the real user's.
class ThrowAwayHome {
public:
    ThrowAwayHome()
    {
        qputenv("HOME", QFile::encodeName(m_home.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(configHome()));
    }
    QString path() const { return m_home.path(); }
    QString configHome() const { return m_home.path() + QStringLiteral("/konfiguration"); }
    QString autostartEntry() const { return configHome() + QStringLiteral("/autostart/Retterum.desktop"); }

private:
    QTemporaryDir m_home;
};

// The user's settings folder below the root, made as the program would find it.
inline QString settingsFolder(const TestDataRoot &root)
{
    const QString folder = root.paths().settingsDir(Tmainform::GetUserFromWindows());
    QDir().mkpath(folder);
    return folder;
}

// indstillinger.txt as a user of that design would have it.
inline void writeMainSettings(const TestDataRoot &root, const QString &designName)
{
    TestDataRoot::writeListAt(settingsFolder(root) + QStringLiteral("indstillinger.txt"),
                              {QStringLiteral("200"), QStringLiteral("400"), QStringLiteral("1057"),
                               QStringLiteral("678"), QStringLiteral("233"), QStringLiteral("200"),
                               QStringLiteral("300"), QStringLiteral("300"), QStringLiteral("Courier New"),
                               QStringLiteral("10"), QStringLiteral("0"), QStringLiteral("1"),
                               QStringLiteral("Courier New"), designName});
}
