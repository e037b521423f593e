#pragma once

#include <QStringList>

class QTextStream;

// retterum-kopi [--rod MAPPE] gem|indlæs|pdf FIL [--område Alle|<login>] [--kategori ...]
// Returns the exit code: 0 done, 1 failed.
int runKopi(const QStringList &arguments, QTextStream &out, QTextStream &err);
