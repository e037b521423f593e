// Out of the book and back: a backup of the open area, restoring one into it, and a recipe as
// a page to share.
#include "mainwindow/tmainform.h"

#include "backup/backupwriter.h"
#include "backup/restore.h"
#include "dialogs/drawnicon.h"
#include "dialogs/messages.h"
#include "editor/namedaction.h"
#include "editor/toolicons.h"
#include "mainwindow/filechooser.h"
#include "mainwindow/generalerrorreport.h"
#include "mainwindow/listbox.h"
#include "mainwindow/progressrun.h"
#include "sharing/sharepage.h"

#include <QAction>
#include <QDate>
#include <QDir>

namespace {

const QString kZipFilter = QStringLiteral("Sikkerhedskopier (*.zip)");

} // namespace

void Tmainform::connectBackup()
{
    const auto make = [this](const char *name, const QString &caption, const QString &hint, void (Tmainform::*handler)()) {
        QAction *action = namedAction(this, name, caption, hint);
        addAction(action);
        connect(action, &QAction::triggered, this, [this, handler] { guardedCommand([this, handler] { (this->*handler)(); }); });
        return action;
    };
    // The options dialog offers the two backup commands as buttons, beside the print commands.
    Asikkerhedskopi = make("Asikkerhedskopi", QStringLiteral("Sikkerhedskopi…"),
                           QStringLiteral("Gemmer hele det åbne område i én zip-fil"), &Tmainform::AsikkerhedskopiExecute);
    Asikkerhedskopi->setIcon(drawnWhenShown(QSize(20, 20), &toolicons::save)); // shown only in the options
    AindlaesSikkerhedskopi = make("AindlaesSikkerhedskopi", QStringLiteral("Indlæs sikkerhedskopi…"),
                                  QStringLiteral("Lægger opskrifterne fra en sikkerhedskopi ind i det åbne område; intet overskrives"),
                                  &Tmainform::AindlaesSikkerhedskopiExecute);
    AindlaesSikkerhedskopi->setIcon(drawnWhenShown(QSize(20, 20), &toolicons::reload));
    // A recipe is shared from where it is chosen: the recipe list's context menu.
    AdelOpskrift = make("AdelOpskrift", QStringLiteral("Del opskrift…"),
                        QStringLiteral("Gemmer opskriften, som den sidst er gemt, som en webside, andre programmer kan hente"),
                        &Tmainform::AdelOpskriftExecute);
    opskriftBox->addAction(AdelOpskrift);
    opskriftBox->setContextMenuPolicy(Qt::ActionsContextMenu);
}

QString Tmainform::openAreaName() const
{
    return m_area.isShared() ? QStringLiteral("Alle") : brugernavn;
}

void Tmainform::AsikkerhedskopiExecute()
{
    const QString suggested = QDir::home().filePath(
        QStringLiteral("Retterum-%1-%2.zip").arg(openAreaName(), QDate::currentDate().toString(Qt::ISODate)));
    const QString zip = filechooser::saveFile(this, QStringLiteral("Sikkerhedskopi"), suggested, kZipFilter);
    if (zip.isEmpty())
        return;
    backup::BackupResult result;
    runWithProgress(this, QStringLiteral("Sikkerhedskopien gemmes …"), [&](const ProgressReport &report) {
        result = backup::writeBackup(m_area, openAreaName(), zip, report);
    });
    if (result.cancelled)
        return;
    Messages::information(backup::backupSummary(result, zip));
}

void Tmainform::AindlaesSikkerhedskopiExecute()
{
    const QString zip = filechooser::openFile(this, QStringLiteral("Indlæs sikkerhedskopi"), kZipFilter);
    if (zip.isEmpty())
        return;
    backup::RestoreResult result;
    runWithProgress(this, QStringLiteral("Sikkerhedskopien indlæses …"), [&](const ProgressReport &report) {
        result = backup::restoreBackup(m_area, zip, report);
    });
    followChangesOnDisk();
    if (result.outcome == backup::RestoreResult::Outcome::Refused) {
        Messages::information(result.error);
        return;
    }
    const QString summary = backup::restoreSummary(result);
    Messages::information(result.outcome == backup::RestoreResult::Outcome::Done ? summary
                                                                                 : result.error + u'\n' + summary);
}

void Tmainform::AdelOpskriftExecute()
{
    if (opskriftIndex < 0 || opskriftIndex >= opskriftBox->count())
        return;
    const QString name = opskriftBox->entries().at(opskriftIndex);
    QString safeName = name;
    safeName.replace(u'/', u' ');
    const QString html = filechooser::saveFile(this, QStringLiteral("Del opskrift"),
                                               QDir::home().filePath(safeName + QStringLiteral(".html")),
                                               QStringLiteral("Websider (*.html)"));
    if (html.isEmpty())
        return;
    const store::FileResult saved = sharing::shareRecipe(m_area, filnavn, name, ingrediensBox->shownEntries(), html,
                                                             scaledFor());
    Messages::information(saved ? QStringLiteral("Opskriften er gemt som \"%1\".").arg(html) : saved.error + u'.');
}

void Tmainform::AdelOpskriftUpdate()
{
    AdelOpskrift->setEnabled(opskriftIndex >= 0 && !filnavn.isEmpty());
}
