#pragma once

#include <QStringList>

class QTextStream;

// retterum-liste indkøb [--json] OPSKRIFT[*FAKTOR|=PORTIONER]...: the recipes' lines merged into
// one shopping list. Returns the exit code: 0 done, 1 failed.
int runIndkoeb(const QString &dataRoot, const QStringList &recipes, bool json, QTextStream &out, QTextStream &err);
