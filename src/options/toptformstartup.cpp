// Start at login: the script in the program folder writes a desktop entry into the settings
// folder; the poll finds it and copies it into the autostart folder, or removes the one there.
#include "options/toptform.h"

#include "dialogs/messages.h"
#include "options/startupregistration.h"
#include "store/tree.h"

#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QTimer>

namespace {

const QString kEntryName = QStringLiteral("Retterum.desktop");
const QString kScriptName = QStringLiteral("createShortcut.sh");
constexpr qint64 kMaxEntryBytes = 64 * 1024;

QString gaveUpText()
{
    return QStringLiteral("Det lykkedes ikke at indføre programmet som startprogram.");
}

} // namespace

void Toptform::startProgDoButtonClick()
{
    Messages::information(QStringLiteral("Det kan tage lidt tid.\rTryk OK-Knappen for at starte "
                                         "funktionen.\rDer bringes en information, når "
                                         "funktionen er gennemført."));
    makeOpstartProg();
    gemButton->setEnabled(true);
}

void Toptform::makeOpstartProg()
{
    if (programFile.isEmpty() || !QFileInfo(programFile).isFile()) {
        Messages::information(QStringLiteral("Programfilen blev ikke fundet."));
        return;
    }
    // Without a settings folder the entry has nowhere to be written: polling for it could
    // only end in the give-up message ten seconds later.
    if (m_link.optDir.isEmpty() || !QFileInfo(m_link.optDir).isDir()) {
        stopPolling();
        Messages::information(QStringLiteral("Programmet kan ikke indføres som startprogram, "
                                             "fordi du ikke har nogen mappe til dine indstillinger."));
        return;
    }
    const QString entry = m_link.optDir + kEntryName;
    const QString script = ProgramDir + kScriptName;
    if (!QFileInfo(script).isFile()) {
        Messages::information(QStringLiteral("Der synes at mangle en fil til skabelse af en genvej."));
    } else if (const int failure = m_scripts.start(script, {programFile, entry})) {
        ErrorInfo(startup::shellErrorFromErrno(failure));
    }
    // Polled also when the script could not run: an entry from an earlier run still counts.
    SPtimerFilename = entry;
    SPtimerCount = 0;
    startProgTimer->start();
}

void Toptform::ErrorInfo(int Nr)
{
    Messages::information(QStringLiteral("Fejlinformation:\r") + startup::errorInfoText(Nr));
}

void Toptform::stopPolling()
{
    startProgTimer->stop();
    SPtimerCount = 0;
}

void Toptform::startProgTimerTimer()
{
    m_scripts.reapFinished();
    ++SPtimerCount;
    if (!SPtimerFilename.isEmpty() && store::Tree::aroundFile(SPtimerFilename).isFile(SPtimerFilename)) {
        stopPolling();
        takeFoundEntry();
    } else if (SPtimerCount >= kPollsBeforeGivingUp) {
        stopPolling();
        Messages::information(gaveUpText());
    }
}

void Toptform::takeFoundEntry()
{
    const QString folder = startup::autostartFolder();
    // The user's own configuration folder, not the shared area: a link there (dotfiles kept
    // elsewhere) is the user's own choice, so the folder is made as the path gives it.
    if (!QDir().mkpath(folder) || !QFileInfo(folder).isDir()) {
        Messages::information(QStringLiteral("Startup-mappen kunne ikke findes.\r"));
        return;
    }
    const QString target = folder + u'/' + QFileInfo(SPtimerFilename).fileName();
    const store::Tree autostart = store::Tree::aroundFile(target);
    if (autostart.exists(target)) {
        if (!autostart.removeFile(target)) {
            Messages::information(gaveUpText());
            return;
        }
        startProgFilename.clear();
        startProgDoButton->setText(QStringLiteral("Indfør"));
        Messages::information(QStringLiteral("Programmet blev fjernet som StartUp-program."));
        return;
    }
    QByteArray bytes;
    if (!store::Tree::aroundFile(SPtimerFilename).readFile(SPtimerFilename, &bytes, kMaxEntryBytes)
        || !autostart.writeFile(target, bytes)) {
        Messages::information(gaveUpText());
        return;
    }
    startProgFilename = target;
    startProgDoButton->setText(QStringLiteral("Fjern"));
    Messages::information(QStringLiteral("Programmet er indført som StartUp-program."));
}
