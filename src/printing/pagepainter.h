#pragma once

#include <QRectF>
#include <QSizeF>

#include <memory>

class QPagedPaintDevice;
class QPaintDevice;
class QPainter;
class QTextDocument;

// How a document is cut into pages and drawn, the same for the printer, the preview and PDF
// files, so each shows the very pages the others do.
namespace printing {

// Lays doc out for device: fonts measured on it, pages of the size given, no margin of its own.
// A line that would cross the bottom of a page starts the next page, so none is cut in two.
void layOutForDevice(QTextDocument &doc, QPaintDevice *device, const QSizeF &page);

// A copy of document laid out so, the original left as it is (an editor shows it).
std::unique_ptr<QTextDocument> laidOutCopy(const QTextDocument &document, QPaintDevice *device,
                                           const QSizeF &page);

// Draws page (from 0) of a laid-out document into area of the painter's current page.
void paintPage(QPainter &painter, QTextDocument &laidOut, const QRectF &area, int page);

// Every page of the laid-out document, a new page of device before each but the first. Gives
// false when the device refuses a new page.
bool paintPages(QPainter &painter, QPagedPaintDevice &device, QTextDocument &laidOut,
                const QRectF &area);

} // namespace printing
