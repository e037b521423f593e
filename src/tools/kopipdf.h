#pragma once

#include "tools/kopioptions.h"

class QTextStream;

// retterum-kopi pdf: a summary line on out, Danish messages on err; 0 done, 1 failed.
int runKopiPdf(const KopiOptions &options, QTextStream &out, QTextStream &err);
