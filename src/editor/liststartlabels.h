#pragma once

class QPainter;
class QRect;
class QTextEdit;

// This Qt numbers every list from 1. A list that starts elsewhere gets its own labels, drawn
// over Qt's where Qt puts them, so that the editor shows the numbers the file says.
void paintListStartLabels(const QTextEdit &edit, QPainter &painter, const QRect &area);
