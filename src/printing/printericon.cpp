#include "printing/printericon.h"

#include "dialogs/drawnicon.h"
#include "dialogs/drawnpixmap.h"

namespace printing {

namespace {

QIcon drawPrinter()
{
    QIcon icon;
    for (const int side : {16, 32}) {
        icon.addPixmap(drawnPixmap(QSize(side, side), [side](QPainter &painter) {
            painter.scale(side / 16.0, side / 16.0);
            const QColor outline(0x40, 0x40, 0x48);
            painter.setPen(QPen(outline, 1));
            painter.setBrush(Qt::white);
            painter.drawRect(QRectF(4.5, 1.5, 7, 5)); // paper going in
            painter.setBrush(QColor(0xb8, 0xbc, 0xc4));
            painter.drawRoundedRect(QRectF(1.5, 5.5, 13, 6), 1.5, 1.5); // body
            painter.setBrush(Qt::white);
            painter.drawRect(QRectF(4.5, 9.5, 7, 5)); // printed sheet
            painter.setPen(QPen(QColor(0x30, 0x60, 0xc0), 1));
            painter.drawLine(QPointF(6, 11.5), QPointF(10, 11.5));
            painter.drawLine(QPointF(6, 13), QPointF(9, 13));
            painter.setPen(Qt::NoPen);
            painter.setBrush(QColor(0x30, 0xb0, 0x40));
            painter.drawEllipse(QPointF(12.5, 7.5), 0.9, 0.9); // power light
        }));
    }
    return icon;
}

} // namespace

QIcon printerIcon()
{
    return drawnWhenShown(QSize(32, 32), drawPrinter);
}

} // namespace printing
