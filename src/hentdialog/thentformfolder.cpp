// A folder of recipe folders, as self-hosted cookbook programs keep them, into the chosen
// subcategory: one recipe at a time, so the window answers and "Annuller" stops it.
#include "hentdialog/thentform.h"

#include "dialogs/messages.h"
#include "webimport/recipefolder.h"

#include <QLabel>
#include <QProgressBar>
#include <QTimer>

namespace {

constexpr int kFailuresShown = 10;

QString failureText(const webimport::ImportResult &result)
{
    if (!result.error.isEmpty())
        return result.error;
    if (result.change.refusal == store::NameRefusal::Unusable)
        return QStringLiteral("Navnet kan ikke bruges som mappe- eller filnavn!");
    return QStringLiteral("Opskriften kunne ikke indføres.");
}

} // namespace

void Thentform::importFolder(const QString &path)
{
    if (isBusy())
        return;
    auto run = std::make_unique<FolderRun>();
    run->folder = webimport::scanRecipeFolder(path);
    if (run->folder.folders.isEmpty()) {
        Messages::information(QStringLiteral("Mappen indeholder ingen opskriftsmapper med en recipe.json."));
        return;
    }
    m_folder = std::move(run);
    setBusy(true);
    hentBar->setRange(0, int(m_folder->folder.folders.size()));
    hentBar->setValue(0);
    QTimer::singleShot(0, this, &Thentform::importNext);
}

void Thentform::importNext()
{
    if (!m_folder)
        return;
    FolderRun &run = *m_folder;
    const int total = int(run.folder.folders.size());
    if (run.next >= total) {
        if (folderDone() > 0)
            accept();
        return;
    }
    const QString recipeFolder = run.folder.folders.at(run.next++);
    statusLabel->setText(QStringLiteral("Indfører %1 af %2: %3").arg(run.next).arg(total).arg(recipeFolder));
    const webimport::FolderRecipe found = webimport::readFolderRecipe(run.folder, recipeFolder);
    const QString name = webimport::usableName(found.read.recipe.name);
    QString failure;
    if (!found.read.ok) {
        failure = found.read.error;
    } else if (name.isEmpty()) {
        failure = QStringLiteral("Opskriften har intet navn, som kan bruges.");
    } else {
        QString used;
        const webimport::ImportResult result =
            webimport::importRecipeUnique(m_target.place, name, found.read.recipe, found.picture, &used);
        if (result.change.outcome == store::ChangeOutcome::Done)
            ++run.imported;
        else
            failure = failureText(result);
    }
    if (!failure.isEmpty())
        run.failures << recipeFolder + QStringLiteral(": ") + failure;
    hentBar->setValue(run.next);
    QTimer::singleShot(0, this, &Thentform::importNext);
}

int Thentform::folderDone()
{
    const std::unique_ptr<FolderRun> run = std::move(m_folder);
    setBusy(false);
    const int total = int(run->folder.folders.size());
    QString summary = QStringLiteral("%1 af %2 opskrifter er indført.").arg(run->imported).arg(total);
    if (run->next < total)
        summary += QStringLiteral("\rIndførelsen blev annulleret; %1 opskrifter blev ikke læst.").arg(total - run->next);
    if (run->folder.skipped > 0)
        summary += QStringLiteral("\r%1 mapper eller links blev sprunget over.").arg(run->folder.skipped);
    for (int i = 0; i < run->failures.size() && i < kFailuresShown; ++i)
        summary += u'\r' + run->failures.at(i);
    if (run->failures.size() > kFailuresShown)
        summary += QStringLiteral("\r… og %1 mere.").arg(run->failures.size() - kFailuresShown);
    if (m_target.folderImported)
        m_target.folderImported();
    Messages::information(summary);
    return run->imported;
}
