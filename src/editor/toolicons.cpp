#include "editor/toolicons.h"

#include <QPainter>
#include <QPainterPath>

namespace toolicons {

namespace {

constexpr int kSize = 20;

QPixmap canvas()
{
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

} // namespace

QIcon letter(Letter kind)
{
    QPixmap pixmap = canvas();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QFont f(QStringLiteral("DejaVu Serif"));
    f.setPixelSize(15);
    QString text;
    switch (kind) {
    case Letter::Bold: f.setBold(true); text = QStringLiteral("F"); break;
    case Letter::Italic: f.setItalic(true); text = QStringLiteral("K"); break;
    case Letter::Underline: f.setUnderline(true); text = QStringLiteral("U"); break;
    case Letter::StrikeOut: f.setStrikeOut(true); text = QStringLiteral("G"); break;
    }
    p.setFont(f);
    p.setPen(QColor(30, 30, 30));
    p.drawText(QRect(0, 0, kSize, kSize), Qt::AlignCenter, text);
    return QIcon(pixmap);
}

QIcon alignment(Qt::Alignment align)
{
    QPixmap pixmap = canvas();
    QPainter p(&pixmap);
    const int widths[4] = {14, 9, 14, 9};
    for (int i = 0; i < 4; ++i) {
        const int w = widths[i];
        int x = 3;
        if (align & Qt::AlignHCenter)
            x = (kSize - w) / 2;
        else if (align & Qt::AlignRight)
            x = kSize - 3 - w;
        p.fillRect(x, 4 + i * 4, w, 2, QColor(40, 40, 40));
    }
    return QIcon(pixmap);
}

QIcon bullets()
{
    QPixmap pixmap = canvas();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < 3; ++i) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 40, 40));
        p.drawEllipse(QPointF(4.5, 5.5 + i * 5), 1.8, 1.8);
        p.fillRect(8, 5 + i * 5, 10, 2, QColor(40, 40, 40));
    }
    return QIcon(pixmap);
}

QIcon webSearch(const QString &letter, const QColor &color)
{
    QPixmap pixmap = canvas();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawRoundedRect(QRectF(1, 1, kSize - 2, kSize - 2), 4, 4);
    QFont f;
    f.setBold(true);
    f.setPixelSize(13);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 0, kSize, kSize), Qt::AlignCenter, letter);
    return QIcon(pixmap);
}

QIcon menuArrow()
{
    QPixmap pixmap = canvas();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 40, 40));
    QPainterPath path;
    path.moveTo(5, 8);
    path.lineTo(15, 8);
    path.lineTo(10, 14);
    path.closeSubpath();
    p.drawPath(path);
    return QIcon(pixmap);
}

} // namespace toolicons
