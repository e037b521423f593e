#pragma once

#include "store/tree.h"

namespace store {

// Lists again what no list names but that holds recipes (a main category or subcategory folder
// with recipe files below it, a recipe's files), so that nothing a crash or an older copy of the
// program left behind stays hidden; and removes temporary files of writes that were cut off,
// once they are older than any write can take. Called with the area's lock held; returns
// whether a list was changed.
bool relistHidden(const Tree &area);

// Removes the temporary files that writes cut off left in the user's settings folder and the
// folders in it, once they are older than any write can take, as for an area.
void clearSettingsTemporaries(const QString &settingsDir);

// How old a leftover temporary file must be before it is taken for one whose writer is gone.
constexpr qint64 kTemporaryFileLifeSecs = 60 * 60;

} // namespace store
