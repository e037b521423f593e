#include "mainwindow/linerewrite.h"

store::ChangeResult rewriteListLines(const store::Tree &area, const QString &listFile,
                                     const QList<LineRewrite> &rewrites, QList<LineRewrite> *done)
{
    using store::AreaLock;
    using store::ChangeOutcome;
    store::ChangeResult result;
    done->clear();
    const AreaLock lock = area.lock();
    switch (lock.state()) {
    case AreaLock::State::Held:
        break;
    case AreaLock::State::Busy:
        result.outcome = ChangeOutcome::Busy;
        return result;
    case AreaLock::State::NotAllowed:
        result.outcome = ChangeOutcome::NotAllowed;
        return result;
    case AreaLock::State::Blocked:
        result.outcome = ChangeOutcome::LockBlocked;
        result.blocker = lock.blocker();
        return result;
    }
    if (listFile.isEmpty() || !area.isFile(listFile)) {
        result.outcome = ChangeOutcome::Missing;
        return result;
    }
    result.listKnown = bool(store::readListFile(area, listFile, &result.list));
    if (!result.listKnown) {
        result.outcome = ChangeOutcome::Failed;
        return result;
    }
    QStringList entries = result.list.entries;
    for (const LineRewrite &rewrite : rewrites) {
        if (rewrite.index >= 0 && rewrite.index < entries.size() && entries.at(rewrite.index) == rewrite.from) {
            entries[rewrite.index] = rewrite.to;
            done->append(rewrite);
        }
    }
    if (done->isEmpty()) {
        result.outcome = ChangeOutcome::Missing;
        return result;
    }
    if (!store::writeListFile(area, listFile, entries, result.list.encoding)) {
        done->clear();
        result.outcome = ChangeOutcome::Failed;
        return result;
    }
    result.list.entries = entries;
    return result;
}
