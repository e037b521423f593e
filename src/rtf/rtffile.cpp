#include "rtf/rtffile.h"

#include "rtf/rtfreader.h"
#include "rtf/rtfwriter.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextDocument>

namespace rtf {

store::FileResult loadFile(const QString &path, QTextDocument *doc)
{
    QFile file(path);
    if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly))
        return store::FileResult::readFailed(path);
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return store::FileResult::readFailed(path);
    read(data, doc);
    doc->setModified(false);
    return store::FileResult::success();
}

store::FileResult saveFile(QTextDocument *doc, const QString &path)
{
    const QByteArray data = write(*doc);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit())
        return store::FileResult::writeFailed(path);
    doc->setModified(false);
    return store::FileResult::success();
}

} // namespace rtf
