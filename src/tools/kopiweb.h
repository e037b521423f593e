#pragma once

#include "tools/kopioptions.h"

class QTextStream;

// retterum-kopi web: a summary line on out, Danish messages on err; 0 done, 1 failed or a
// recipe that could not be read.
int runKopiWeb(const KopiOptions &options, QTextStream &out, QTextStream &err);
