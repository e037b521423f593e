#include "printing/pagepainter.h"

#include <QAbstractTextDocumentLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextDocument>

namespace printing {

void layOutForDevice(QTextDocument &doc, QPaintDevice *device, const QSizeF &page)
{
    doc.documentLayout()->setPaintDevice(device);
    doc.setDocumentMargin(0);
    doc.setPageSize(page);
}

std::unique_ptr<QTextDocument> laidOutCopy(const QTextDocument &document, QPaintDevice *device,
                                           const QSizeF &page)
{
    std::unique_ptr<QTextDocument> copy(document.clone());
    layOutForDevice(*copy, device, page);
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

bool paintPages(QPainter &painter, QPagedPaintDevice &device, QTextDocument &laidOut,
                const QRectF &area)
{
    const int pages = laidOut.pageCount();
    for (int page = 0; page < pages; ++page) {
        if (page > 0 && !device.newPage())
            return false;
        paintPage(painter, laidOut, area, page);
    }
    return true;
}

} // namespace printing
