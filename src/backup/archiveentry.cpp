#include "backup/archiveentry.h"

#include "backup/layout.h"
#include "backup/libarchive.h"

#include <QStringList>

namespace backup {

namespace {

ArchiveEntry refused(ArchiveEntry entry, const QString &why)
{
    entry.kind = ArchiveEntry::Kind::Refused;
    entry.why = why;
    return entry;
}

// The recipe a file in a subcategory's folder belongs to, and which of its files it is.
ArchiveEntry::Kind recipeFile(const QString &fileName, QString *recipe)
{
    for (const auto &[suffix, kind] : {std::pair{descriptionSuffix(), ArchiveEntry::Kind::Description},
                                       std::pair{ingredientSuffix(), ArchiveEntry::Kind::Ingredients}}) {
        if (fileName.endsWith(suffix) && fileName.size() > suffix.size()) {
            *recipe = fileName.left(fileName.size() - suffix.size());
            return store::isUsableName(*recipe) ? kind : ArchiveEntry::Kind::Other;
        }
    }
    return ArchiveEntry::Kind::Other;
}

ArchiveEntry::Kind kindOf(const QStringList &parts, bool folder, ArchiveEntry *entry)
{
    using Kind = ArchiveEntry::Kind;
    const QString &last = parts.last();
    switch (parts.size()) {
    case 1:
        entry->main = folder ? last : QString();
        if (folder)
            return Kind::Folder;
        return last == mainListName() ? Kind::MainList : last == manifestName() ? Kind::Manifest : Kind::Other;
    case 2:
        entry->main = parts.at(0);
        entry->sub = folder ? last : QString();
        if (folder)
            return Kind::Folder;
        return last == indexName() ? Kind::MainIndex : Kind::Other;
    case 3:
        entry->main = parts.at(0);
        entry->sub = parts.at(1);
        if (folder)
            return Kind::Other;
        return last == indexName() ? Kind::SubIndex : recipeFile(last, &entry->recipe);
    default:
        return Kind::Other;
    }
}

} // namespace

ArchiveEntry classify(archive_entry *header, store::Reserved reserved)
{
    ArchiveEntry entry;
    const char *utf8 = libarchive()->archive_entry_pathname_utf8(header);
    entry.path = utf8 ? QString::fromUtf8(utf8) : QString();
    if (!utf8 || entry.path.isEmpty())
        return refused(entry, QStringLiteral("et navn, der ikke kan læses"));
    if (libarchive()->archive_entry_size_is_set(header))
        entry.declaredSize = libarchive()->archive_entry_size(header);

    const mode_t type = libarchive()->archive_entry_filetype(header);
    if (type == AE_IFLNK || libarchive()->archive_entry_symlink(header))
        return refused(entry, QStringLiteral("en symbolsk lænke"));
    if (libarchive()->archive_entry_hardlink(header))
        return refused(entry, QStringLiteral("en hård lænke"));
    if (type != AE_IFREG && type != AE_IFDIR)
        return refused(entry, QStringLiteral("en enhed eller anden særlig fil"));
    if (entry.path.startsWith(u'/') || entry.path.contains(u'\\'))
        return refused(entry, QStringLiteral("en absolut sti"));

    const bool folder = type == AE_IFDIR;
    QString path = entry.path;
    if (folder && path.endsWith(u'/'))
        path.chop(1);
    const QStringList parts = path.split(u'/');
    for (const QString &part : parts) {
        if (part == QLatin1String(".."))
            return refused(entry, QStringLiteral("en sti ud af området"));
        if (!store::isUsableName(part))
            return refused(entry, QStringLiteral("et navn, der ikke kan bruges som mappe- eller filnavn"));
    }
    if (parts.size() >= 2 || folder) {
        if (store::isReservedName(parts.at(0), reserved))
            return refused(entry, QStringLiteral("et navn, der er reserveret til programmets indstillinger"));
    }
    // A category folder can't stand where the store keeps a file of its own.
    for (qsizetype i = 0; i < parts.size() - (folder ? 0 : 1); ++i) {
        if (store::isStoreFileName(parts.at(i)))
            return refused(entry, QStringLiteral("et navn, der ikke kan bruges som mappe- eller filnavn"));
    }
    entry.kind = kindOf(parts, folder, &entry);
    return entry;
}

} // namespace backup
