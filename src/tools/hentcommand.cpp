#include "tools/hentcommand.h"

#include "store/privatefolder.h"
#include "store/storepaths.h"
#include "webimport/fetcher.h"
#include "webimport/recipefolder.h"
#include "webimport/recipeimport.h"
#include "webimport/recipesource.h"

#include <QFileInfo>
#include <QTextStream>
#include <QUrl>

using namespace webimport;

namespace {

const QString kUsage = QStringLiteral(
    "Brug: retterum-hent --json FIL|ADRESSE\n"
    "      retterum-hent --til \"Alle/Hovedkategori/Underkategori\" [--rod MAPPE] FIL|ADRESSE|MAPPE...\n"
    "MAPPE er en mappe med en mappe pr. opskrift, hver med sin recipe.json (og evt. full.jpg).\n");

// A message as a sentence: the store's own end without a full stop, for the window to add.
QString sentence(const QString &text)
{
    return text.endsWith(u'.') || text.endsWith(u'!') || text.endsWith(u'?') ? text : text + u'.';
}

struct Loaded {
    ReadResult read;
    QImage picture;
    QString pictureError; // Danish, when the recipe names a picture that could not be had
    bool fetchFailed = false;
};

Loaded load(const QString &what, bool withPicture)
{
    Loaded loaded;
    Fetcher::Reach pictureReach = Fetcher::Reach::OutsideOnly;
    if (isWebAddress(what)) {
        const FetchResult page = Fetcher::fetch(QUrl(what.trimmed()), kMaxPageBytes);
        if (!page.ok) {
            loaded.read.error = page.error;
            loaded.fetchFailed = true;
            return loaded;
        }
        loaded.read = readRecipe(page.body, page.contentType, page.url.toString());
        // Only a page from this machine or the house may show its pictures from there.
        if (page.fromInside)
            pictureReach = Fetcher::Reach::Anywhere;
    } else if (!QFileInfo::exists(what) && QUrl(what).scheme().size() > 1) {
        // An address of another kind (file:, ftp:, javascript:); never a drive letter.
        QString error;
        Fetcher::isFetchable(QUrl(what), &error);
        loaded.read.error = error;
        loaded.fetchFailed = true;
        return loaded;
    } else {
        loaded.read = readRecipeFile(what);
    }
    if (withPicture && loaded.read.ok && !loaded.read.recipe.image.isEmpty()) {
        const FetchResult picture = Fetcher::fetch(QUrl(loaded.read.recipe.image), kMaxPageBytes, pictureReach);
        if (picture.ok)
            loaded.picture = pictureFrom(picture.body);
        else
            loaded.pictureError = QStringLiteral("billedet kunne ikke hentes: %1").arg(picture.error);
    }
    return loaded;
}

int exitCodeOf(const Loaded &loaded)
{
    return loaded.read.ok ? 0 : loaded.read.error == kNoRecipe ? 2 : 1;
}

int printJson(const QString &what, QTextStream &out, QTextStream &err)
{
    const Loaded loaded = load(what, false);
    if (!loaded.read.ok) {
        err << sentence(loaded.read.error) << '\n';
        return exitCodeOf(loaded);
    }
    out << QString::fromUtf8(recipeJson(loaded.read.recipe)) << '\n';
    return 0;
}

// A folder of recipe folders, as "Fra mappe…" takes it: a line per recipe folder.
void importFolder(const RecipePlace &place, const QString &source, QTextStream &out, int *imported, int *noRecipe,
                  int *failed)
{
    const RecipeFolder folder = scanRecipeFolder(source);
    if (!folder.opened()) {
        out << source << QStringLiteral(": Mappen kan ikke læses.") << '\n';
        ++*failed;
        return;
    }
    if (folder.folders.isEmpty()) {
        out << source << QStringLiteral(": Mappen indeholder ingen opskriftsmapper med en recipe.json.") << '\n';
        ++*noRecipe;
        return;
    }
    importRecipeFolders(place, folder, [](int) { return true; }, [&](const FolderImported &recipe) {
        out << folder.root << recipe.folder << QStringLiteral(": ");
        if (recipe.failure.isEmpty()) {
            out << QStringLiteral("indført som \"") << recipe.name << '"' << '\n';
            ++*imported;
        } else {
            out << sentence(recipe.failure) << '\n';
            (recipe.failure == kNoRecipe ? *noRecipe : *failed) += 1;
        }
        out.flush();
    });
    if (folder.skipped > 0)
        out << source << QStringLiteral(": %1 mapper eller links blev sprunget over.").arg(folder.skipped) << '\n';
}

int importAll(const QString &target, const QString &dataRoot, const QStringList &sources, QTextStream &out,
              QTextStream &err)
{
    const QString brugernavn = store::loginName();
    if (!target.startsWith(QLatin1String("Alle/"))) {
        const store::PrivateFolder folder = store::preparePrivateFolder(store::StorePaths(dataRoot), brugernavn);
        if (folder != store::PrivateFolder::Ready) {
            err << QStringLiteral("Dit private område kan ikke bruges.") << '\n';
            return 1;
        }
    }
    RecipePlace place;
    QString error;
    if (!placeOf(dataRoot, brugernavn, target, &place, &error)) {
        err << sentence(error) << '\n';
        return 1;
    }
    int imported = 0;
    int noRecipe = 0;
    int failed = 0;
    for (const QString &source : sources) {
        if (!isWebAddress(source) && QFileInfo(source).isDir()) {
            importFolder(place, source, out, &imported, &noRecipe, &failed);
            continue;
        }
        const Loaded loaded = load(source, true);
        if (!loaded.read.ok) {
            out << source << QStringLiteral(": ") << sentence(loaded.read.error) << '\n';
            (exitCodeOf(loaded) == 2 ? noRecipe : failed) += 1;
            continue;
        }
        const QString name = usableName(loaded.read.recipe.name);
        if (name.isEmpty()) {
            out << source << QStringLiteral(": Opskriften har intet navn, som kan bruges.") << '\n';
            ++failed;
            continue;
        }
        QString used;
        const ImportResult result = importRecipeUnique(place, name, loaded.read.recipe, loaded.picture, &used);
        if (result.change.outcome == store::ChangeOutcome::Done) {
            out << source << QStringLiteral(": indført som \"") << used << '"'
                << (loaded.read.capped ? QStringLiteral(" (for mange linjer; resten er udeladt)") : QString())
                << (loaded.pictureError.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(loaded.pictureError))
                << '\n';
            ++imported;
        } else {
            out << source << QStringLiteral(": ")
                << (result.error.isEmpty() ? QStringLiteral("Opskriften kunne ikke indføres.") : result.error) << '\n';
            ++failed;
        }
        out.flush();
    }
    out << QStringLiteral("%1 indført, %2 uden opskrift, %3 fejlede.").arg(imported).arg(noRecipe).arg(failed)
        << '\n';
    if (failed > 0)
        return 1;
    return noRecipe > 0 ? 2 : 0;
}

} // namespace

