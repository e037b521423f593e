#include "printing/pdfoutput.h"

#include "store/exclusivefile.h"
#include "store/whynotwritable.h"

#include <sys/stat.h>
#include <unistd.h>

namespace printing {

bool isWholePdf(int fd)
{
    struct stat st {};
    if (::fstat(fd, &st) != 0 || st.st_size < 16)
        return false;
    char tail[16];
    if (::pread(fd, tail, sizeof tail, st.st_size - 16) != ssize_t(sizeof tail))
        return false;
    return QByteArray(tail, sizeof tail).trimmed().endsWith("%%EOF");
}

QString moveIntoPlace(store::ExclusiveFile &file)
{
    if (!file.device()->flush() || !isWholePdf(file.handle()) || !file.commit())
        return cannotWrite(file.target());
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
