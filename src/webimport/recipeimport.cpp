#include "webimport/recipeimport.h"

#include "rtf/rtffile.h"
#include "rtf/rtfwriter.h"
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

PreparedRecipe prepareRecipe(const QString &name, const Recipe &recipe, const QImage &picture)
{
    const std::unique_ptr<QTextDocument> doc = descriptionDocument(recipe, picture);
    return {name, recipe.ingredients, rtf::write(*doc)};
}

QList<ImportResult> importPrepared(const RecipePlace &place, const QList<PreparedRecipe> &recipes, QStringList *used)
{
    QStringList names;
    for (const PreparedRecipe &recipe : recipes)
        names.append(recipe.name);
    const store::ListChange change(place.area, {3, place.opskriftFile, place.opskriftDir});
    const store::ChangeResult inserted = change.insertNumbered(names, used);
    QList<ImportResult> results;
    QList<std::pair<QString, QByteArray>> files;
    QStringList placed;
    for (qsizetype i = 0; i < recipes.size(); ++i) {
        ImportResult result;
        result.change = inserted;
        const QString name = inserted.outcome == store::ChangeOutcome::Done ? used->value(i) : QString();
        if (inserted.outcome == store::ChangeOutcome::Done && name.isEmpty()) {
            result.change.outcome = store::ChangeOutcome::Refused;
            result.change.refusal = store::NameRefusal::Unusable;
        }
        if (!name.isEmpty()) {
            files.append({store::StorePaths::ingredientFile(place.area, place.opskriftDir, name),
                          store::encodeList(recipes.at(i).ingredients, store::ListEncoding::Windows1252)});
            files.append({store::StorePaths::descriptionFile(place.area, place.opskriftDir, name), recipes.at(i).description});
            placed.append(name);
        }
        results.append(result);
    }
    // All files with one flush; when they can't be written, the recipes go out again.
    if (const store::FileResult written = place.area.writeFiles(files); !written) {
        (void)change.removeAll(placed);
        for (ImportResult &result : results) {
            if (result.change.outcome == store::ChangeOutcome::Done) {
                result.error = written.error;
                result.change.outcome = store::ChangeOutcome::Failed;
            }
        }
    }
    return results;
}

QString importFailure(const ImportResult &result)
{
    if (!result.error.isEmpty())
        return result.error;
    if (result.change.refusal == store::NameRefusal::Unusable)
        return QStringLiteral("Navnet kan ikke bruges som mappe- eller filnavn!");
    return QStringLiteral("Opskriften kunne ikke indføres.");
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
