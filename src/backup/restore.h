#pragma once

#include "backup/progress.h"
#include "backup/restorelimits.h"
#include "store/tree.h"

#include <QString>
#include <QStringList>

namespace backup {

struct RestoreResult {
    enum class Outcome {
        Done,
        Refused,   // nothing was written: see error
        Stopped,   // damage, a bomb found while unpacking or a failed write: what came before stays
        Cancelled, // what came before stays
    };
    Outcome outcome = Outcome::Done;
    QString error;           // Danish, when not Done: why, and how far it got
    int recipes = 0;         // recipes merged whole
    int newCategories = 0;   // main categories and subcategories the area did not have
    QStringList renamed;     // "Hoved/Under/Navn" → "Navn (2)", as lines for the summary
    QStringList notRestored; // recipes whose name the store refused even numbered
    int leftOut = 0;         // entries no part of a book, list lines that name nothing
};

// Merges a backup (or any zip laid out as an area) into the area, through the store's gate and
// its list changes: categories of the same name are merged, a recipe whose name is taken gets
// " (2)", " (3)" …, nothing that exists is overwritten. Every header is checked first: a hostile
// entry anywhere, too many entries, too many bytes or a bomb refuses the archive with nothing
// written. Damage found while unpacking stops the merge there; every recipe merged before it is
// whole, a recipe cut off is taken out again.
RestoreResult restoreBackup(const store::Tree &area, const QString &zipPath, const Progress &progress = {},
                            const RestoreLimits &limits = {});

// What was merged, in Danish: the counts, the renamed recipes, what was left out. The error, when
// there is one, comes before it.
QString restoreSummary(const RestoreResult &result);

} // namespace backup
