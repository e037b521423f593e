#include "editor/colorgrid.h"

#include "editor/colorgridaccessible.h"
#include "editor/colortable.h"

#include <QAccessible>

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

ColorGrid::ColorGrid(QWidget *parent)
    : QWidget(parent)
{
    setFixedSize(4 * cellWidth, 4 * cellHeight);
    setFocusPolicy(Qt::TabFocus);
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(colorGridAccessibleFactory);
        return true;
    }();
    Q_UNUSED(factoryInstalled)
}

void ColorGrid::chooseForeground(int index)
{
    setForegroundIndex(index);
    emit clicked();
}

QSize ColorGrid::sizeHint() const
{
    return {4 * cellWidth, 4 * cellHeight};
}

void ColorGrid::setForegroundIndex(int index)
{
    m_foreground = (index >= 0 && index < 16) ? index : -1;
    update();
}

void ColorGrid::setBackgroundIndex(int index)
{
    m_background = (index >= 0 && index < 16) ? index : -1;
    update();
}

QRect ColorGrid::cellRect(int index) const
{
    return {(index % 4) * cellWidth, (index / 4) * cellHeight, cellWidth, cellHeight};
}

int ColorGrid::cellAt(const QPoint &pos) const
{
    const int column = std::clamp(pos.x() / cellWidth, 0, 3);
    const int row = std::clamp(pos.y() / cellHeight, 0, 3);
    return row * 4 + column;
}

void ColorGrid::follow(Qt::MouseButtons buttons, const QPoint &pos)
{
    if (buttons & Qt::LeftButton)
        setForegroundIndex(cellAt(pos));
    else if (buttons & Qt::RightButton)
        setBackgroundIndex(cellAt(pos));
}

void ColorGrid::mousePressEvent(QMouseEvent *event)
{
    follow(event->button(), event->position().toPoint());
}

void ColorGrid::mouseMoveEvent(QMouseEvent *event)
{
    follow(event->buttons(), event->position().toPoint());
}

// The arrow keys move the foreground cell, Space or Enter applies it, as the mouse does.
void ColorGrid::keyPressEvent(QKeyEvent *event)
{
    const int cell = std::max(m_foreground, 0);
    switch (event->key()) {
    case Qt::Key_Left:
        setForegroundIndex(cell % 4 > 0 ? cell - 1 : cell);
        break;
    case Qt::Key_Right:
        setForegroundIndex(cell % 4 < 3 ? cell + 1 : cell);
        break;
    case Qt::Key_Up:
        setForegroundIndex(cell >= 4 ? cell - 4 : cell);
        break;
    case Qt::Key_Down:
        setForegroundIndex(cell < 12 ? cell + 4 : cell);
        break;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        chooseForeground(cell);
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void ColorGrid::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

void ColorGrid::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QFont small = font();
    small.setPixelSize(9);
    painter.setFont(small);
    for (int i = 0; i < 16; ++i) {
        const QRect r = cellRect(i);
        const QColor c = colorTable()[std::size_t(i)].color;
        painter.fillRect(r.adjusted(1, 1, -1, -1), c);
        painter.setPen(QColor(128, 128, 128));
        painter.drawRect(r.adjusted(0, 0, -1, -1));
        QString label;
        if (i == m_foreground && i == m_background)
            label = QStringLiteral("FB");
        else if (i == m_foreground)
            label = QStringLiteral("FG");
        else if (i == m_background)
            label = QStringLiteral("BG");
        if (!label.isEmpty()) {
            painter.setPen(c.lightness() > 128 ? Qt::black : Qt::white);
            painter.drawText(r, Qt::AlignCenter, label);
        }
    }
}
