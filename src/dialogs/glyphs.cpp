#include "glyphs.h"

#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int side = 16;

QPixmap blank()
{
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// A blue letter in a framed light square: the information and question symbols.
QPixmap framedLetter(QChar letter)
{
    QPixmap pixmap = blank();
    QPainter painter(&pixmap);
    painter.setPen(QColor(0x6d, 0x8c, 0xb8));
    painter.setBrush(QColor(0xea, 0xf2, 0xfc));
    painter.drawRect(0, 0, side - 1, side - 1);
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(13);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(QColor(0x10, 0x40, 0xc0));
    painter.drawText(QRect(0, 0, side, side), Qt::AlignCenter, QString(letter));
    return pixmap;
}

QPixmap checkMarkIn(const QColor &colour)
{
    QPixmap pixmap = blank();
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QPen pen(colour, 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(pen);
    QPainterPath path;
    path.moveTo(2.5, 8.5);
    path.lineTo(6.5, 12.5);
    path.lineTo(13.5, 3.5);
    painter.drawPath(path);
    return pixmap;
}

} // namespace

QPixmap Glyphs::informationSymbol()
{
    return framedLetter(QLatin1Char('i'));
}

QPixmap Glyphs::questionSymbol()
{
    return framedLetter(QLatin1Char('?'));
}

QIcon Glyphs::checkMark()
{
    QIcon icon;
    icon.addPixmap(checkMarkIn(QColor(0x00, 0x90, 0x20)), QIcon::Normal);
    icon.addPixmap(checkMarkIn(QColor(0xa0, 0xa0, 0xa0)), QIcon::Disabled);
    return icon;
}

QIcon Glyphs::cross()
{
    QPixmap pixmap = blank();
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0xd0, 0x10, 0x10), 2.6, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
    painter.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
    painter.end();
    return QIcon(pixmap);
}

QIcon Glyphs::pen()
{
    QPixmap pixmap = blank();
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x20, 0x20, 0x60), 3.0, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(QPointF(13.5, 2.5), QPointF(4.0, 12.0));
    painter.setPen(QPen(QColor(0x20, 0x20, 0x60), 1.2));
    painter.drawLine(QPointF(4.0, 12.0), QPointF(2.0, 14.0));
    painter.end();
    return QIcon(pixmap);
}
