#pragma once

#include "store/entryname.h"

#include <QString>

struct archive_entry;

namespace backup {

// What one entry of an archive is in the layout of an area, or why it is refused.
struct ArchiveEntry {
    enum class Kind {
        MainList,    // Hovedkategori.txt
        Manifest,
        Folder,      // a main category's or subcategory's folder
        MainIndex,   // <main>/Index.txt: the subcategories
        SubIndex,    // <main>/<sub>/Index.txt: the recipes
        Description, // <main>/<sub>/<recipe>.rtf
        Ingredients, // <main>/<sub>/<recipe>liste.txt
        Other,       // safe, but no part of a book: left out
        Refused,     // see why
    };
    Kind kind = Kind::Refused;
    QString path;   // as the archive names it, for messages
    QString main;
    QString sub;
    QString recipe;
    QString why;    // Danish, the end of "… er <why>" when refused
    qint64 declaredSize = -1; // unknown when the header doesn't say
};

// Reads an entry's header: a path that leaves the area, a link, a device or a name the store
// refuses (reserved: the area's main categories that would be the program's own) is refused.
ArchiveEntry classify(archive_entry *entry, store::Reserved reserved);

} // namespace backup
