#pragma once

#include <QStringList>

class QTextStream;

// retterum-hent: the recipe of files and addresses as JSON on stdout, or imported into a
// subcategory. Returns the exit code: 0 done, 2 no recipe, 1 any other failure.
int runHent(const QStringList &arguments, QTextStream &out, QTextStream &err);
