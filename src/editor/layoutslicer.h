#pragma once

class QTextDocument;

// Qt lays a new document out on a timer in steps that double up to 200,000 characters, each
// step a stall on a long text. This takes over that timer for the document just shown and lays
// it out in slices of a few milliseconds instead, until the whole text is laid out.
void layOutInSlices(QTextDocument *doc);
