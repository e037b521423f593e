#include "store/listchange.h"

#include "store/storepaths.h"

#include <utility>

namespace store {


ListChange::ListChange(Tree area, ListPlace place)
    : m_area(std::move(area))
    , m_place(std::move(place))
{
}

bool ListChange::readFresh(ChangeResult *result) const
{
    result->list = ListText();
    // A link or pipe planted in place of the list holds no list: the write replaces it.
    if (m_place.listFile.isEmpty() || !m_area.exists(m_place.listFile)
        || (!m_area.isFile(m_place.listFile) && !m_area.folderExists(m_place.listFile))) {
        result->listKnown = true;
        return true;
    }
    result->listKnown = bool(readListFile(m_area, m_place.listFile, &result->list));
    return result->listKnown;
}

bool ListChange::write(const QStringList &entries, ChangeResult *result) const
{
    if (!writeListFile(m_area, m_place.listFile, entries, result->list.encoding))
        return false;
    result->list.entries = entries;
    return true;
}

// The change waits for the area's lock, then starts from the list as it is on disk.
AreaLock ListChange::begin(ChangeResult *result) const
{
    AreaLock lock = m_area.lock();
    if (!lock.isHeld())
        result->outcome = ChangeOutcome::Busy;
    else if (!readFresh(result))
        result->outcome = ChangeOutcome::Failed;
    return lock;
}

int ListChange::find(const QStringList &entries, const QString &name, int index, ChangeResult *result) const
{
    if (index >= 0 && index < entries.size() && entries.at(index) == name)
        return index;
    const int at = int(entries.indexOf(name));
    if (at < 0)
        result->outcome = ChangeOutcome::Missing;
    return at;
}

QStringList ListChange::placed(QStringList entries, const QString &text) const
{
    if (m_place.level == 4) {
        entries.append(text);
        return entries;
    }
    return insertSorted(entries, text);
}

void ListChange::makeOwnFolder(const QString &name) const
{
    if (m_place.level > 2)
        return;
    const QString folder = StorePaths::subFolder(m_area, m_place.folder, name);
    if (!folder.isEmpty() && !m_area.folderExists(folder))
        m_area.makeFolder(folder);
}

void ListChange::removeOwned(const QString &name) const
{
    // A name that can't be a path owns nothing: only its line goes.
    if (m_place.level <= 2) {
        const QString folder = StorePaths::subFolder(m_area, m_place.folder, name);
        if (!folder.isEmpty() && m_area.exists(folder))
            m_area.removeFolder(folder);
    } else if (m_place.level == 3) {
        for (const QString &file : {StorePaths::descriptionFile(m_area, m_place.folder, name),
                                    StorePaths::ingredientFile(m_area, m_place.folder, name)}) {
            if (!file.isEmpty() && m_area.exists(file))
                m_area.removeFile(file);
        }
    }
}

bool ListChange::moveOwned(const QString &from, const QString &to, QList<Move> *moves) const
{
    QList<Move> wanted;
    if (m_place.level <= 2) {
        wanted.append({StorePaths::subFolder(m_area, m_place.folder, from),
                       StorePaths::subFolder(m_area, m_place.folder, to)});
    } else if (m_place.level == 3) {
        wanted.append({StorePaths::descriptionFile(m_area, m_place.folder, from),
                       StorePaths::descriptionFile(m_area, m_place.folder, to)});
        wanted.append({StorePaths::ingredientFile(m_area, m_place.folder, from),
                       StorePaths::ingredientFile(m_area, m_place.folder, to)});
    }
    for (const Move &move : wanted) {
        // An old name that never named a folder or file owns nothing on disk.
        if (move.from.isEmpty() || !m_area.exists(move.from))
            continue;
        if (move.to.isEmpty() || !m_area.rename(move.from, move.to)) {
            undo(*moves);
            moves->clear();
            return false;
        }
        moves->append(move);
    }
    return true;
}

void ListChange::undo(const QList<Move> &moves) const
{
    for (auto it = moves.crbegin(); it != moves.crend(); ++it)
        m_area.rename(it->to, it->from);
}

ChangeResult ListChange::insert(const QString &text) const
{
    ChangeResult result;
    const AreaLock lock = begin(&result);
    if (result.outcome != ChangeOutcome::Done)
        return result;
    const Reserved reserved = m_place.level == 1 ? m_area.reserved() : Reserved::Nothing;
    result.refusal = checkNewEntry(text, result.list.entries, {m_place.level < 4, reserved, -1});
    // Below an entry that can't name a folder or file nothing can be stored.
    if (result.refusal == NameRefusal::None && m_place.listFile.isEmpty())
        result.refusal = NameRefusal::Unusable;
    if (result.refusal != NameRefusal::None) {
        result.outcome = ChangeOutcome::Refused;
        return result;
    }
    if (!write(placed(result.list.entries, text), &result)) {
        result.outcome = ChangeOutcome::Failed;
        return result;
    }
    makeOwnFolder(text);
    return result;
}

ChangeResult ListChange::remove(const QString &name, int index) const
{
    ChangeResult result;
    const AreaLock lock = begin(&result);
    if (result.outcome != ChangeOutcome::Done)
        return result;
    const int at = find(result.list.entries, name, index, &result);
    if (at < 0)
        return result;
    QStringList entries = result.list.entries;
    entries.removeAt(at);
    if (!write(entries, &result)) {
        result.outcome = ChangeOutcome::Failed;
        return result;
    }
    removeOwned(name);
    return result;
}

ChangeResult ListChange::rename(const QString &oldName, int index, const QString &newName) const
{
    ChangeResult result;
    const AreaLock lock = begin(&result);
    if (result.outcome != ChangeOutcome::Done)
        return result;
    const int at = find(result.list.entries, oldName, index, &result);
    if (at < 0)
        return result;
    // Tested before anything changes, so a refusal loses nothing.
    const Reserved reserved = m_place.level == 1 ? m_area.reserved() : Reserved::Nothing;
    result.refusal = checkNewEntry(newName, result.list.entries, {m_place.level < 4, reserved, at});
    if (result.refusal != NameRefusal::None) {
        result.outcome = ChangeOutcome::Refused;
        return result;
    }
    QList<Move> moves;
    if (!moveOwned(oldName, newName, &moves)) {
        result.outcome = ChangeOutcome::Failed;
        return result;
    }
    QStringList entries = result.list.entries;
    entries.removeAt(at);
    if (!write(placed(entries, newName), &result)) {
        // Exactly what moved takes its old name back: list and store still agree.
        undo(moves);
        result.outcome = ChangeOutcome::Failed;
        return result;
    }
    makeOwnFolder(newName);
    return result;
}

} // namespace store
