#pragma once

class QWidget;

// For the start-up benchmark only: when the environment variable RETTERUM_FIRST_PAINT_FD names
// an open file descriptor, one byte is written to it once the window's first frame has been
// painted and handed to the window system. Without the variable nothing is installed.
void reportFirstPaintIfAsked(QWidget *window);
