#include "tools/kopipdf.h"

#include <QTextStream>

// Placeholder until the cookbook is built; never shipped like this.
int runKopiPdf(const KopiOptions &, QTextStream &, QTextStream &err)
{
    err << QStringLiteral("Kogebogen kan endnu ikke laves.") << '\n';
    return 1;
}
