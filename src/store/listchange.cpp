#include "store/listchange.h"

#include "store/changerecord.h"
#include "store/storepaths.h"

#include <QMutex>
#include <QSet>

#include <algorithm>
#include <utility>

namespace store {

int ListChange::stopAfterStep = -1;

// Counts the steps of one change for the test hook that cuts it off.
class ListChange::Steps {
public:
    // Whether the change stops here, as a crash would stop it: nothing more is done, no record
    // is removed and nothing is moved back.
    bool cutOff() { return ListChange::stopAfterStep > 0 && ++m_done >= ListChange::stopAfterStep; }

private:
    int m_done = 0;
};

namespace {

// The first change in an area in this process also looks for what earlier crashes hid.
bool firstChangeIn(const Tree &area)
{
    static QMutex mutex;
    static QSet<QString> looked;
    const QMutexLocker locker(&mutex);
    if (looked.contains(area.root()))
        return false;
    looked.insert(area.root());
    return true;
}

// The whole list in the store's order: the sort that one insert makes, made once.
QStringList sortedList(QStringList entries)
{
    const QString last = entries.takeLast();
    return insertSorted(std::move(entries), last);
}

} // namespace

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

// The change waits for the area's lock, finishes what a crash cut off, then starts from the
// list as it is on disk.
AreaLock ListChange::begin(ChangeResult *result) const
{
    AreaLock lock = m_area.lock();
    switch (lock.state()) {
    case AreaLock::State::Held:
        if (ChangeRecord::exists(m_area) || firstChangeIn(m_area))
            repairArea(m_area);
        // A folder with contents at the record's name: no change could be recorded.
        if (ChangeRecord::exists(m_area)) {
            result->outcome = ChangeOutcome::LockBlocked;
            result->blocker = ChangeRecord::path(m_area);
        } else if (!readFresh(result)) {
            result->outcome = ChangeOutcome::Failed;
        }
        break;
    case AreaLock::State::Busy:
        result->outcome = ChangeOutcome::Busy;
        break;
    case AreaLock::State::NotAllowed:
        result->outcome = ChangeOutcome::NotAllowed;
        break;
    case AreaLock::State::Blocked:
        result->outcome = ChangeOutcome::LockBlocked;
        result->blocker = lock.blocker();
        break;
    }
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

bool ListChange::removeOwned(const QString &name) const
{
    // A name that can't be a path owns nothing: only its line goes.
    bool all = true;
    if (m_place.level <= 2) {
        const QString folder = StorePaths::subFolder(m_area, m_place.folder, name);
        if (!folder.isEmpty() && m_area.exists(folder))
            all = m_area.removeFolder(folder);
    } else if (m_place.level == 3) {
        for (const QString &file : {StorePaths::descriptionFile(m_area, m_place.folder, name),
                                    StorePaths::ingredientFile(m_area, m_place.folder, name)}) {
            if (!file.isEmpty() && m_area.exists(file))
                all = m_area.removeFile(file) && all;
        }
    }
    return all;
}

QList<ListChange::Move> ListChange::ownedMoves(const QString &from, const QString &to) const
{
    if (m_place.level <= 2)
        return {{StorePaths::subFolder(m_area, m_place.folder, from), StorePaths::subFolder(m_area, m_place.folder, to)}};
    if (m_place.level == 3) {
        return {{StorePaths::descriptionFile(m_area, m_place.folder, from),
                 StorePaths::descriptionFile(m_area, m_place.folder, to)},
                {StorePaths::ingredientFile(m_area, m_place.folder, from),
                 StorePaths::ingredientFile(m_area, m_place.folder, to)}};
    }
    return {};
}

ListChange::Moved ListChange::moveOwned(const QString &from, const QString &to, QList<Move> *moves,
                                        Steps *steps) const
{
    for (const Move &move : ownedMoves(from, to)) {
        // An old name that never named a folder or file owns nothing on disk.
        if (move.from.isEmpty() || !m_area.exists(move.from))
            continue;
        if (move.to.isEmpty() || !m_area.rename(move.from, move.to)) {
            undo(*moves);
            moves->clear();
            return Moved::Failed;
        }
        moves->append(move);
        if (steps->cutOff())
            return Moved::CutOff;
    }
    return Moved::All;
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
    result.refusal = checkNewEntry(text, result.list.entries, {m_place.level < 4, reserved, -1, m_place.level <= 2});
    // Below an entry that can't name a folder or file nothing can be stored.
    if (result.refusal == NameRefusal::None && m_place.listFile.isEmpty())
        result.refusal = NameRefusal::Unusable;
    if (result.refusal != NameRefusal::None) {
        result.outcome = ChangeOutcome::Refused;
        return result;
    }
    // The list names the entry before its folder is made: a crash in between is finished by
    // the record, never left as an entry under which nothing can be stored.
    const bool recorded = m_place.level <= 2;
    Steps steps;
    if (recorded && !ChangeRecord{ChangeRecord::Kind::Insert, m_place, text, {}}.write(m_area)) {
        result.outcome = ChangeOutcome::Failed;
        return result;
    }
    if (steps.cutOff())
        return result;
    if (!write(placed(result.list.entries, text), &result)) {
        if (recorded)
            ChangeRecord::remove(m_area);
        result.outcome = ChangeOutcome::Failed;
        return result;
    }
    if (steps.cutOff())
        return result;
    makeOwnFolder(text);
    if (steps.cutOff())
        return result;
    if (recorded)
        ChangeRecord::remove(m_area);
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
    const bool recorded = m_place.level <= 3;
    Steps steps;
    if (recorded && !ChangeRecord{ChangeRecord::Kind::Remove, m_place, name, {}}.write(m_area)) {
        result.outcome = ChangeOutcome::Failed;
        return result;
    }
    if (steps.cutOff())
        return result;
    QStringList entries = result.list.entries;
    entries.removeAt(at);
    if (!write(entries, &result)) {
        if (recorded)
            ChangeRecord::remove(m_area);
        result.outcome = ChangeOutcome::Failed;
        return result;
    }
    if (steps.cutOff())
        return result;
    if (!removeOwned(name))
        result.outcome = ChangeOutcome::Incomplete;
    if (steps.cutOff())
        return result;
    if (recorded)
        ChangeRecord::remove(m_area);
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
    result.refusal = checkNewEntry(newName, result.list.entries, {m_place.level < 4, reserved, at, m_place.level <= 2});
    if (result.refusal != NameRefusal::None) {
        result.outcome = ChangeOutcome::Refused;
        return result;
    }
    const bool recorded = m_place.level <= 3;
    Steps steps;
    if (recorded && !ChangeRecord{ChangeRecord::Kind::Rename, m_place, oldName, newName}.write(m_area)) {
        result.outcome = ChangeOutcome::Failed;
        return result;
    }
    if (steps.cutOff())
        return result;
    QList<Move> moves;
    switch (moveOwned(oldName, newName, &moves, &steps)) {
    case Moved::Failed:
        if (recorded)
            ChangeRecord::remove(m_area);
        result.outcome = ChangeOutcome::Failed;
        return result;
    case Moved::CutOff:
        return result;
    case Moved::All:
        break;
    }
    QStringList entries = result.list.entries;
    entries.removeAt(at);
    if (!write(placed(entries, newName), &result)) {
        // Exactly what moved takes its old name back: list and store still agree.
        undo(moves);
        if (recorded)
            ChangeRecord::remove(m_area);
        result.outcome = ChangeOutcome::Failed;
        return result;
    }
    if (steps.cutOff())
        return result;
    makeOwnFolder(newName);
    if (steps.cutOff())
        return result;
    if (recorded)
        ChangeRecord::remove(m_area);
    return result;
}

ChangeResult ListChange::insertNumbered(const QStringList &names, QStringList *used) const
{
    used->clear();
    ChangeResult result;
    if (m_place.level != 3) {
        result.outcome = ChangeOutcome::Failed;
        return result;
    }
    const AreaLock lock = begin(&result);
    if (result.outcome != ChangeOutcome::Done)
        return result;
    // Letter case ignored, as the name test compares: a set, so thousands stay quick.
    QSet<QString> taken;
    for (const QString &entry : std::as_const(result.list.entries))
        taken.insert(entry.toCaseFolded());
    QStringList entries = result.list.entries;
    for (const QString &name : names) {
        QString got;
        if (!m_place.listFile.isEmpty() && checkNewEntry(name, {}, {true, Reserved::Nothing, -1}) == NameRefusal::None) {
            for (qint64 n = 1;; ++n) {
                const QString candidate = n == 1 ? name : QStringLiteral("%1 (%2)").arg(name).arg(n);
                if (taken.contains(candidate.toCaseFolded()))
                    continue;
                if (isUsableName(candidate))
                    got = candidate;
                break;
            }
        }
        if (!got.isEmpty()) {
            taken.insert(got.toCaseFolded());
            entries.append(got);
        }
        used->append(got);
    }
    if (entries.size() == result.list.entries.size())
        return result;
    if (!write(sortedList(entries), &result))
        result.outcome = ChangeOutcome::Failed;
    return result;
}

ChangeResult ListChange::removeAll(const QStringList &names) const
{
    ChangeResult result;
    if (m_place.level != 3) {
        result.outcome = ChangeOutcome::Failed;
        return result;
    }
    QStringList owning;
    {
        const AreaLock lock = begin(&result);
        if (result.outcome != ChangeOutcome::Done)
            return result;
        // Lines that own no file go in one write: nothing else changes, so no record is needed.
        QSet<QString> lines;
        for (const QString &name : names) {
            const QList<Move> files = ownedMoves(name, name);
            const bool owns = std::any_of(files.cbegin(), files.cend(),
                                          [this](const Move &m) { return !m.from.isEmpty() && m_area.exists(m.from); });
            if (owns)
                owning.append(name);
            else
                lines.insert(name);
        }
        QStringList entries = result.list.entries;
        entries.removeIf([&lines](const QString &entry) { return lines.contains(entry); });
        if (entries.size() != result.list.entries.size() && !write(entries, &result)) {
            result.outcome = ChangeOutcome::Failed;
            return result;
        }
    }
    // The few that own files each take the recorded way, which a crash can't leave half done.
    for (const QString &name : std::as_const(owning)) {
        const ChangeResult one = remove(name, -1);
        if (one.outcome != ChangeOutcome::Done && one.outcome != ChangeOutcome::Missing)
            result.outcome = one.outcome;
        if (one.listKnown)
            result.list = one.list;
    }
    return result;
}

void ListChange::resume(const ChangeRecord &record) const
{
    ChangeResult result;
    if (!readFresh(&result))
        return; // the list can't be read: nothing can be decided, and nothing is touched
    QStringList entries = result.list.entries;
    switch (record.kind) {
    case ChangeRecord::Kind::Insert:
        if (entries.contains(record.name))
            makeOwnFolder(record.name);
        return;
    case ChangeRecord::Kind::Remove:
        // Still listed: the crash came before the list was written, and nothing was deleted.
        if (!entries.contains(record.name))
            removeOwned(record.name);
        return;
    case ChangeRecord::Kind::Rename:
        break;
    }
    if (entries.contains(record.newName)) {
        makeOwnFolder(record.newName);
        return;
    }
    const int at = int(entries.indexOf(record.name));
    if (at < 0)
        return;
    // Finished when every remaining move can be made, taken back otherwise: never half.
    const QList<Move> wanted = ownedMoves(record.name, record.newName);
    bool forward = std::none_of(wanted.cbegin(), wanted.cend(), [this](const Move &m) {
        return m_area.exists(m.from) && (m.to.isEmpty() || m_area.exists(m.to));
    });
    QList<Move> moved;
    for (const Move &move : wanted) {
        if (!forward || move.from.isEmpty() || !m_area.exists(move.from))
            continue;
        if (!m_area.rename(move.from, move.to)) {
            forward = false;
            break;
        }
        moved.append(move);
    }
    if (forward) {
        entries.removeAt(at);
        if (write(placed(entries, record.newName), &result)) {
            makeOwnFolder(record.newName);
            return;
        }
    }
    undo(moved);
    for (const Move &move : wanted) {
        if (!move.from.isEmpty() && !move.to.isEmpty() && !m_area.exists(move.from) && m_area.exists(move.to))
            m_area.rename(move.to, move.from);
    }
}

} // namespace store
