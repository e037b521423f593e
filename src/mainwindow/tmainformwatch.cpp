// Following what other windows and users change in the open area: the folders on screen are
// watched, and a list that changed on disk is shown anew, keeping the user's choice where the
// chosen entry is still there and never touching unsaved description text.
#include "mainwindow/tmainform.h"

#include "mainwindow/generalerrorreport.h"
#include "mainwindow/listbox.h"

#include <QApplication>
#include <QFileSystemWatcher>
#include <QLineEdit>
#include <QTextEdit>
#include <QTimer>

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
    // Not in the middle of an operation that waits for the user's answer.
    if (QApplication::activeModalWidget()) {
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
        parts.box->setList(fresh);
        if (index < 0)
            continue;
        int at = (index < fresh.entries.size() && fresh.entries.at(index) == chosen) ? index
                                                                                   : int(fresh.entries.indexOf(chosen));
        if (at >= 0) {
            *parts.index = at;
            parts.box->showChosen(at);
            continue;
        }
        // The chosen entry is gone: nothing is chosen at its level, and nothing below it.
        *parts.index = -1;
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
