#include "mainwindow/tmainform.h"

#include "bookexport/cookbook.h"
#include "dialogs/messages.h"
#include "editor/namedaction.h"
#include "mainwindow/generalerrorreport.h"
#include "mainwindow/listbox.h"
#include "mainwindow/savefilechooser.h"
#include "printing/printericon.h"
#include "printing/tprintform.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <QThread>

#include <atomic>
#include <memory>

namespace {

// So many names at most in the closing message; the rest are counted.
constexpr int kNamedUnreadable = 15;

QString closingMessage(const QString &file, const bookexport::CookbookResult &result)
{
    QString text = QStringLiteral("Kogebogen er gemt i \"%1\": %2 opskrifter på %3 sider.")
                       .arg(file)
                       .arg(result.recipes)
                       .arg(result.pages);
    if (!result.unreadable.isEmpty()) {
        text += QStringLiteral("\rDisse opskrifter kunne ikke læses og står i bogen som ulæselige:");
        for (qsizetype i = 0; i < result.unreadable.size() && i < kNamedUnreadable; ++i)
            text += u'\r' + result.unreadable.at(i);
        if (result.unreadable.size() > kNamedUnreadable)
            text += QStringLiteral("\r… og %1 flere.").arg(result.unreadable.size() - kNamedUnreadable);
    }
    for (const QString &problem : result.problems)
        text += u'\r' + problem;
    return text;
}

} // namespace

void Tmainform::connectCookbook()
{
    Akogebog = namedAction(this, "Akogebog", QStringLiteral("Kogebog som PDF…"),
                           QStringLiteral("Gemmer den valgte kategori eller hele området som en bog i PDF"));
    Akogebog->setIcon(printing::printerIcon());
    addAction(Akogebog);
    connect(Akogebog, &QAction::triggered, this, [this] { guardedCommand([this] { AkogebogExecute(); }); });
}

void Tmainform::AkogebogUpdate()
{
    Akogebog->setEnabled(hovedKatBox->count() > 0);
}

void Tmainform::AkogebogExecute()
{
    const bool privat = brugerOpstart != 0;
    const QString areaName = privat ? QStringLiteral("Private") : QStringLiteral("For alle");
    const QString hovedKat = hovedIndex >= 0 ? hovedKatBox->entry(hovedIndex) : QString();
    const QString underKat = underIndex >= 0 ? underKatBox->entry(underIndex) : QString();
    QStringList choices{QStringLiteral("Hele området \"%1\"").arg(areaName)};
    if (!hovedKat.isEmpty())
        choices << QStringLiteral("Hovedkategorien \"%1\"").arg(hovedKat);
    if (!underKat.isEmpty())
        choices << QStringLiteral("Underkategorien \"%1\"").arg(underKat);
    const int chosen = chooseOne(this, QStringLiteral("Kogebog som PDF"), QStringLiteral("Hvad skal bogen rumme?"),
                                 choices, int(choices.size()) - 1);
    if (chosen < 0)
        return;
    const std::optional<printing::PrintValues> margins = printform->currentValues();
    if (!margins)
        return;

    bookexport::CookbookRequest request;
    request.area = m_area;
    request.areaFolder = dir;
    request.scope.hovedKat = chosen >= 1 ? hovedKat : QString();
    request.scope.underKat = chosen >= 2 ? underKat : QString();
    request.title = chosen == 0 ? areaName : chosen == 1 ? hovedKat : underKat;
    request.date = QDate::currentDate();
    request.left = margins->left;
    request.right = margins->right;
    request.top = margins->top;
    request.bottom = margins->bottom;
    request.file = askSaveFile(this, QStringLiteral("Gem kogebog som PDF"), pdfSuggestion(request.title));
    if (request.file.isEmpty())
        return;

    // The book is read and laid out beside the window, which goes on answering.
    QProgressDialog progress(QStringLiteral("Kogebogen \"%1\" skrives …").arg(request.title),
                             QStringLiteral("Annuller"), 0, 1, this);
    progress.setObjectName(QStringLiteral("kogebogProgress"));
    progress.setWindowTitle(QStringLiteral("Kogebog som PDF"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.setValue(0);
    auto stop = std::make_shared<std::atomic<bool>>(false);
    connect(&progress, &QProgressDialog::canceled, &progress, [stop] { *stop = true; });
    QPointer<QProgressDialog> shown(&progress);
    bookexport::CookbookWatcher watcher;
    watcher.stop = [stop] { return stop->load(); };
    watcher.progress = [shown](int done, int total) {
        QMetaObject::invokeMethod(
            shown, [shown, done, total] {
                if (shown && !shown->wasCanceled()) {
                    shown->setMaximum(total);
                    shown->setValue(done);
                }
            },
            Qt::QueuedConnection);
    };
    bookexport::CookbookResult result;
    std::unique_ptr<QThread> worker(QThread::create([&result, request, watcher] {
        result = bookexport::writeCookbook(request, watcher);
    }));
    QEventLoop loop;
    connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
    worker->start();
    loop.exec();
    worker->wait();
    progress.reset();
    progress.hide();

    switch (result.outcome) {
    case bookexport::CookbookResult::Outcome::Written:
        Messages::information(closingMessage(request.file, result));
        break;
    case bookexport::CookbookResult::Outcome::Cancelled:
        break;
    case bookexport::CookbookResult::Outcome::Failed:
        Messages::error(result.error);
        break;
    }
}
