#include "printing/richtextprinter.h"

#include "printing/printerror.h"
#include "printing/printtarget.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QPainter>
#include <QPrinter>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextFrame>

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

// A copy laid out for the printer: fonts measured on it, pages of the area's size. A line that
// would cross the bottom of a page starts the next page, so none is cut in two.
std::unique_ptr<QTextDocument> layoutForPrinter(const QTextDocument &document, QPrinter *printer,
                                                const QSizeF &page)
{
    std::unique_ptr<QTextDocument> copy(document.clone());
    copy->documentLayout()->setPaintDevice(printer);
    copy->setDocumentMargin(0);
    copy->setPageSize(page);
    return copy;
}

void paintPage(QPainter &painter, QTextDocument &laidOut, const QRectF &area, int page)
{
    const QRectF view(0, page * area.height(), area.width(), area.height());
    painter.save();
    painter.translate(area.left(), area.top() - view.top());
    painter.setClipRect(view);
    // The layout draws every line that touches the clip, and a clipped line still stands in the
    // printout's text: a line ending on the page's top edge or starting on its bottom edge
    // belongs to the neighbouring page.
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = view.adjusted(0, 0.5, 0, -0.5);
    context.palette.setColor(QPalette::Text, Qt::black);
    laidOut.documentLayout()->draw(&painter, context);
    painter.restore();
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
    const std::unique_ptr<QTextDocument> laidOut = layoutForPrinter(document, printer.get(), area.size());
    const int pages = laidOut->pageCount();

    QPainter painter;
    if (!painter.begin(printer.get()))
        throw PrintError(QStringLiteral("Udskriften kunne ikke startes"));
    for (int page = 0; page < pages; ++page) {
        if (page > 0 && !printer->newPage())
            throw PrintError(QStringLiteral("Printeren kunne ikke begynde en ny side"));
        paintPage(painter, *laidOut, area, page);
    }
    if (!painter.end())
        throw PrintError(QStringLiteral("Udskriften kunne ikke afsluttes"));
    target.endJob(*printer);
    return pages;
}

} // namespace printing
