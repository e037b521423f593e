#pragma once

#include <QString>
#include <QStringList>

namespace store {

// What else lives at the first level of an area, beside its main categories.
enum class Reserved {
    Nothing,
    SettingsFolder, // a user folder: "Indstillinger" holds the settings
    UserFolders,    // the users root itself: "Alle" and every login are other people's areas
};

// Why a new entry text is refused, if it is.
enum class NameRefusal {
    None,
    Empty,
    Duplicate,    // equal to another entry when letter case is ignored
    Unusable,     // ".", "..", too long, holding "/", "\" or a control character, or a
                  // category named as one of the store's own files
    Reserved,     // the name of a folder the program keeps beside the main categories
};

struct NameRules {
    bool isFileSystemName = true;        // categories and recipes; ingredient lines are free text
    Reserved reserved = Reserved::Nothing; // main categories only
    int ignoreIndex = -1;                // the entry being renamed is no duplicate of itself
    bool namesFolder = false;            // categories: their folders stand beside the lists
};

// Whether an entry, typed or read from a list file, may name a folder or file: not empty, not
// "." or "..", no "/", "\" or control character, and short enough for the file system with the
// longest file name made from it.
bool isUsableName(const QString &entry);

// Whether a category folder of that name would stand where the store keeps a file of its own
// (a list, the lock file, the change record), letter case ignored as some file systems do.
// A recipe's files always end in ".rtf" or "liste.txt", so no recipe name clashes.
bool isStoreFileName(const QString &entry);

// Whether a main category of that name would be one of the folders kept beside them.
bool isReservedName(const QString &entry, Reserved reserved);

NameRefusal checkNewEntry(const QString &text, const QStringList &entries, const NameRules &rules);

// Sorts the whole list by the user's locale, ignoring letter case, and puts text at its place.
QStringList insertSorted(QStringList entries, const QString &text);

} // namespace store
