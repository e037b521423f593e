#include "shopping/bookrecipe.h"

#include "rtf/rtffile.h"
#include "search/rtfplaintext.h"
#include "store/categoryplace.h"
#include "store/listfile.h"
#include "store/privatefolder.h"
#include "store/storepaths.h"

namespace shopping {

BookRecipeRead readBookRecipe(const QString &dataRoot, const QString &brugernavn, const QString &path)
{
    BookRecipeRead read;
    const QStringList parts = path.split(u'/');
    if (parts.size() != 4 || parts.contains(QString())) {
        read.error = QStringLiteral("Opskriften skal skrives som \"Alle/Hovedkategori/Underkategori/Navn\".");
        return read;
    }
    // A private folder that is not the user's own is never read (someone else may have made it).
    if (parts.at(0) != QLatin1String("Alle") && parts.at(0) == brugernavn
        && store::preparePrivateFolder(store::StorePaths(dataRoot), brugernavn) != store::PrivateFolder::Ready) {
        read.error = QStringLiteral("Dit private område kan ikke bruges.");
        return read;
    }
    store::CategoryPlace place;
    if (!store::findSubcategory(dataRoot, brugernavn, parts.at(0), parts.at(1), parts.at(2), &place, &read.error))
        return read;
    const QString &name = parts.at(3);
    store::ListText recipes;
    if (place.list.isEmpty() || !place.area.isFile(place.list)
        || !store::readListFile(place.area, place.list, &recipes) || !recipes.entries.contains(name)) {
        read.error = QStringLiteral("Opskriften \"%1\" findes ikke.").arg(name);
        return read;
    }
    const QString lineFile = store::StorePaths::ingredientFile(place.area, place.folder, name);
    const QString descriptionFile = store::StorePaths::descriptionFile(place.area, place.folder, name);
    if (lineFile.isEmpty() || descriptionFile.isEmpty()) {
        read.error = QStringLiteral("Navnet kan ikke bruges som mappe- eller filnavn!");
        return read;
    }
    // A recipe whose files are missing has no lines and no text yet, as in the window.
    store::ListText lines;
    if (place.area.exists(lineFile)) {
        const store::FileResult result = store::readListFile(place.area, lineFile, &lines);
        if (!result) {
            read.error = QStringLiteral("Opskriften \"%1\" kan ikke læses: %2.").arg(name, result.error);
            return read;
        }
    }
    QByteArray rtf;
    if (place.area.exists(descriptionFile)) {
        const store::FileResult result = place.area.readFile(descriptionFile, &rtf, rtf::kMaxDescriptionBytes);
        if (!result) {
            read.error = QStringLiteral("Opskriften \"%1\" kan ikke læses: %2.").arg(name, result.error);
            return read;
        }
    }
    read.ok = true;
    read.recipe = {name, lines.entries, search::rtfPlainText(rtf)};
    return read;
}

} // namespace shopping
