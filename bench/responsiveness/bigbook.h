#pragma once

#include "common/generatedbook.h"

#include <QString>

// The generated book, a subcategory of 20,000 names and a recipe with a 1 MB description; the
// shared area opens at start. Beside it, outside the data root, what the user brings in: a
// backup of another book and a folder of recipe folders.
struct BigBook : GeneratedBook {
    static inline const QString kBig = QStringLiteral("Store opskrifter");
    static inline const QString kMany = QStringLiteral("Mange");
    static inline const QString kLarge = QStringLiteral("Stor");
    static inline const QString kLargeRecipe = QStringLiteral("Lang beskrivelse");
    static constexpr int kManyRecipes = 20000;
    static constexpr int kBackupRecipes = 200;
    static constexpr int kFolderRecipes = 300;

    BigBook();

    QTemporaryDir brought;
    QString backupZip() const { return brought.filePath(QStringLiteral("andens-kopi.zip")); }
    QString recipeFolders() const { return brought.filePath(QStringLiteral("opskriftsmapper")); }
    QString file(const QString &name) const { return brought.filePath(name); }

    // A photograph-sized picture, as pages and recipe folders carry them.
    static QByteArray picture();

private:
    void makeBackup() const;
    void makeRecipeFolders() const;
};
