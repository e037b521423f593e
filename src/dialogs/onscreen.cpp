#include "onscreen.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

QRect placeOnScreen(int left, int top, int width, int height, QSize minimum)
{
    // QRect can't hold a corner far beyond INT_MAX: clamp the numbers first.
    constexpr int kLimit = 1 << 20;
    left = std::clamp(left, -kLimit, kLimit);
    top = std::clamp(top, -kLimit, kLimit);
    width = std::clamp(width, minimum.width(), kLimit);
    height = std::clamp(height, minimum.height(), kLimit);

    const QScreen *screen = QGuiApplication::screenAt(QPoint(left, top));
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return {left, top, width, height};
    const QRect available = screen->availableGeometry();
    width = std::min(width, available.width());
    height = std::min(height, available.height());
    left = std::clamp(left, available.left(), available.right() + 1 - width);
    top = std::clamp(top, available.top(), available.bottom() + 1 - height);
    return {left, top, width, height};
}
