// Following what other windows and users change in the open area: the folders on screen are
// watched, and a list that changed on disk is shown anew, keeping the user's choice where the
// chosen entry is still there and never touching unsaved description text.
#include "mainwindow/tmainform.h"

#include "dialogs/besidewindow.h"
#include "mainwindow/generalerrorreport.h"
#include "dialogs/messages.h"
#include "mainwindow/listbox.h"
#include "mainwindow/storemessages.h"
#include "store/fileerror.h"

#include <QApplication>
#include <QFileSystemWatcher>
#include <QLabel>
#include <QLineEdit>
#include <QTextEdit>
#include <QTimer>

using store::StorePaths;

namespace {

// Changes come in bursts (a rename and a write); one look after the burst is enough.
constexpr int kSettleMs = 100;

} // namespace

void Tmainform::connectFolderWatch()
{
    m_folderWatcher = new QFileSystemWatcher(this);
    m_followTimer = new QTimer(this);
    m_followTimer->setSingleShot(true);
    m_followTimer->setInterval(kSettleMs);
    connect(m_folderWatcher, &QFileSystemWatcher::directoryChanged, m_followTimer, qOverload<>(&QTimer::start));
    connect(m_followTimer, &QTimer::timeout, this, [this] { guardedCommand([this] { followChangesOnDisk(); }); });
}

// Runs after every input event: it looks at the disk only when the open folders have changed.
void Tmainform::watchOpenFolders()
{
    const QStringList open{dir, underDir, opskriftDir};
    if (open == m_watchedFor)
        return;
    m_watchedFor = open;
    QStringList wanted;
    for (const QString &folder : {dir, underDir, opskriftDir}) {
        if (!folder.isEmpty() && m_area.folderExists(folder))
            wanted.append(store::withoutTrailingSlash(folder));
    }
    const QStringList watched = m_folderWatcher->directories();
    if (watched == wanted)
        return;
    if (!watched.isEmpty())
        m_folderWatcher->removePaths(watched);
    if (!wanted.isEmpty())
        m_folderWatcher->addPaths(wanted);
}

void Tmainform::followChangesOnDisk()
{
    // Not in the middle of a command that waits for the user's answer, the lock, a long read or write.
    if (QApplication::activeModalWidget() || isWaitingBesideWindow()) {
        m_followTimer->start();
        return;
    }
    for (int level = 1; level <= 4; ++level) {
        const LevelParts parts = levelParts(level);
        if (level > 1 && *levelParts(level - 1).index < 0)
            break;
        store::ListText fresh;
        if (!parts.listFile.isEmpty() && m_area.isFile(parts.listFile)
            && !store::readListFile(m_area, parts.listFile, &fresh))
            break; // being replaced, or unreadable: the next change looks again
        if (fresh.entries == parts.box->entries())
            continue;
        const int index = *parts.index;
        const QString chosen = parts.box->entry(index);
        const QString chosenKey = level < 4 ? draftKeyOf(level, chosen) : QString();
        parts.box->setList(fresh);
        if (index < 0)
            continue;
        int at = (index < fresh.entries.size() && fresh.entries.at(index) == chosen) ? index
                                                                                   : int(fresh.entries.indexOf(chosen));
        const bool renamed = at < 0 && level < 4 && (at = movedEntry(level, fresh.entries)) >= 0;
        if (at >= 0) {
            *parts.index = at;
            parts.box->showChosen(at);
            if (renamed) {
                // Renamed by someone else: the window follows, unsaved text and all.
                parts.edit->setText(fresh.entries.at(at));
                recomposePaths();
                m_drafts.rename(chosenKey, draftKeyOf(level, fresh.entries.at(at)));
            }
            continue;
        }
        *parts.index = -1;
        if (level < 4 && Editor->document()->isModified() && !filnavn.isEmpty()) {
            keepOrphan(level);
            break;
        }
        // The chosen entry is gone: nothing is chosen at its level, and nothing below it.
        if (level < 4) {
            clearElementer(level);
            setValues(level);
        }
        break;
    }
    if (opskriftIndex >= 0 && !Editor->document()->isModified()
        && m_area.stamp(filnavn) != m_descriptionStamp)
        loadDescription();
    // A folder that was replaced on disk is no longer watched: look again.
    m_watchedFor.clear();
    watchOpenFolders();
}

