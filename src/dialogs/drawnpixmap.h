#pragma once

#include <QPainter>
#include <QPixmap>

// A picture drawn in code on a transparent ground, smoothed, so that the program needs no
// image files.
template<typename Draw>
QPixmap drawnPixmap(QSize size, Draw draw)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter);
    return pixmap;
}
