#pragma once

#include <QString>

class QTextDocument;

// The text and every format the RTF code keeps, one line per paragraph, so two documents
// compare with one QCOMPARE and a failure shows where they differ:
//   "t1:0,1 c m10.0/-5.0/0.0 sp4.0/8.0 lh1:150.0 list4/1 1)|[Arial 16 #ff0000 b^ bg#ffff00]Title<img 80x48>"
// (table cell with its span and background, alignment, margins, spacing, line height, list style,
// indent and number shown, the footnote the paragraph is part of, then runs with family, size,
// colour, b i u s, super/subscript, background and footnote mark; family and size as shown, so a
// run without them shows the document's default font; hidden text in <hidden>).
QString documentSignature(const QTextDocument &doc);
