#include "tools/kopibackup.h"

#include "backup/backupwriter.h"
#include "backup/restore.h"
#include "store/privatefolder.h"
#include "store/storepaths.h"

#include <QFileInfo>
#include <QTextStream>

namespace {

// The area --område names: "Alle", or the user's own login for the private area.
bool areaOf(const KopiOptions &options, store::Tree *area, QTextStream &err)
{
    const store::StorePaths paths(options.dataRoot);
    if (options.area == QLatin1String("Alle")) {
        if (!QFileInfo(paths.sharedArea()).isDir()) {
            err << QStringLiteral("Området \"Alle\" findes ikke under \"%1\".").arg(options.dataRoot) << '\n';
            return false;
        }
        *area = paths.areaTree(false, {});
        return true;
    }
    const QString login = store::loginName();
    if (options.area != login) {
        err << QStringLiteral("Kun \"Alle\" eller dit eget brugernavn kan bruges som område.") << '\n';
        return false;
    }
    if (store::preparePrivateFolder(paths, login) != store::PrivateFolder::Ready) {
        err << QStringLiteral("Dit private område kan ikke bruges.") << '\n';
        return false;
    }
    *area = paths.areaTree(true, login);
    return true;
}

} // namespace

int runKopiGem(const KopiOptions &options, QTextStream &out, QTextStream &err)
{
    store::Tree area;
    if (!areaOf(options, &area, err))
        return 1;
    const backup::BackupResult result = backup::writeBackup(area, options.area, options.file);
    if (!result.ok) {
        err << result.error << '\n';
        return 1;
    }
    out << backup::backupCounts(result, options.file) << '\n';
    for (const QString &path : result.unreadable)
        err << QStringLiteral("Filen \"%1\" kunne ikke læses og er ikke med.").arg(path) << '\n';
    return result.unreadable.isEmpty() ? 0 : 1;
}

int runKopiIndlaes(const KopiOptions &options, QTextStream &out, QTextStream &err)
{
    store::Tree area;
    if (!areaOf(options, &area, err))
        return 1;
    const backup::RestoreResult result = backup::restoreBackup(area, options.file);
    if (result.outcome != backup::RestoreResult::Outcome::Done)
        err << result.error << '\n';
    if (result.outcome != backup::RestoreResult::Outcome::Refused)
        out << backup::restoreSummary(result) << '\n';
    return result.outcome == backup::RestoreResult::Outcome::Done ? 0 : 1;
}
