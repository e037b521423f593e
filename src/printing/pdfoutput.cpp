#include "printing/pdfoutput.h"

#include "store/whynotwritable.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cstdio>

#include <unistd.h>

namespace printing {

QString temporaryBeside(const QString &target)
{
    QTemporaryFile file(target + QStringLiteral(".XXXXXX.tmp"));
    file.setAutoRemove(false);
    if (!file.open())
        return {};
    return file.fileName();
}

bool isWholePdf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() < 16)
        return false;
    if (!file.seek(file.size() - 16))
        return false;
    return file.read(16).trimmed().endsWith("%%EOF") && file.error() == QFile::NoError;
}

QString moveIntoPlace(const QString &temporary, const QString &target)
{
    if (!isWholePdf(temporary)) {
        QFile::remove(temporary);
        return cannotWrite(target);
    }
    {
        QFile file(temporary);
        // The pages reach the disk before the name does.
        if (!file.open(QIODevice::ReadWrite) || !file.flush() || ::fsync(file.handle()) != 0) {
            QFile::remove(temporary);
            return cannotWrite(target);
        }
    }
    if (std::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(target).constData()) != 0) {
        QFile::remove(temporary);
        return cannotWrite(target);
    }
    return {};
}

QString cannotWrite(const QString &target)
{
    const QString message = QStringLiteral("Filen \"%1\" kan ikke gemmes").arg(target);
    QString why = store::whyNotWritable(target);
    if (why.isEmpty())
        return message;
    why.chop(1); // the sentence ends where the caller ends it
    return message + QStringLiteral(". ") + why;
}

} // namespace printing
