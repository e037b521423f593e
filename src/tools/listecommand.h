#pragma once

#include <QStringList>

class QIODevice;
class QTextStream;

// retterum-liste fortolk [--json] [FIL]: what the reader makes of each ingredient line of FIL or
// standard input; retterum-liste [--rod MAPPE] indkøb [--json] OPSKRIFT...: the recipes' shopping
// list. Returns the exit code: 0 done, 1 failed.
int runListe(const QStringList &arguments, QTextStream &out, QTextStream &err);

// The same with standard input given, for the tests.
int runListe(const QStringList &arguments, QIODevice &standardInput, QTextStream &out, QTextStream &err);
