#pragma once

#include "mainwindow/tmainform.h"
#include "testdataroot.h"

#include <QDir>
#include <QFile>

// A throw-away data root whose program folder holds the help pages as they are installed.
class HelpRoot : public TestDataRoot {
public:
    HelpRoot()
    {
        const QDir pages(QStringLiteral(RETTERUM_HELP_PAGES));
        QDir().mkpath(informationDir());
        const QStringList files = pages.entryList(QDir::Files);
        for (const QString &name : files)
            QFile::copy(pages.filePath(name), informationDir() + u'/' + name);
    }

    QString informationDir() const { return file(QStringLiteral("Program/Information")); }
    QString settingsFile() const
    {
        return paths().settingsDir(Tmainform::GetUserFromWindows()) + QStringLiteral("information.txt");
    }
};
