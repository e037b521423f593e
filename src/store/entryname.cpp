#include "store/entryname.h"

#include <QCollator>
#include <QFile>
#include <QLocale>

#include <algorithm>

#include <pwd.h>

namespace store {

namespace {

// The file system's limit for one name, less the longest suffix the store adds ("liste.txt").
constexpr qsizetype kMaxEntryBytes = 255 - 9;

} // namespace

bool isUsableName(const QString &entry)
{
    if (entry.isEmpty() || entry == u"." || entry == u"..")
        return false;
    const bool clean = std::none_of(entry.cbegin(), entry.cend(), [](QChar c) {
        return c == u'/' || c == u'\\' || c.category() == QChar::Other_Control;
    });
    return clean && QFile::encodeName(entry).size() <= kMaxEntryBytes;
}

bool isStoreFileName(const QString &entry)
{
    static const QString names[] = {QStringLiteral("Hovedkategori.txt"), QStringLiteral("Index.txt"),
                                    QStringLiteral(".retterum-laas"), QStringLiteral(".retterum-aendring")};
    return std::any_of(std::cbegin(names), std::cend(names),
                       [&entry](const QString &name) { return entry.compare(name, Qt::CaseInsensitive) == 0; });
}

bool isReservedName(const QString &entry, Reserved reserved)
{
    switch (reserved) {
    case Reserved::Nothing:
        return false;
    case Reserved::SettingsFolder:
        return entry.compare(u"Indstillinger", Qt::CaseInsensitive) == 0;
    case Reserved::UserFolders:
        return entry.compare(u"Alle", Qt::CaseInsensitive) == 0
            || entry.compare(u"Indstillinger", Qt::CaseInsensitive) == 0
            || getpwnam(QFile::encodeName(entry).constData()) != nullptr;
    }
    return false;
}

NameRefusal checkNewEntry(const QString &text, const QStringList &entries, const NameRules &rules)
{
    if (text.isEmpty())
        return NameRefusal::Empty;
    for (int i = 0; i < entries.size(); ++i) {
        if (i != rules.ignoreIndex && entries.at(i).compare(text, Qt::CaseInsensitive) == 0)
            return NameRefusal::Duplicate;
    }
    if (rules.isFileSystemName && !isUsableName(text))
        return NameRefusal::Unusable;
    if (rules.namesFolder && isStoreFileName(text))
        return NameRefusal::Unusable;
    if (isReservedName(text, rules.reserved))
        return NameRefusal::Reserved;
    return NameRefusal::None;
}

QStringList insertSorted(QStringList entries, const QString &text)
{
    QCollator collator(QLocale::system());
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    const auto less = [&collator](const QString &a, const QString &b) {
        return collator.compare(a, b) < 0;
    };
    std::stable_sort(entries.begin(), entries.end(), less);
    entries.insert(std::upper_bound(entries.begin(), entries.end(), text, less), text);
    return entries;
}

} // namespace store
