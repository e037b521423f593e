#include "webimport/recipeimport.h"

#include "rtf/rtffile.h"
#include "store/categoryplace.h"
#include "store/entryname.h"
#include "store/listfile.h"
#include "store/numberedname.h"
#include "store/storepaths.h"
#include "webimport/description.h"
#include "webimport/text.h"

#include <QTextDocument>

namespace webimport {

ImportResult importRecipe(const RecipePlace &place, const QString &name, const Recipe &recipe,
                          const QImage &picture)
{
    ImportResult result;
    const store::ListChange change(place.area, {3, place.opskriftFile, place.opskriftDir});
    result.change = change.insert(name);
    if (result.change.outcome != store::ChangeOutcome::Done)
        return result;
    const QString listFile = store::StorePaths::ingredientFile(place.area, place.opskriftDir, name);
    const QString rtfFile = store::StorePaths::descriptionFile(place.area, place.opskriftDir, name);
    store::FileResult written = store::writeListFile(place.area, listFile, recipe.ingredients);
    if (written) {
        const std::unique_ptr<QTextDocument> doc = descriptionDocument(recipe, picture);
        written = rtf::saveFile(doc.get(), place.area, rtfFile);
    }
    if (!written) {
        result.error = written.error;
        const store::ChangeResult undone = change.remove(name, -1);
        if (undone.listKnown)
            result.change.list = undone.list;
        result.change.outcome = store::ChangeOutcome::Failed;
    }
    return result;
}

ImportResult importRecipeUnique(const RecipePlace &place, const QString &name, const Recipe &recipe,
                                const QImage &picture, QString *used)
{
    ImportResult result;
    *used = store::insertNumbered(name, [&](const QString &candidate) {
        result = importRecipe(place, candidate, recipe, picture);
        return result.change;
    });
    return result;
}

QString usableName(const QString &pageName)
{
    QString name;
    for (const QChar c : pageName) {
        const bool bad = c == u'/' || c == u'\\' || c.category() == QChar::Other_Control;
        name.append(bad ? QChar(u' ') : c);
    }
    name = squeezed(name);
    while (!name.isEmpty() && !store::isUsableName(name)) {
        if (name == QLatin1String(".") || name == QLatin1String(".."))
            return {};
        name.chop(1);
        name = name.trimmed();
    }
    return name;
}

bool placeOf(const QString &dataRoot, const QString &brugernavn, const QString &path, RecipePlace *place,
             QString *error)
{
    const QStringList parts = path.split(u'/');
    if (parts.size() != 3 || parts.contains(QString())) {
        *error = QStringLiteral("Stedet skal skrives som \"Alle/Hovedkategori/Underkategori\".");
        return false;
    }
    store::CategoryPlace found;
    if (!store::findSubcategory(dataRoot, brugernavn, parts.at(0), parts.at(1), parts.at(2), &found, error))
        return false;
    *place = {found.area, found.folder, found.list};
    return true;
}

} // namespace webimport
