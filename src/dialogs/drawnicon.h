#pragma once

#include <QIcon>
#include <QSize>

#include <functional>

// An icon whose picture is drawn the first time it is shown, not when it is made: pictures with
// letters load font faces of their own, and many icons sit on controls hidden at start. draw
// gives a pixmap, or an icon with one pixmap per size it was designed for.
QIcon drawnWhenShown(QSize size, std::function<QIcon()> draw);
