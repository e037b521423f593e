#include "store/entryname.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>

namespace store {

namespace {

bool isUsableAsFileName(const QString &text)
{
    if (text == u"." || text == u"..")
        return false;
    return std::none_of(text.cbegin(), text.cend(), [](QChar c) {
        return c == u'/' || c == u'\\' || c.category() == QChar::Other_Control;
    });
}

} // namespace

NameRefusal checkNewEntry(const QString &text, const QStringList &entries, const NameRules &rules)
{
    if (text.isEmpty())
        return NameRefusal::Empty;
    for (int i = 0; i < entries.size(); ++i) {
        if (i != rules.ignoreIndex && entries.at(i).compare(text, Qt::CaseInsensitive) == 0)
            return NameRefusal::Duplicate;
    }
    if (rules.isFileSystemName && !isUsableAsFileName(text))
        return NameRefusal::Unusable;
    if (rules.reservesSettings && text.compare(u"Indstillinger", Qt::CaseInsensitive) == 0)
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
