#include "store/categoryplace.h"

#include "store/listfile.h"
#include "store/storepaths.h"

namespace store {

bool findSubcategory(const QString &dataRoot, const QString &brugernavn, const QString &areaName,
                     const QString &main, const QString &sub, CategoryPlace *place, QString *error)
{
    const StorePaths paths(dataRoot);
    const bool privat = areaName != QLatin1String("Alle");
    if (privat && (areaName != brugernavn || brugernavn.isEmpty())) {
        *error = QStringLiteral("Kun \"Alle\" eller dit eget brugernavn kan bruges som område.");
        return false;
    }
    const Tree area = paths.areaTree(privat, brugernavn);
    QString folder = paths.areaFolder(privat, brugernavn);
    QString list = StorePaths::mainCategoryFile(folder);
    for (const QString &name : {main, sub}) {
        ListText entries;
        if (list.isEmpty() || !area.isFile(list) || !readListFile(area, list, &entries)
            || !entries.entries.contains(name)) {
            *error = QStringLiteral("Kategorien \"%1\" findes ikke.").arg(name);
            return false;
        }
        folder = StorePaths::subFolder(area, folder, name);
        list = StorePaths::indexFile(folder);
        if (folder.isEmpty()) {
            *error = QStringLiteral("Navnet kan ikke bruges som mappe- eller filnavn!");
            return false;
        }
    }
    *place = {area, folder, list};
    return true;
}

} // namespace store
