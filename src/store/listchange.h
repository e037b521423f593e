#pragma once

#include "store/entryname.h"
#include "store/listfile.h"
#include "store/tree.h"

namespace store {

// One list of an area and where its entries keep what they own.
struct ListPlace {
    int level = 1;     // 1 main category, 2 subcategory, 3 recipe, 4 ingredient line
    QString listFile;  // empty below an entry that can't name a folder or file
    QString folder;    // holds the entries' folders (levels 1, 2) or files (level 3)
};

enum class ChangeOutcome {
    Done,
    Refused, // the new text: see refusal
    Missing, // the entry is no longer in the list: someone else removed or renamed it
    Busy,    // someone else is changing the area and did not finish in time
    Failed,  // a file could not be read or written; what had moved is moved back
    NotAllowed, // the area is write-protected for this user
    LockBlocked, // a folder stands where the area's lock file must be: see blocker
    Incomplete,  // removed from the list, but not everything it owned could be deleted
};

struct ChangeResult {
    ChangeOutcome outcome = ChangeOutcome::Done;
    NameRefusal refusal = NameRefusal::None;
    // The list as it is on disk afterwards, when it could be read.
    bool listKnown = false;
    ListText list;
    QString blocker;
};

struct ChangeRecord;

// Makes one change to a list and to what its entries own, to the list as it is on disk at
// that moment and under the area's lock, so that two windows or users never lose each other's
// changes: an entry someone else removed is not brought back, and a name someone else took
// meanwhile is refused as a duplicate.
class ListChange {
public:
    ListChange(Tree area, ListPlace place);

    ChangeResult insert(const QString &text) const;
    // index: where the window showed the entry, to tell duplicates apart.
    ChangeResult remove(const QString &name, int index) const;
    ChangeResult rename(const QString &oldName, int index, const QString &newName) const;

    // Recipes only: many entries in one change, one lock and one write of the list, so that a
    // restore or an import of thousands is not thousands of changes. Each goes in under its name
    // or, when the list holds that already, the first free "name (2)", "name (3)" …; used[i]
    // is the name names[i] got, empty when the store refused it. A crash leaves the list old
    // or new, never half, as one insert does.
    ChangeResult insertNumbered(const QStringList &names, QStringList *used) const;
    // Recipes only: takes these entries out of the list in one write, then deletes what they own.
    ChangeResult removeAll(const QStringList &names) const;

    // Finishes or takes back a change that a crash cut off, as its record names it. The
    // caller holds the area's lock.
    void resume(const ChangeRecord &record) const;

    // Test hook: a change stops dead after this many of its steps, as a crash would stop it.
    static int stopAfterStep;

private:
    struct Move {
        QString from;
        QString to;
    };
    class Steps;
    enum class Moved { All, Failed, CutOff };

    bool readFresh(ChangeResult *result) const;
    bool write(const QStringList &entries, ChangeResult *result) const;
    AreaLock begin(ChangeResult *result) const;
    int find(const QStringList &entries, const QString &name, int index, ChangeResult *result) const;
    QStringList placed(QStringList entries, const QString &text) const;
    void makeOwnFolder(const QString &name) const;
    bool removeOwned(const QString &name) const;
    QList<Move> ownedMoves(const QString &from, const QString &to) const;
    Moved moveOwned(const QString &from, const QString &to, QList<Move> *moves, Steps *steps) const;
    void undo(const QList<Move> &moves) const;

    Tree m_area;
    ListPlace m_place;
};

} // namespace store
