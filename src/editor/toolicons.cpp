#include "editor/toolicons.h"

#include "dialogs/drawnicon.h"

#include <QPainter>
#include <QPainterPath>

#include <functional>
#include <utility>

namespace toolicons {

namespace {

constexpr int kSize = 20;

QPixmap canvas()
{
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

QIcon drawnWhenShown(std::function<QPixmap()> draw)
{
    return ::drawnWhenShown(QSize(kSize, kSize), std::move(draw));
}

QPixmap drawLetter(Letter kind)
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
    p.end();
    return pixmap;
}

QPixmap drawWebSearch(const QString &letter, const QColor &color)
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
    p.end();
    return pixmap;
}

} // namespace

QIcon letter(Letter kind)
{
    return drawnWhenShown([kind] { return drawLetter(kind); });
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
    return drawnWhenShown([letter, color] { return drawWebSearch(letter, color); });
}

QIcon save()
{
    // A floppy disk: the body, the label at the bottom and the shutter at the top.
    QPixmap pixmap = canvas();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath body;
    body.moveTo(2.5, 2.5);
    body.lineTo(15, 2.5);
    body.lineTo(17.5, 5);
    body.lineTo(17.5, 17.5);
    body.lineTo(2.5, 17.5);
    body.closeSubpath();
    p.setPen(QPen(QColor(30, 50, 90), 1));
    p.setBrush(QColor(60, 100, 170));
    p.drawPath(body);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(5, 10.5, 10, 6));
    p.setBrush(QColor(200, 205, 215));
    p.drawRect(QRectF(6, 3, 7, 4.5));
    p.setBrush(QColor(60, 100, 170));
    p.drawRect(QRectF(10.5, 3.5, 1.5, 3.5));
    return QIcon(pixmap);
}

QIcon reload()
{
    // A circular arrow, turning clockwise.
    QPixmap pixmap = canvas();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink(30, 120, 60);
    p.setPen(QPen(ink, 2.2, Qt::SolidLine, Qt::FlatCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(3.5, 3.5, 13, 13), 100 * 16, 290 * 16);
    QPainterPath head;
    head.moveTo(9, 0.5);
    head.lineTo(14, 4.2);
    head.lineTo(8.5, 7.5);
    head.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawPath(head);
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
