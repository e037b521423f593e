#pragma once

#include <QRect>

// Where a window goes when its place and size come from a settings file, which may come from
// another screen or be hostile: on the screen that shows the wanted top-left corner (else the
// primary one), no larger than its available part and no smaller than minimum, and wholly on
// it, so that the title bar can always be reached.
QRect placeOnScreen(int left, int top, int width, int height, QSize minimum = QSize(0, 0));
