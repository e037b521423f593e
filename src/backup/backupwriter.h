#pragma once

#include "backup/progress.h"
#include "store/tree.h"

#include <QString>
#include <QStringList>

namespace backup {

struct BackupResult {
    bool ok = false;
    bool cancelled = false;
    QString error;          // Danish, when not ok
    int mainCategories = 0;
    int subcategories = 0;
    int recipes = 0;
    QStringList unreadable; // files of the area that could not be read and are not in the backup
};

// Writes the area into one zip: its lists and recipe files byte for byte, as its lists name
// them, read through the store's gate one file at a time, and a manifest (program version, date,
// area, counts). The zip is written beside zipPath and renamed into place only when whole: a
// full disk, a failure or a cancel leaves no file behind, nor changes one that was there.
BackupResult writeBackup(const store::Tree &area, const QString &areaName, const QString &zipPath,
                         const Progress &progress = {});

// What the user is told afterwards, in Danish.
// "Sikkerhedskopien er gemt i …: 1 hovedkategori, 3 underkategorier, 12 opskrifter."
QString backupCounts(const BackupResult &result, const QString &zipPath);
QString backupSummary(const BackupResult &result, const QString &zipPath);

} // namespace backup
