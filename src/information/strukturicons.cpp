#include "information/strukturicons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>

namespace strukturicons {

namespace {

const QColor kInk(40, 60, 110);

QIcon drawn(const std::function<void(QPainter &)> &draw)
{
    // Drawn at twice the size, so it stays sharp on a scaled screen.
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(2, 2);
    draw(p);
    p.end();
    pixmap.setDevicePixelRatio(2);
    return QIcon(pixmap);
}

void book(QPainter &p, bool open)
{
    p.setPen(QPen(kInk, 1));
    if (open) {
        p.setBrush(QColor(250, 246, 230));
        p.drawPolygon(QPolygonF({{1, 4}, {8, 5}, {8, 14}, {1, 13}}));
        p.drawPolygon(QPolygonF({{15, 4}, {8, 5}, {8, 14}, {15, 13}}));
    } else {
        p.setBrush(QColor(170, 40, 40));
        p.drawRoundedRect(QRectF(3, 1.5, 10, 13), 1, 1);
        p.setBrush(QColor(250, 246, 230));
        p.drawRect(QRectF(5.5, 4, 5, 2.5));
    }
}

void keyboard(QPainter &p)
{
    p.setPen(QPen(kInk, 1));
    p.setBrush(QColor(235, 235, 240));
    p.drawRoundedRect(QRectF(0.5, 4, 15, 9), 1.5, 1.5);
    p.setBrush(kInk);
    p.setPen(Qt::NoPen);
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 5; ++col)
            p.drawRect(QRectF(2 + col * 2.6, 5.7 + row * 2.4, 1.6, 1.4));
    p.drawRect(QRectF(4.5, 10.5, 7, 1.2));
}

void settings(QPainter &p)
{
    p.setPen(QPen(kInk, 1));
    p.setBrush(QColor(245, 245, 245));
    p.drawRect(QRectF(1.5, 1.5, 13, 13));
    p.setBrush(QColor(60, 140, 60));
    for (int i = 0; i < 3; ++i) {
        p.drawRect(QRectF(3.5, 3.5 + i * 3.5, 2.5, 2.5));
        p.drawLine(QPointF(7.5, 4.8 + i * 3.5), QPointF(12.5, 4.8 + i * 3.5));
    }
}

void page(QPainter &p, bool pencil)
{
    p.setPen(QPen(kInk, 1));
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygonF({{2.5, 0.5}, {10, 0.5}, {13.5, 4}, {13.5, 15.5}, {2.5, 15.5}}));
    for (int i = 0; i < 4; ++i)
        p.drawLine(QPointF(4.5, 5.5 + i * 2.5), QPointF(11.5, 5.5 + i * 2.5));
    if (pencil) {
        p.setPen(QPen(QColor(200, 130, 20), 2.5, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(QPointF(15, 5), QPointF(8, 12));
        p.setPen(QPen(kInk, 1.5));
        p.drawLine(QPointF(8, 12), QPointF(6.5, 13.5));
    }
}

void arrows(QPainter &p, bool unfold)
{
    p.setPen(QPen(kInk, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 2; ++i) {
        const double y = 3.5 + i * 5;
        QPainterPath chevron;
        if (unfold) {
            chevron.moveTo(3, y);
            chevron.lineTo(8, y + 4);
            chevron.lineTo(13, y);
        } else {
            chevron.moveTo(3, y + 4);
            chevron.lineTo(8, y);
            chevron.lineTo(13, y + 4);
        }
        p.drawPath(chevron);
    }
}

} // namespace

QList<QIcon> strukturList()
{
    return {
        drawn([](QPainter &p) { book(p, false); }),
        drawn([](QPainter &p) { book(p, true); }),
        drawn(keyboard),
        drawn(settings),
        drawn([](QPainter &p) { page(p, false); }),
        drawn([](QPainter &p) { arrows(p, true); }),
        drawn([](QPainter &p) { arrows(p, false); }),
        drawn([](QPainter &p) { page(p, true); }),
    };
}

} // namespace strukturicons
