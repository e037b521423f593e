// A folder of recipe folders, as self-hosted cookbook programs keep them, into the chosen
// subcategory: beside the window, a few dozen recipes to a list change; "Annuller" stops it
// between two recipes, and those read so far go in whole.
#include "hentdialog/folderrun.h"
#include "hentdialog/thentform.h"

#include "dialogs/messages.h"
#include "webimport/recipefolder.h"

#include <QLabel>
#include <QProgressBar>

namespace {

constexpr int kFailuresShown = 10;

} // namespace

FolderRun::FolderRun(const webimport::RecipePlace &place, const QString &folder, std::function<void()> changed)
    : m_changed(std::move(changed))
    , m_worker(QThread::create([this, place, folder] { work(place, folder); }))
{
    m_worker->start();
}

FolderRun::~FolderRun()
{
    stop();
    wait();
}

FolderRun::State FolderRun::state() const
{
    const QMutexLocker lock(&m_mutex);
    return m_state;
}

void FolderRun::work(const webimport::RecipePlace &place, const QString &path)
{
    const webimport::RecipeFolder folder = webimport::scanRecipeFolder(path);
    {
        const QMutexLocker lock(&m_mutex);
        m_state.total = int(folder.folders.size());
        m_state.skipped = folder.skipped;
    }
    m_changed();
    webimport::importRecipeFolders(
        place, folder,
        [this, &folder](int i) {
            if (m_stop)
                return false;
            {
                const QMutexLocker lock(&m_mutex);
                ++m_state.next;
                m_state.current = folder.folders.at(i);
            }
            m_changed();
            return true;
        },
        [this](const webimport::FolderImported &imported) {
            const QMutexLocker lock(&m_mutex);
            if (imported.failure.isEmpty())
                ++m_state.imported;
            else
                m_state.failures << imported.folder + QStringLiteral(": ") + imported.failure;
        });
}

void Thentform::importFolder(const QString &path)
{
    if (isBusy())
        return;
    setBusy(true, QStringLiteral("Mappen gennemgås …"));
    m_folder = std::make_unique<FolderRun>(m_target.place, path, [this] {
        QMetaObject::invokeMethod(this, &Thentform::showFolderProgress, Qt::QueuedConnection);
    });
    const QThread *worker = m_folder->worker();
    connect(worker, &QThread::finished, this, [this, worker] {
        if (!m_folder || m_folder->worker() != worker)
            return; // ended by closing the dialog, which has told how far it got
        if (folderDone() > 0)
            accept();
    });
}

void Thentform::showFolderProgress()
{
    if (!m_folder || m_folder->stopped())
        return;
    const FolderRun::State state = m_folder->state();
    if (state.total <= 0)
        return;
    hentBar->setRange(0, state.total);
    hentBar->setValue(std::max(0, state.next - 1));
    if (state.next > 0)
        statusLabel->setText(QStringLiteral("Indfører %1 af %2: %3").arg(state.next).arg(state.total).arg(state.current));
}

int Thentform::folderDone()
{
    const std::unique_ptr<FolderRun> run = std::move(m_folder);
    run->stop();
    run->wait(); // at most the recipe under way, which is put in whole
    setBusy(false);
    const FolderRun::State state = run->state();
    const int total = state.total;
    if (total == 0) {
        Messages::information(QStringLiteral("Mappen indeholder ingen opskriftsmapper med en recipe.json."));
        return 0;
    }
    QString summary = QStringLiteral("%1 af %2 opskrifter er indført.").arg(state.imported).arg(total);
    if (state.next < total)
        summary += QStringLiteral("\rIndførelsen blev annulleret; %1 opskrifter blev ikke læst.").arg(total - state.next);
    if (state.skipped > 0)
        summary += QStringLiteral("\r%1 mapper eller links blev sprunget over.").arg(state.skipped);
    for (int i = 0; i < state.failures.size() && i < kFailuresShown; ++i)
        summary += u'\r' + state.failures.at(i);
    if (state.failures.size() > kFailuresShown)
        summary += QStringLiteral("\r… og %1 mere.").arg(state.failures.size() - kFailuresShown);
    if (m_target.folderImported)
        m_target.folderImported();
    Messages::information(summary);
    return state.imported;
}
