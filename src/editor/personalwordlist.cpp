#include "editor/personalwordlist.h"

#include "store/listfile.h"

#include <QFileInfo>

namespace personalwordlist {

namespace {

// The one place the list reaches the disk, so the write can follow the store's safest call.
store::FileResult writeWords(const QString &path, const QStringList &words)
{
    return store::writeListFile(path, words);
}

} // namespace

QString fileName()
{
    return QStringLiteral("ordbog.txt");
}

QStringList read(const QString &path)
{
    store::ListText list;
    if (!QFileInfo(path).isFile() || !store::readListFile(path, &list))
        return {};
    list.entries.removeAll(QString());
    return list.entries;
}

store::FileResult add(const QString &path, const QString &word)
{
    QStringList words;
    if (QFileInfo::exists(path)) {
        store::ListText list;
        const store::FileResult readResult = store::readListFile(path, &list);
        if (!readResult)
            return readResult;
        words = list.entries;
    }
    if (words.contains(word))
        return store::FileResult::success();
    words.append(word);
    return writeWords(path, words);
}

} // namespace personalwordlist
