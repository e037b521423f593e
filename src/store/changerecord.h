#pragma once

#include "store/listchange.h"

#include <optional>

namespace store {

// What a list change that takes several steps is about to do, written to the area before its
// first step and removed after its last. A record found later names a change that a crash cut
// off; repair() finishes it or takes back its steps, so that lists and folders agree.
struct ChangeRecord {
    enum class Kind { Insert, Remove, Rename };
    Kind kind = Kind::Insert;
    ListPlace place;
    QString name;
    QString newName; // renames only

    // Written through the store's checked write: fsynced before the first step is taken.
    FileResult write(const Tree &area) const;
    // Also what another user planted at the record's name, as a planted lock file goes: a
    // link, a pipe or an empty folder. A folder with contents stays: false.
    static bool remove(const Tree &area);
    static bool exists(const Tree &area);
    static QString path(const Tree &area);
    // The record left in the area, when it names a place this area can hold. A record is a
    // file in a shared area like any other: its names pass the same gate as typed names.
    static std::optional<ChangeRecord> read(const Tree &area);
};

// Called with the area's lock held: finishes or takes back what a record names, then lists
// again what no list names but holds recipes, and clears temporary files left by writes that
// were cut off. Returns whether anything was changed.
bool repairArea(const Tree &area);

// At the opening of an area: repairs only when a record shows that a change was cut off.
void repairIfInterrupted(const Tree &area);

} // namespace store
