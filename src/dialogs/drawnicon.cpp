#include "dialogs/drawnicon.h"

#include <QIconEngine>
#include <QPainter>

#include <utility>

namespace {

class DrawnWhenShown : public QIconEngine {
public:
    DrawnWhenShown(QSize size, std::function<QIcon()> draw)
        : m_size(size)
        , m_draw(std::move(draw))
    {
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        return icon().pixmap(size, scale, mode, state);
    }
    QSize actualSize(const QSize &size, QIcon::Mode, QIcon::State) override
    {
        return size.boundedTo(m_size);
    }
    QIconEngine *clone() const override { return new DrawnWhenShown(*this); }

private:
    const QIcon &icon()
    {
        if (m_icon.isNull())
            m_icon = m_draw();
        return m_icon;
    }

    QSize m_size;
    std::function<QIcon()> m_draw;
    QIcon m_icon;
};

} // namespace

QIcon drawnWhenShown(QSize size, std::function<QIcon()> draw)
{
    return QIcon(new DrawnWhenShown(size, std::move(draw)));
}
