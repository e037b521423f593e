#include "rtf/rtffile.h"

#include "rtf/rtfreader.h"
#include "rtf/rtfwriter.h"

#include <QTextDocument>

namespace rtf {

store::FileResult loadFile(const store::Tree &tree, const QString &path, QTextDocument *doc)
{
    QByteArray data;
    store::FileResult result = tree.readFile(path, &data, kMaxDescriptionBytes);
    if (!result)
        return result;
    read(data, doc);
    doc->setModified(false);
    return result;
}

store::FileResult saveFile(QTextDocument *doc, const store::Tree &tree, const QString &path)
{
    store::FileResult result = tree.writeFile(path, write(*doc));
    if (result)
        doc->setModified(false);
    return result;
}

store::FileResult loadFile(const QString &path, QTextDocument *doc)
{
    return loadFile(store::Tree::aroundFile(path), path, doc);
}

store::FileResult saveFile(QTextDocument *doc, const QString &path)
{
    return saveFile(doc, store::Tree::aroundFile(path), path);
}

} // namespace rtf
