#pragma once

#include "backup/restorelimits.h"
#include "store/entryname.h"

#include <QMap>
#include <QString>
#include <QStringList>

namespace backup {

// What an archive holds, read from its headers and its lists before anything is written.
struct ArchivePlan {
    struct Recipe {
        bool description = false;
        bool ingredients = false;
        int line = -1; // where its list names it first
    };
    // Named by a list or holding files: each level is inserted sorted, so the order is the store's.
    struct Sub {
        QMap<QString, Recipe> recipes;
    };
    struct Main {
        QMap<QString, Sub> subs;
    };
    QMap<QString, Main> mains;
    // Each recipe that holds files, once, in the order its first file comes in the archive: a
    // subcategory's recipes are inserted together as the second pass reaches them.
    struct RecipeRef {
        QString main;
        QString sub;
        QString recipe;
    };
    QList<RecipeRef> fileOrder;

    int entries = 0;        // entries that can be read, in archive order, before any damage
    int recipeFiles = 0;    // of them, recipe files
    int leftOut = 0;        // safe entries that are no part of a book, and list lines that name nothing
    QString damage;         // why the archive can't be read past `entries`; empty when whole
    QString refusal;        // Danish: why nothing may be written; empty when the archive may be read
};

// The first pass: every header is checked (and the lists read) before anything is written, so a
// hostile entry anywhere refuses the whole archive.
ArchivePlan planArchive(const QString &zipPath, store::Reserved reserved, const RestoreLimits &limits);

} // namespace backup