// What the chosen entry is on disk, to know it again under another name.
void Tmainform::rememberChosen(int level)
{
    quint64 &inode = m_chosenInodes[level - 1];
    if (level == 1)
        inode = m_area.stamp(underDir).inode;
    else if (level == 2)
        inode = m_area.stamp(opskriftDir).inode;
    else
        inode = m_descriptionStamp.size >= 0 ? m_descriptionStamp.inode : m_area.stamp(fillistenavn).inode;
}

// The entry of the list that is the chosen one under a new name, or -1.
int Tmainform::movedEntry(int level, const QStringList &entries) const
{
    const quint64 wanted = m_chosenInodes[level - 1];
    if (wanted == 0)
        return -1;
    const QString parent = level == 1 ? dir : level == 2 ? underDir : opskriftDir;
    for (int i = 0; i < entries.size(); ++i) {
        const QString &name = entries.at(i);
        if (level < 3) {
            if (m_area.stamp(StorePaths::subFolder(m_area, parent, name)).inode == wanted)
                return i;
            continue;
        }
        // A recipe is known by its description as it was loaded: a rename keeps every stamp.
        const store::Tree::Stamp description = m_area.stamp(StorePaths::descriptionFile(m_area, parent, name));
        if (m_descriptionStamp.size >= 0 ? description == m_descriptionStamp
                                         : m_area.stamp(StorePaths::ingredientFile(m_area, parent, name)).inode == wanted)
            return i;
    }
    return -1;
}

// The paths from the entries chosen now, after one of them was renamed.
void Tmainform::recomposePaths()
{
    underDir = hovedIndex >= 0 ? StorePaths::subFolder(m_area, dir, hovedKatBox->entry(hovedIndex)) : QString();
    underFile = StorePaths::indexFile(underDir);
    opskriftDir = underIndex >= 0 ? StorePaths::subFolder(m_area, underDir, underKatBox->entry(underIndex)) : QString();
    opskriftFile = StorePaths::indexFile(opskriftDir);
    if (opskriftIndex < 0)
        return;
    const QString name = opskriftBox->entry(opskriftIndex);
    filnavn = StorePaths::descriptionFile(m_area, opskriftDir, name);
    fillistenavn = StorePaths::ingredientFile(m_area, opskriftDir, name);
    opskriftLabel->setText(hovedKatBox->entry(hovedIndex) + u" | " + underKatBox->entry(underIndex) + u" | " + name);
}

// The open recipe was deleted while its text was unsaved: the lists show what is left, the
// editor keeps the text, the ingredient lines and the paths, so that "Gem" can make it anew.
void Tmainform::keepOrphan(int level)
{
    for (int below = level + 1; below <= 3; ++below) {
        *levelParts(below).index = -1;
        levelParts(below).box->clearEntries();
    }
    ingrediensIndex = -1;
    m_orphaned = true;
    Messages::information(QStringLiteral("Opskriften er slettet af en anden.\rDin tekst er ikke gemt."));
}

// Makes the deleted recipe anew where it was, its categories too, and chooses it again.
bool Tmainform::saveOrphan()
{
    const std::optional<QStringList> names = m_area.names(filnavn);
    if (!names || names->size() != 3)
        return false;
    const QString recipe = names->at(2).chopped(4); // ".rtf"
    // The paths were kept when the recipe went: the changes are made where it was.
    for (int level = 1; level <= 3; ++level) {
        const QString name = level < 3 ? names->at(level - 1) : recipe;
        const store::ChangeResult result = listChange(level).insert(name);
        const bool there = result.outcome == store::ChangeOutcome::Done
            || (result.outcome == store::ChangeOutcome::Refused && result.refusal == store::NameRefusal::Duplicate);
        if (!there) {
            if (!toldNotStarted(result, m_area.isShared()))
                Messages::information(unknownErrorText());
            return false;
        }
    }
    if (!m_area.exists(fillistenavn))
        store::throwIfFailed(store::writeListFile(m_area, fillistenavn, ingrediensBox->entries()));
    noteOwnChange();
    m_orphaned = false;
    // Chosen again, without clearing the editor: its text is what is being saved.
    const QString chosen[] = {names->at(0), names->at(1), recipe};
    for (int level = 1; level <= 3; ++level) {
        const LevelParts parts = levelParts(level);
        loadList(parts.box, parts.listFile);
        *parts.index = int(parts.box->entries().indexOf(chosen[level - 1]));
        parts.box->showChosen(*parts.index);
    }
    m_descriptionStamp = m_area.stamp(filnavn);
    rememberChosen(1);
    rememberChosen(2);
    return true;
}
