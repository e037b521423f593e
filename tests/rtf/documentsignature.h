#pragma once

#include <QString>

class QTextDocument;

// The text and every format the RTF code keeps, one line per paragraph, so two documents
// compare with one QCOMPARE and a failure shows where they differ:
//   "c m10.0/-5.0/0.0 list-1/1|[Arial 16 #ff0000 b]Title<img 80x48>"
// (alignment, margins, list style and indent, then runs with family, size, colour and b i u s;
// family and size as shown, so a run without them shows the document's default font).
QString documentSignature(const QTextDocument &doc);
