#pragma once

#include <QString>
#include <QStringList>

namespace store {

// Why a new entry text is refused, if it is.
enum class NameRefusal {
    None,
    Empty,
    Duplicate,    // equal to another entry when letter case is ignored
    Unusable,     // ".", "..", or holding "/", "\" or a control character
    Reserved,     // "Indstillinger" as a main category of a private area
};

struct NameRules {
    bool isFileSystemName = true;  // categories and recipes; ingredient lines are free text
    bool reservesSettings = false; // main categories of a private area
    int ignoreIndex = -1;          // the entry being renamed is no duplicate of itself
};

NameRefusal checkNewEntry(const QString &text, const QStringList &entries, const NameRules &rules);

// Sorts the whole list by the user's locale, ignoring letter case, and puts text at its place.
QStringList insertSorted(QStringList entries, const QString &text);

} // namespace store