int runHent(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    QString json;
    QString target;
    QString dataRoot = store::installedDataRoot();
    QStringList sources;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &arg = arguments.at(i);
        const bool hasValue = i + 1 < arguments.size();
        if (arg == QLatin1String("--json") && hasValue)
            json = arguments.at(++i);
        else if (arg == QLatin1String("--til") && hasValue)
            target = arguments.at(++i);
        else if (arg == QLatin1String("--rod") && hasValue)
            dataRoot = arguments.at(++i);
        else if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            out << kUsage;
            return 0;
        } else if (arg.startsWith(u'-')) {
            err << (hasValue || (arg != QLatin1String("--json") && arg != QLatin1String("--til") && arg != QLatin1String("--rod"))
                        ? QStringLiteral("Ukendt tilvalg: %1\n").arg(arg)
                        : QStringLiteral("%1 mangler sin værdi.\n").arg(arg))
                << kUsage;
            return 1;
        } else
            sources << arg;
    }
    if (!json.isEmpty() && target.isEmpty() && sources.isEmpty())
        return printJson(json, out, err);
    if (json.isEmpty() && !target.isEmpty() && !sources.isEmpty())
        return importAll(target, dataRoot, sources, out, err);
    if (json.isEmpty() && target.isEmpty())
        err << QStringLiteral("Angiv --json eller --til.\n");
    else if (!json.isEmpty() && !target.isEmpty())
        err << QStringLiteral("Brug enten --json eller --til, ikke begge.\n");
    else if (!target.isEmpty())
        err << QStringLiteral("Angiv mindst én fil eller adresse, der skal hentes.\n");
    else
        err << QStringLiteral("--json henter én fil eller adresse ad gangen.\n");
    err << kUsage;
    return 1;
}
