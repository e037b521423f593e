#include "tools/kopibackup.h"

#include <QTextStream>

// Placeholder until the backup is built; never shipped like this.
int runKopiGem(const KopiOptions &, QTextStream &, QTextStream &err)
{
    err << QStringLiteral("Sikkerhedskopien kan endnu ikke laves.") << '\n';
    return 1;
}

int runKopiIndlaes(const KopiOptions &, QTextStream &, QTextStream &err)
{
    err << QStringLiteral("Sikkerhedskopien kan endnu ikke indlæses.") << '\n';
    return 1;
}
