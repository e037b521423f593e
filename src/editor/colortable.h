#pragma once

#include <QColor>
#include <QString>

#include <array>

// The sixteen colours of the grid with the names the status line shows.
struct NamedColor {
    QColor color;
    QString name;
};

const std::array<NamedColor, 16> &colorTable();

// The first cell whose colour equals the given RGB value exactly, or -1.
int ColorToIndex(const QColor &color);
// The cell nearest to the given colour: a look's own text colour is rarely one of the sixteen.
int nearestColorIndex(const QColor &color);
