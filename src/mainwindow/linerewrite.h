#pragma once

#include "store/listchange.h"

#include <QList>
#include <QString>

// One ingredient line to be written otherwise, where the window showed it.
struct LineRewrite {
    int index;
    QString from;
    QString to;
};

// Rewrites lines of a recipe's ingredient list in their places, as one write of the list as it is
// on disk at that moment, under the area's lock: a line that someone else has changed or moved
// meanwhile is left as they made it. done receives the rewrites that were made.
store::ChangeResult rewriteListLines(const store::Tree &area, const QString &listFile,
                                     const QList<LineRewrite> &rewrites, QList<LineRewrite> *done);
