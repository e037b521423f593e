#include "editor/personalwordlist.h"

#include "store/listfile.h"

#include <QFileInfo>

namespace personalwordlist {

QString fileName()
{
    return QStringLiteral("ordbog.txt");
}

QStringList read(const QString &path)
{
    store::ListText list;
    if (path.isEmpty() || !QFileInfo(path).isFile() || !store::readListFile(path, &list))
        return {};
    list.entries.removeAll(QString());
    return list.entries;
}

store::FileResult add(const QString &path, const QString &word)
{
    // Without a settings folder the word is known for this session only.
    if (path.isEmpty())
        return store::FileResult::success();
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
    return store::writeListFile(path, words);
}

} // namespace personalwordlist
