#include "rtf/rtfwriter.h"

#include "rtf/writer.h"

namespace rtf {

QByteArray write(const QTextDocument &doc)
{
    return Writer(doc).write();
}

} // namespace rtf
