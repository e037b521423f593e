#pragma once

#include "printing/pagerect.h"

class QPrinter;
class QRectF;
class QTextDocument;
class QTextEdit;

namespace printing {

class PrintTarget;

// Prints the document of edit as copies separate jobs. Unless unit is rtmNone the page
// rectangle is computed from the margins and stored on edit first; the jobs are laid out in the
// rectangle stored there. Throws PrintError when a job can't be printed; jobs printed before
// stay printed.
void printRichText(QTextEdit *edit, double leftMargin, double rightMargin, double topMargin,
                   double bottomMargin, TRichTextMeasurements unit, int copies,
                   PrintTarget &target);

// One job holding the whole document, page after page until the text is used up. Returns the
// number of pages.
int printDocument(const QTextDocument &document, const PageRect &rect, PrintTarget &target);

// The pages of one job on printer, which may also be a preview's; throws PrintError when they
// can't be drawn. Returns the number of pages.
int paintDocument(const QTextDocument &document, const PageRect &rect, QPrinter &printer);

// The pages of a document laid out for printer in area (its size the page's).
int paintLaidOut(QTextDocument &laidOut, const QRectF &area, QPrinter &printer);

} // namespace printing
