#pragma once

#include "tools/kopioptions.h"

class QTextStream;

// retterum-kopi gem / indlæs: a summary line on out, Danish messages on err; 0 done, 1 failed.
int runKopiGem(const KopiOptions &options, QTextStream &out, QTextStream &err);
int runKopiIndlaes(const KopiOptions &options, QTextStream &out, QTextStream &err);
