// Out of the book and in again: printing, a cookbook, a backup and a restore, a recipe fetched
// from the web and a folder of recipes imported.
#include "bench.h"

#include "common/generatedpage.h"
#include "editor/descriptionedit.h"
#include "hentdialog/thentform.h"
#include "mainwindow/filechooser.h"
#include "mainwindow/listbox.h"
#include "mainwindow/savefilechooser.h"
#include "mainwindow/tmainform.h"
#include "testhttpserver.h"

#include <QAction>
#include <QLineEdit>
#include <QPrinterInfo>
#include <QPushButton>
#include <QStackedWidget>
#include <QThread>

namespace {

QString s_chosenFolder;

QString chosenFolder(QWidget *)
{
    return s_chosenFolder;
}

// The page's server answers on a thread of its own, so its work is never counted as the window's.
class ServerThread {
public:
    ServerThread()
    {
        m_anchor.moveToThread(&m_thread);
        m_thread.start();
    }
    ~ServerThread()
    {
        QMetaObject::invokeMethod(&m_anchor, [this] { delete m_server; }, Qt::BlockingQueuedConnection);
        m_thread.quit();
        m_thread.wait();
    }
    // Listens, lets serve() set up the routes, and gives the address of path.
    QUrl start(const std::function<void(TestHttpServer &)> &serve, const QString &path)
    {
        QUrl url;
        QMetaObject::invokeMethod(
            &m_anchor, [&] {
                m_server = new TestHttpServer;
                if (!m_server->listen())
                    return;
                serve(*m_server);
                url = m_server->url(path);
            },
            Qt::BlockingQueuedConnection);
        return url;
    }

private:
    QThread m_thread;
    QObject m_anchor;
    TestHttpServer *m_server = nullptr;
};

} // namespace

void Bench::outOfTheBook()
{
    if (!QPrinterInfo::defaultPrinter().isNull())
        measure(QStringLiteral("printing the 1 MB recipe"), [this] { w->AudskrivBeggeExecute(); }, [] { return true; });

    chooseOneAnswer = [](const QStringList &items) { return int(items.size()) - 1; }; // the subcategory
    saveFileAnswer = [this](const QString &, const QString &) { return m_book.file(QStringLiteral("kogebog.pdf")); };
    measureCommand(QStringLiteral("a cookbook PDF of 1,001 recipes, one of 1 MB"), [this] { w->Akogebog->trigger(); },
                   QStringLiteral("Kogebogen er gemt"));

    filechooser::queuedAnswers = {m_book.file(QStringLiteral("kopi.zip"))};
    measureCommand(QStringLiteral("a backup of the area (11,000 recipes)"), [this] { w->Asikkerhedskopi->trigger(); },
                   QStringLiteral("Sikkerhedskopien er gemt"));

    filechooser::queuedAnswers = {m_book.backupZip()};
    measureCommand(QStringLiteral("restoring a backup of %1 recipes").arg(BigBook::kBackupRecipes),
                   [this] { w->AindlaesSikkerhedskopi->trigger(); },
                   QStringLiteral("%1 opskrifter er indlæst").arg(BigBook::kBackupRecipes));

    fetchedPage();
    folderImport();
}

void Bench::fetchedPage()
{
    ServerThread server;
    const QUrl page = server.start(
        [](TestHttpServer &s) {
            const QByteArray picture = BigBook::picture();
            s.serve(QStringLiteral("/boller.jpg"), picture, "image/jpeg");
            s.serve(QStringLiteral("/boller"), generatedPage(2 * 1024 * 1024, s.url(QStringLiteral("/boller.jpg")).toEncoded()));
        },
        QStringLiteral("/boller"));
    measure(QStringLiteral("fetching a 2 MB page to its preview"),
            [this, page] {
                w->aHent->trigger();
                w->hentform->adresseEdit->setText(page.toString());
                w->hentform->hentButton->click();
            },
            [this] { return w->hentform && w->hentform->sider->currentIndex() == 1 && !w->hentform->isBusy(); });
    measure(QStringLiteral("putting the fetched recipe in, picture and all"), [this] { w->hentform->indfoerButton->click(); },
            [this] {
                return !w->hentform->isVisible() && w->opskriftIndex >= 0
                    && w->opskriftBox->entries().at(w->opskriftIndex) == u"Hvedeboller" && idleEditor();
            });
}

void Bench::folderImport()
{
    s_chosenFolder = m_book.recipeFolders();
    Thentform::chooseFolder = &chosenFolder;
    measureCommand(QStringLiteral("importing %1 recipe folders with pictures").arg(BigBook::kFolderRecipes),
                   [this] {
                       w->aHent->trigger();
                       w->hentform->mappeButton->click();
                   },
                   QStringLiteral("%1 af %1 opskrifter er indført").arg(BigBook::kFolderRecipes),
                   [this] { return !w->hentform->isVisible(); });
}
