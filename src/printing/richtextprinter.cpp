#include "printing/richtextprinter.h"

#include "dialogs/besidewindow.h"

#include "printing/pagepainter.h"
#include "printing/printerror.h"
#include "printing/printtarget.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPrinter>
#include <QTextDocument>
#include <QTextEdit>

#include <exception>
#include <memory>

namespace printing {

namespace {

// Windows repaint, but no command can start while a document is half printed.
void letWindowsRepaint()
{
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

QRectF twipsToPixels(const QRect &twips, const PrinterMetrics &m)
{
    const auto x = [&m](int t) { return t * qreal(m.pixelsX) / 1440; };
    const auto y = [&m](int t) { return t * qreal(m.pixelsY) / 1440; };
    return QRectF(QPointF(x(twips.left()), y(twips.top())),
                  QPointF(x(twips.right()), y(twips.bottom())));
}

} // namespace

void printRichText(QTextEdit *edit, double leftMargin, double rightMargin, double topMargin,
                   double bottomMargin, TRichTextMeasurements unit, int copies,
                   PrintTarget &target)
{
    if (unit != rtmNone) {
        setPageRect(edit, pageRect(target.metrics(), leftMargin, rightMargin, topMargin,
                                   bottomMargin, unit));
        letWindowsRepaint();
    }
    while (copies > 0) {
        printDocument(*edit->document(), storedPageRect(edit), target);
        --copies;
        letWindowsRepaint();
    }
}

int printDocument(const QTextDocument &document, const PageRect &rect, PrintTarget &target)
{
    const std::unique_ptr<QPrinter> printer = target.beginJob();
    const PrinterMetrics metrics = PrinterMetrics::of(*printer);
    const QRectF area = twipsToPixels(layoutTwips(rect, metrics), metrics);
    // A long text takes seconds to lay out and draw: a copy is, beside the window, which goes
    // on painting. The copy belongs to the thread from its making to its end.
    QTextDocument *copy = document.clone();
    int pages = 0;
    std::exception_ptr failed;
    runBesideWindow(
        [&] {
            const std::unique_ptr<QTextDocument> laidOut(copy);
            try {
                layOutForDevice(*laidOut, printer.get(), area.size());
                pages = paintLaidOut(*laidOut, area, *printer);
            } catch (...) {
                failed = std::current_exception();
            }
        },
        copy);
    if (failed)
        std::rethrow_exception(failed);
    target.endJob(*printer);
    return pages;
}

int paintDocument(const QTextDocument &document, const PageRect &rect, QPrinter &printer)
{
    const PrinterMetrics metrics = PrinterMetrics::of(printer);
    const QRectF area = twipsToPixels(layoutTwips(rect, metrics), metrics);
    const std::unique_ptr<QTextDocument> laidOut = laidOutCopy(document, &printer, area.size());
    return paintLaidOut(*laidOut, area, printer);
}

int paintLaidOut(QTextDocument &laidOut, const QRectF &area, QPrinter &printer)
{
    QPainter painter;
    if (!painter.begin(&printer))
        throw PrintError(QStringLiteral("Udskriften kunne ikke startes"));
    if (!paintPages(painter, printer, laidOut, area))
        throw PrintError(QStringLiteral("Printeren kunne ikke begynde en ny side"));
    if (!painter.end())
        throw PrintError(QStringLiteral("Udskriften kunne ikke afsluttes"));
    return laidOut.pageCount();
}

} // namespace printing
